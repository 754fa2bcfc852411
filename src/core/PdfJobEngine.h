// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"

#include <QObject>

class PdfJob;

// Makes the PDFs of one Create: the single or the bulk job, as the request says. It needs no window and reports
// only through its signals, which pass on those of the job it runs. CreateFlow drives it for every front end.
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
    void pdfSkipped(const QString& pdf);
    // The job has ended and no converter of it runs any more.
    void finished(const PdfJobReport& report);

private:
    void onJobFinished(const PdfJobReport& report);

    PdfJob* m_job = nullptr;
};
