// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ConverterProcess.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>

// One converter kept running with --read-args-from-stdin, given one page at a time: the next page's line is written
// only once the converter has said "Done" on the page before, so that every PDF has its own end, error output and
// outcome. The converter starts with the first page; each page has its own time limit, past which the converter is
// killed with its process group.
class ConverterWorker : public QObject
{
    Q_OBJECT

public:
    struct Document {
        int id = 0;
        QString page;
        QString pdf;
        QString part; // where the converter writes the PDF
        std::chrono::milliseconds timeLimit{0};
    };

    // options: the converter's options, which go before --read-args-from-stdin and hold for every page.
    ConverterWorker(const QString& converter, const QStringList& options, QObject* parent = nullptr);
    ~ConverterWorker() override;

    // Not converting, and the converter not ended: the worker can take a page.
    bool isIdle() const { return !m_busy && !m_ended; }
    bool hasEnded() const { return m_ended; }
    const Document& document() const { return m_document; }

    // Writes the page's line (converterArgumentsLine) to the converter, which starts first when it is not running
    // yet. Only while idle.
    void take(const Document& document, const QByteArray& line);
    // Ends the converter; a page under way ends as cancelled.
    void cancel();

signals:
    // The page under way has ended, with the converter's error output since its line was written.
    void documentEnded(const ConverterEnd& end, const QByteArray& errors);
    // The converter could not be started, so the page given has not been begun.
    void failedToStart(const QString& error);
    // The converter has ended, after documentEnded or failedToStart for a page under way; nothing more is taken.
    void ended();

private:
    void readOutput();
    void pageDone();
    void endDocument(const ConverterEnd& end);
    void onErrorOccurred(QProcess::ProcessError error);
    void onFinished(int exitCode, QProcess::ExitStatus exitStatus);

    QProcess* m_process; // reaped, not waited for, when the worker goes
    QTimer m_timer;
    Document m_document;
    QByteArray m_errors;  // of the page under way
    QByteArray m_pending; // output after the last line end
    bool m_busy = false;
    bool m_ended = false;
    bool m_timedOut = false;
    bool m_cancelled = false;
};
