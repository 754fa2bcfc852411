// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/PdfJobEngine.h"
#include "support/TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#ifdef Q_OS_WIN
#include <windows.h>
#undef MessageBox // the program's own
#endif

#include <algorithm>
#include <chrono>

// Runs PDF jobs through the engine in a temporary application folder and waits for them, with a bound.
namespace PdfJobTesting {

// The stand-in converter's script that writes a small whole PDF.
inline const QString standInConverter = "pdf";

inline PdfJobRequest request(const TestAppFolder& app, CreationMode mode, const QStringList& articles)
{
    return {.folders = app.folders(),
            .articles = articles,
            .ad = {"Grow Tomatoes Like a Pro", "Get the Free Guide", "https://example.com/guide"},
            .mode = mode,
            .singlePdfName = "my report"};
}

// Writes an article under the folder's "articles" folder (relative path with "/"); returns its native path.
inline QString article(const TestAppFolder& app, const QString& relativePath, const QByteArray& text)
{
    return QDir::toNativeSeparators(app.writeFile("articles/" + relativePath, text));
}

// The report of a job run to its end; a job that does not end within the bound fails the test.
inline PdfJobReport run(const PdfJobRequest& request, std::chrono::milliseconds bound = std::chrono::seconds(60))
{
    PdfJobEngine engine;
    QSignalSpy finished(&engine, &PdfJobEngine::finished);
    if (!engine.start(request) || !finished.wait(int(bound.count())))
        return {-1, {}, "the job did not end in time", false};
    return finished.first().first().value<PdfJobReport>();
}

// What a tool such as pdftotext or pdfinfo prints; empty when it does not end in time.
inline QString toolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// The text of a PDF as pdftotext gives it, line by line; empty when it cannot be read.
inline QString pdfText(const QString& pdf)
{
    return toolOutput("pdftotext", {pdf, "-"});
}

// A process counts as gone when nothing of it is left but an unreaped entry.
inline bool processAlive(qint64 pid)
{
#ifdef Q_OS_WIN
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    const bool alive = process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    if (process)
        CloseHandle(process);
    return alive;
#else
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype afterName = line.lastIndexOf(')');
    return afterName < 0 || line.mid(afterName + 2, 1) != "Z";
#endif
}

// Whether a process whose id is on a line of the file still runs.
inline bool anyAlive(const QString& pidFile)
{
    const QList<QByteArray> pids = TestAppFolder::readFile(pidFile).split('\n');
    return std::any_of(pids.begin(), pids.end(), [](const QByteArray& pid) { return processAlive(pid.toLongLong()); });
}

} // namespace PdfJobTesting
