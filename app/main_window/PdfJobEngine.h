#pragma once

#include "main_window/PdfJobRequest.h"

#include <QObject>

class PdfJob;

// Makes the PDFs of one Create: the single or the bulk job, as the request says. It needs no window and reports
// only through its signals; the window shows them.
//
//     connect(&engine, &PdfJobEngine::articleStarted, ...); // caption "Please Wait ... (Preparing File i/n)",
//                                                           // current items of the article and name lists
//     connect(&engine, &PdfJobEngine::finished, ...);       // leave the busy state, show ClosingBoxFor(report)
//     engine.start(request);                                // after CreateCheck and ClearOldPages
//
// On closing the window while a job runs: cancel(), then quit on finished().
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
    PdfJob* m_job = nullptr;
};
