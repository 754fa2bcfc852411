// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"
#include "core/Result.h"

#include <QGroupBox>

#include <memory>

class RememberedControls;
class QUrl;
struct MainLayout;

namespace Ui {
class ContentPage;
}

// The "PDF Content" page (frPage_0): the article browser, the creation mode, and the articles selected for the
// next Create, which the four article commands and drops from a file manager change.
class ContentPage : public QGroupBox
{
    Q_OBJECT

public:
    explicit ContentPage(RememberedControls& remembered, QWidget* parent = nullptr);
    ~ContentPage() override;

    QStringList articles() const;
    CreationMode creationMode() const;
    // The folder the article browser shows; a root ends in the separator, other folders do not.
    QString articleFolder() const;
    // Shows the folder remembered, or fallback when it is gone or cannot be read.
    void showArticleFolder(const QString& remembered, const QString& fallback);
    // Re-reads the article files of the folder at once, after a file was saved into it; the list follows other
    // changes of the folder by itself.
    void refreshArticleFiles();
    // Marks the selected article of that row as a run reaches it; the list may have lost the row meanwhile.
    void markArticle(int row);
    // The control that holds an entry of this page, or nullptr.
    QWidget* entryBox(Entry entry) const;
    void applyLayout(const MainLayout& layout);

signals:
    void articlesChanged(int count);
    void creationModeChanged(CreationMode mode);
    // The Options button was pressed: its menu opens at that place on the screen.
    void optionsRequested(const QPoint& at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCreationMode(int index);
    void runArticleCommand(int index);
    void addAllArticles();
    void addSelectedArticle();
    void removeSelectedArticle();
    void addDroppedArticles(const QList<QUrl>& urls);

    std::unique_ptr<Ui::ContentPage> m_ui;
    // The Options button was last pressed with the pointer.
    bool m_menuAtPointer = false;
};
