#pragma once

#include "core/PdfJobTypes.h"

#include <QObject>

class PdfJob;

// Makes the PDFs of one Create: the single or the bulk job, as the request says. It needs no window and reports
// only through its signals. How the main window drives it:
//
//   cmdCreate_Click: read the controls into a PdfJobRequest (its lists are copied, so the user may change the
//       window's lists while the job runs); if CreateCheck(request) gives a message, show it and stop; if its
//       RunLock cannot be taken, show BusyMessage() and stop; if ClearOldPages(request.folders) returns pages,
//       release the lock, show OldPagesMessage(pages) and stop; in single mode write
//       PageAssembly::SinglePdfBaseName(name) back into txtPDFFilename; enter the busy state; start(request).
//   articleStarted: caption "Please Wait ... (Preparing File " index + 1 "/" count ")" and the current item of
//       lstSelectedArticles; with nameIndex >= 0 also the current item of lstFinalList.
//   finished: release the run lock and leave the busy state; unless report.cancelled, show ClosingBoxFor(report) (Yes/No with the
//       question icon when askToOpenOutput, opening the output folder on Yes; else OK with the warning icon).
//   Closing the window while isRunning(): once confirmed, cancel() and quit on finished().
class PdfJobEngine : public QObject
{
    Q_OBJECT

public:
    explicit PdfJobEngine(QObject* parent = nullptr);
    ~PdfJobEngine() override;

    // Starts a job on a copy of the request; its signals follow after this returns. False, and nothing done,
    // while a job runs.
    bool start(const PdfJobRequest& request);
    bool isRunning() const { return m_job != nullptr; }
    // No converter starts any more and the running ones are ended; finished() follows promptly, cancelled set.
    void cancel();

signals:
    // Article index (from 0) of count is being prepared; nameIndex is the item of the final filename list that
    // names its PDF, or -1.
    void articleStarted(int index, int count, int nameIndex);
    void pdfMade(const QString& pdf, const QString& warning);
    void pdfFailed(const QString& pdf, const QString& reason);
    // The job has ended and no converter of it runs any more.
    void finished(const PdfJobReport& report);

private:
    friend class PdfJob;
    void jobEnded(const PdfJobReport& report);

    PdfJob* m_job = nullptr;
};
