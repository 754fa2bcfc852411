// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConverterWorker.h"

#include "core/Platform.h"

#include <utility>

namespace {
// The end of the error output is all the last error line needs; the converter's progress bars make the rest long.
constexpr qsizetype keptErrorBytes = 16 * 1024;
// The converter pads "Done" with blanks to the width of its progress bar; a longer line cannot be that one.
constexpr qsizetype longestDoneLine = 256;
} // namespace

ConverterWorker::ConverterWorker(const QString& converter, const QStringList& options, QObject* parent)
    : QObject(parent)
    , m_process(new QProcess(this))
{
    m_process->setProgram(converter);
    m_process->setArguments(options + QStringList{QStringLiteral("--read-args-from-stdin")});
    m_process->setStandardOutputFile(QProcess::nullDevice());
    Platform::leadOwnProcessGroup(*m_process);

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        Platform::killProcessGroup(*m_process);
    });
    connect(m_process, &QProcess::errorOccurred, this, &ConverterWorker::onErrorOccurred);
    connect(m_process, &QProcess::finished, this, &ConverterWorker::onFinished);
    connect(m_process, &QProcess::readyReadStandardError, this, &ConverterWorker::readOutput);
}

ConverterWorker::~ConverterWorker()
{
    Platform::reapProcessGroup(m_process);
}

void ConverterWorker::take(const Document& document, const QByteArray& line)
{
    m_document = document;
    m_busy = true;
    m_errors.clear();
    m_timer.start(document.timeLimit);
    if (m_process->state() == QProcess::NotRunning)
        m_process->start();
    // Written while the converter starts, the line waits in the pipe.
    if (!m_ended)
        m_process->write(line);
}

void ConverterWorker::cancel()
{
    m_cancelled = true;
    if (m_process->state() != QProcess::NotRunning)
        Platform::killProcessGroup(*m_process);
}

void ConverterWorker::readOutput()
{
    const QByteArray output = m_process->readAllStandardError();
    if (m_busy) {
        m_errors += output;
        if (m_errors.size() > keptErrorBytes)
            m_errors.remove(0, m_errors.size() - keptErrorBytes);
    }
    // Progress bars end in a carriage return, "Done" and the other lines in a line feed.
    m_pending += output;
    for (qsizetype lineEnd = 0; lineEnd < m_pending.size();) {
        if (m_pending[lineEnd] != '\n' && m_pending[lineEnd] != '\r') {
            ++lineEnd;
            continue;
        }
        const bool done = m_pending.first(lineEnd).trimmed() == "Done";
        m_pending.remove(0, lineEnd + 1);
        lineEnd = 0;
        if (done)
            pageDone();
    }
    // Of a longer piece without its line end only this is kept: that it is not "Done".
    if (m_pending.size() > longestDoneLine)
        m_pending = "-";
}

void ConverterWorker::pageDone()
{
    // A "Done" with no page under way puts the converter out of step: its next one could be taken for the next
    // page's.
    if (m_busy)
        endDocument({ConverterEnd::Reported});
    else
        Platform::killProcessGroup(*m_process);
}

void ConverterWorker::endDocument(const ConverterEnd& end)
{
    m_timer.stop();
    m_busy = false;
    emit documentEnded(end, std::exchange(m_errors, {}));
}

void ConverterWorker::onErrorOccurred(QProcess::ProcessError error)
{
    // Every other error ends in finished().
    if (error != QProcess::FailedToStart)
        return;
    m_timer.stop();
    m_ended = true;
    m_busy = false;
    emit failedToStart(m_process->errorString());
    emit ended();
}

void ConverterWorker::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    m_ended = true;
    // The converter's last "Done" may come with its end.
    readOutput();
    if (m_busy)
        endDocument(ConverterEnd::ofProcess(m_cancelled, m_timedOut, m_document.timeLimit, exitCode, exitStatus));
    emit ended();
}
