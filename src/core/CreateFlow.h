// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobEngine.h"
#include "core/Result.h"

#include <QLockFile>

#include <optional>

// One run at a time per page folder. Two programs that share one (started from one application folder, or by one
// user of an installed program) would clear the pages that the other's converters still read. The lock is a file
// in the page folder; a lock left by a program that has ended is taken over, and only then.
class RunLock
{
public:
    explicit RunLock(const AppFolders& folders);

    // False while another program's run holds the lock. A lock file that cannot be made at all (no bin folder, a bin
    // folder that takes no files) does not stop the run: the run meets that fault itself and says so.
    bool take();
    void release() { m_file.unlock(); }

private:
    QLockFile m_file;
};

// The request of a run reduced to the articles whose PDFs were not made, in their order, each keeping its place in
// that run and so its PDF's name (a keyword name by its item of the final filename list). The single PDF's request
// stays whole.
PdfJobRequest retryRequest(const PdfJobRequest& request, const PdfJobReport& report);
// The report of a run with the rows of its retry in place of the rows of the same places.
// request: the run's, which the retry was made from.
PdfJobReport withRetry(const PdfJobReport& report, const PdfJobReport& retry, const PdfJobRequest& request);

// The Create command, the same for every front end: the front end reads its entries into a request, calls start()
// and shows the message it may return; while the run goes it may show articleStarted(), pdfMade(), pdfFailed() and
// pdfSkipped(), and when finished() comes it shows the closing box (unless it cancelled the run to quit).
//
// start() checks the entries, takes the run lock, deletes the pages of earlier runs and starts the job; the lock is
// released when the job has ended. The request's lists are copied, so the user may change the window's lists while
// the job runs.
class CreateFlow : public QObject
{
    Q_OBJECT

public:
    explicit CreateFlow(QObject* parent = nullptr);
    ~CreateFlow() override;

    // The first gap in the entries the chosen mode needs, in a fixed order: articles, ad block, then the final
    // filename list (bulk mode with keyword names) or the PDF name (single mode). A text is missing only when empty;
    // nothing is trimmed. These messages have the title "Missing Info". A call-to-action address that
    // PageBuilder::checkCtaUrl refuses and a name that no file may have (the single PDF's, or each final list
    // item's as the PDF it names) are refused too, the first one named, with the title "Error".
    static Result<void, Message> check(const PdfJobRequest& request);

    // Several articles of the run would get one PDF name: the message says how many PDFs would be kept of how many
    // articles and which names they share. A run starts then only when its request allows it.
    static Result<void, Message> checkSharedNames(const PdfJobRequest& request);
    // The PDFs of the run that the output folder already holds: each one's place and file name.
    static QList<std::pair<int, QString>> existingPdfs(const PdfJobRequest& request);
    // How many of them there are, and the first few names.
    static QString existingText(const QList<std::pair<int, QString>>& existing);

    // Deletes the "*.html" files in the page folder, except the page template, whatever the letter case of its name;
    // other files stay. Returns the paths of the pages that could not be deleted.
    static QStringList clearOldPages(const AppFolders& folders);

    // Starts the run. Its result is the name the single PDF is made under, without ".pdf" (empty in bulk mode), for
    // the front end to show; or the message to show when nothing was started: a check that failed, PDF names shared
    // that the request does not allow, PDFs already made that it may not replace (ExistingPdfs::Refuse), another
    // program's run holding the lock, or pages of an earlier run that could not be deleted (nothing is converted
    // then, since a stale page would be taken for a new one).
    Result<QString, Message> start(const PdfJobRequest& request);
    // After a run that the user did not stop and that left PDFs unmade, makes those again (retryRequest); its
    // report, the last run's with the retried rows replaced, comes through finished(). Until the next start()
    // retries may follow one another.
    bool canRetry() const;
    Result<QString, Message> retry();
    // The request of the run going on, or of the last one: a retry's holds only its own articles.
    const PdfJobRequest& runRequest() const { return m_run; }
    bool isRunning() const { return m_engine.isRunning(); }
    // No converter starts any more and the running ones are ended; finished() follows promptly.
    void cancel() { m_engine.cancel(); }

signals:
    // Article index (from 0) of count is being prepared; nameIndex is the item of the final filename list that
    // names its PDF, or -1.
    void articleStarted(int index, int count, int nameIndex);
    // A PDF was made (with the converter's warning, if any) or failed, as each converter run ends, or was skipped.
    void pdfMade(const QString& pdf, const QString& warning);
    void pdfFailed(const QString& pdf, const QString& reason);
    void pdfSkipped(const QString& pdf);
    // The run has ended and its lock is released: the report, and the box that tells the user about it.
    void finished(const PdfJobReport& report, const ClosingBox& box);

private:
    Result<QString, Message> launch(const PdfJobRequest& request);
    void onEngineFinished(const PdfJobReport& report);

    PdfJobEngine m_engine;
    PdfJobRequest m_request; // the last start()'s
    PdfJobReport m_report;   // its report, retries included
    PdfJobRequest m_run;     // the request of the run going on, or of the last one
    bool m_retrying = false;
    // Held from the clearing of old pages to the end of the run.
    std::optional<RunLock> m_lock;
};
