// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"
#include "core/Result.h"

#include <QGroupBox>

#include <memory>

class RememberedControls;
struct MainLayout;

namespace Ui {
class CreatePage;
}

// The "Create!" page (frPage_2): how the PDFs are named (one name in single mode; the original names or the final
// list of keyword combinations in bulk mode), the Create command, and the progress of a run.
class CreatePage : public QGroupBox
{
    Q_OBJECT

public:
    explicit CreatePage(RememberedControls& remembered, QWidget* parent = nullptr);
    ~CreatePage() override;

    void setKeywordPatterns(const QStringList& patterns);
    // The PDF names the next Create uses, the final list as last applied (txtFinalList).
    const QStringList& finalNames() const { return m_finalNames; }
    // Puts the final list on show in force, as Enter in it does.
    void applyFinalList();
    // The same for a final list the settings have just shown, if any.
    void applyRememberedFinalList();
    // The naming part of a request, and how many converters it may run.
    void fillNaming(PdfJobRequest& request) const;
    void setPdfName(const QString& name);
    // The control that holds an entry of this page, or nullptr.
    QWidget* entryBox(Entry entry) const;
    void applyLayout(const MainLayout& layout);
    // The naming frame of the mode shows.
    void setCreationMode(CreationMode mode);
    // The count of articles selected, for the summary of names and articles.
    void setArticleCount(int count);

    // The progress of a run from its start to its end.
    void runStarted(const PdfJobRequest& run);
    void articleStarted(int index);
    void pdfDone(bool made);
    // While busy, Create and "Open Output Folder" are disabled and the progress and Stop show; when not, Retry
    // Failed shows if the last run can be retried.
    void setBusy(bool busy, bool canRetry);

signals:
    void createRequested();
    void outputFolderRequested();
    void stopRequested();
    void retryRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void combineKeywords();
    void updateKeywordsInfo();
    void showCounts();

    std::unique_ptr<Ui::CreatePage> m_ui;
    // The names in force: the final list's lines as last applied.
    QStringList m_finalNames;
    int m_articleCount = 0;
    bool m_bulkRun = false;
    int m_made = 0;
    int m_failed = 0;
};
