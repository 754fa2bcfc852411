// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppFolders.h"
#include "core/RandomText.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace Ui {
class GeneratorDialog;
}

// The Random Content Generator: filler text from the five word lists of the random folder and the user's keywords,
// saved as a ".txt" article into the folder the main window browses.
//
// The main window opens it with launch(), window-modal over the main window and deleted when closed, so that every
// opening starts afresh: word lists read again, keyword pool, text and title animation empty. It hands over:
//  - articleFolder: the current folder of its folder list, as the user sees it (a drive root ends in the separator);
//  - refreshArticleFiles: refreshes its file list, so that a saved article can be picked at once.
class GeneratorDialog : public QDialog
{
    Q_OBJECT

public:
    GeneratorDialog(const AppFolders& folders, std::function<QString()> articleFolder,
                    std::function<void()> refreshArticleFiles, QWidget* parent = nullptr);
    ~GeneratorDialog() override;

    static GeneratorDialog* launch(const AppFolders& folders, std::function<QString()> articleFolder,
                                   std::function<void()> refreshArticleFiles, QWidget* parent);

    // The close box, Escape and Close all end here; a Generate run under way stops first.
    void done(int result) override;

signals:
    // A Generate run has put its text into the window.
    void generated();

private:
    void loadWordLists();
    void generate();
    void save();
    void blinkTitle();
    void setButtonsEnabled(bool enabled);

    void generateSlice();
    void stopGenerating();
    bool reportMissingWordFiles();

    std::unique_ptr<Ui::GeneratorDialog> m_ui;
    AppFolders m_folders;
    std::function<QString()> m_articleFolder;
    std::function<void()> m_refreshArticleFiles;

    // The words the generator draws from (lstContent_0..4) and the keywords it mixes in (lstRandomKeywords); a
    // run adds the keywords typed to the pool.
    RandomText::WordLists m_words;
    QStringList m_keywordPool;
    QTimer* m_titleTimer;
    // The state of the title animation; it goes on from where the last run left it.
    QString m_titleDots;

    QTimer* m_slice;
    std::optional<RandomText> m_run;
};
