// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PdfJobEngine.h"

#include "core/BulkPdfJob.h"
#include "core/SinglePdfJob.h"

PdfJobEngine::PdfJobEngine(QObject* parent)
    : QObject(parent)
{}

PdfJobEngine::~PdfJobEngine() = default;

PdfJob* PdfJobEngine::start(const PdfJobRequest& request)
{
    if (m_job)
        return nullptr;
    if (request.mode == CreationMode::Single)
        m_job = new SinglePdfJob(request, this);
    else
        m_job = new BulkPdfJob(request, this);
    connect(m_job, &PdfJob::finished, this, &PdfJobEngine::onJobFinished);
    m_job->start();
    return m_job;
}

void PdfJobEngine::onJobFinished(const PdfJobReport& report)
{
    m_job->deleteLater();
    m_job = nullptr;
    emit finished(report);
}

void PdfJobEngine::cancel()
{
    if (m_job)
        m_job->cancel();
}
