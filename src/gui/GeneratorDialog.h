#pragma once

#include "core/RandomText.h"
#include "core/AppFolders.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The Random Content Generator: filler text from the five word lists of the random folder and the user's keywords,
// saved as a ".txt" article into the folder the main window browses.
//
// The main window opens it with Open(), window-modal over the main window and deleted when closed, so that every
// opening starts afresh: word lists read again, keyword pool, text and title animation empty. It hands over:
//  - articleFolder: the current folder of its folder list, as the user sees it (a drive root ends in the separator);
//  - refreshArticleFiles: refreshes its file list, so that a saved article can be picked at once.
class frmRC : public QDialog
{
    Q_OBJECT

public:
    frmRC(const AppFolders& folders, std::function<QString()> articleFolder, std::function<void()> refreshArticleFiles,
          QWidget* parent = nullptr);

    static frmRC* Open(const AppFolders& folders, std::function<QString()> articleFolder,
                       std::function<void()> refreshArticleFiles, QWidget* parent);

    // The close box, Escape and Close all end here; a Generate run under way stops first.
    void done(int result) override;

signals:
    // A Generate run has put its text into the window.
    void generated();

private:
    void Form_Load();
    void Command1_Click();
    void cmdSave_Click();
    void tmrPleaseWait_Timer();
    void EnableButtons(bool enabled);

    void generateSlice();
    void stopGenerating();
    bool reportMissingWordFiles();
    RandomText::WordLists wordLists() const;

    AppFolders m_folders;
    std::function<QString()> m_articleFolder;
    std::function<void()> m_refreshArticleFiles;

    QComboBox* m_cboParagraphs;
    QPushButton* m_Command1;
    QLineEdit* m_txtFilename;
    QPushButton* m_cmdSave;
    QPlainTextEdit* m_RichTextBox1;
    QPlainTextEdit* m_txtKeywords;
    QPushButton* m_cmdClose;
    QListWidget* m_lstRandomKeywords;
    std::array<QListWidget*, RandomText::WordListCount> m_lstContent;
    QTimer* m_tmrPleaseWait;
    // The state of the title animation; it goes on from where the last run left it.
    QString m_Tag;

    QTimer* m_slice;
    std::optional<RandomText> m_run;
};
