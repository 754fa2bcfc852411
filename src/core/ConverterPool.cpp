// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConverterPool.h"

#include "core/ConverterLine.h"
#include "core/ConverterProcess.h"
#include "core/ConverterWorker.h"

#include <QFile>

#include <algorithm>

ConverterPool::ConverterPool(const QString& converter, const QStringList& options, int workers, const QString& token,
                             QObject* parent)
    : QObject(parent)
    , m_converter(converter)
    , m_options(options)
    , m_size(workers)
    , m_token(token)
{}

ConverterPool::~ConverterPool() = default;

void ConverterPool::convert(int id, const QString& page, const QString& pdf, std::chrono::milliseconds timeLimit)
{
    const QString part = ConverterProcess::partialPdfPath(pdf, m_token);
    const std::optional<QByteArray> line = converterArgumentsLine({page, part});
    m_pagesOffTheLine += !line && m_size > 0;
    if (ConverterWorker* worker = line ? idleWorker() : nullptr)
        worker->take({id, page, pdf, part, timeLimit}, *line);
    else
        runAlone(id, page, pdf, timeLimit);
}

QString ConverterPool::fallbackReason() const
{
    if (!m_fallbackReason.isEmpty() || m_pagesOffTheLine == 0)
        return m_fallbackReason;
    const QString why = tr("what a converter kept running cannot read (a line break, or on Windows a letter beyond "
                           "ASCII)");
    return m_pagesOffTheLine == 1 ? tr("1 PDF was made by a converter run of its own: its paths hold %1.").arg(why)
                                  : tr("%1 PDFs were each made by a converter run of their own: their paths hold %2.")
                                        .arg(m_pagesOffTheLine)
                                        .arg(why);
}

void ConverterPool::stop()
{
    m_stopping = true;
    for (ConverterWorker* worker : std::as_const(m_workers))
        worker->cancel();
    for (ConverterProcess* run : std::as_const(m_runs))
        run->cancel();
    QMetaObject::invokeMethod(this, &ConverterPool::stoppedWhenIdle, Qt::QueuedConnection);
}

void ConverterPool::stoppedWhenIdle()
{
    if (m_stopping && m_workers.isEmpty() && m_runs.isEmpty()) {
        m_stopping = false;
        emit stopped();
    }
}

ConverterWorker* ConverterPool::idleWorker()
{
    if (!m_fallbackReason.isEmpty())
        return nullptr;
    const auto idle = std::find_if(m_workers.cbegin(), m_workers.cend(),
                                   [](const ConverterWorker* worker) { return worker->isIdle(); });
    if (idle != m_workers.cend())
        return *idle;
    // A worker that has just ended is still listed until its ended() has been handled.
    if (std::count_if(m_workers.cbegin(), m_workers.cend(),
                      [](const ConverterWorker* worker) { return !worker->hasEnded(); }) >= m_size)
        return nullptr;

    auto* worker = new ConverterWorker(m_converter, m_options, this);
    m_workers.append(worker);
    connect(worker, &ConverterWorker::documentEnded, this,
            [this, worker](const ConverterEnd& end, const QByteArray& errors) { documentEnded(worker, end, errors); });
    // A converter that cannot be started on its own either stops the job; the workers are given up only when it
    // can.
    connect(worker, &ConverterWorker::failedToStart, this, [this, worker](const QString& error) {
        const ConverterWorker::Document& document = worker->document();
        runAlone(document.id, document.page, document.pdf, document.timeLimit, error);
    });
    connect(worker, &ConverterWorker::ended, this, [this, worker] {
        m_workers.removeOne(worker);
        worker->deleteLater();
        stoppedWhenIdle();
    });
    return worker;
}

void ConverterPool::documentEnded(ConverterWorker* worker, const ConverterEnd& end, const QByteArray& errors)
{
    const ConverterWorker::Document& document = worker->document();
    if (end.how == ConverterEnd::Reported) {
        m_workerFinishedPage = true;
    } else if ((end.how == ConverterEnd::Exited || end.how == ConverterEnd::Crashed) && !m_workerFinishedPage) {
        // Either the page cannot be made, or the converter takes no pages line by line (an older one, or one that
        // refuses an option) and ends at once: made alone, the page tells which.
        const QString cause = ConverterProcess::lastErrorLine(errors);
        QFile::remove(document.part);
        return runAlone(document.id, document.page, document.pdf, document.timeLimit,
                        cause.isEmpty() ? tr("exit code %1").arg(end.exitCode) : cause);
    }
    emit finished(document.id, ConverterProcess::finishPartialPdf(document.part, end, errors));
}

void ConverterPool::giveUpWorkers(const QString& cause)
{
    if (m_fallbackReason.isEmpty())
        m_fallbackReason = tr("The converter did not stay running from one page to the next (%1), so each PDF was "
                              "made by a converter run of its own.")
                               .arg(cause);
    for (ConverterWorker* worker : std::as_const(m_workers)) {
        if (worker->isIdle())
            worker->cancel();
    }
}

void ConverterPool::runAlone(int id, const QString& page, const QString& pdf, std::chrono::milliseconds timeLimit,
                             const QString& workerCause)
{
    auto* run = new ConverterProcess(m_converter, m_options, page, pdf, m_token, timeLimit, this);
    m_runs.append(run);
    connect(run, &ConverterProcess::finished, this, [this, run, id, workerCause](const ConverterResult& result) {
        m_runs.removeOne(run);
        run->deleteLater();
        if (!workerCause.isEmpty() && result.status == ConverterResult::Made && !m_workerFinishedPage)
            giveUpWorkers(workerCause);
        emit finished(id, result);
        stoppedWhenIdle();
    });
    run->start();
}
