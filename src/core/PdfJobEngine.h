// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobTypes.h"

#include <QObject>

class PdfJob;

// Makes the PDFs of one Create: the single or the bulk job, as the request says. It needs no window; the job it
// starts reports each article and PDF, and finished() the end. CreateFlow drives it for every front end.
class PdfJobEngine : public QObject
{
    Q_OBJECT

public:
    explicit PdfJobEngine(QObject* parent = nullptr);
    ~PdfJobEngine() override;

    // Starts a job on a copy of the request and returns it, for its progress signals, which follow after this
    // returns; it is deleted once it has finished. Null, and nothing done, while a job runs.
    PdfJob* start(const PdfJobRequest& request);
    bool isRunning() const { return m_job != nullptr; }
    // No converter starts any more and the running ones are ended; finished() follows promptly, cancelled set.
    void cancel();

signals:
    // The job has ended and no converter of it runs any more.
    void finished(const PdfJobReport& report);

private:
    void onJobFinished(const PdfJobReport& report);

    PdfJob* m_job = nullptr;
};
