// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConverterProcess.h"

#include "core/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {
// The end of the error output is all the last error line needs; the converter's progress bars make the rest long.
constexpr qsizetype keptErrorBytes = 16 * 1024;
constexpr qsizetype readableLength = 160;

// Progress bars ("[=====>    ] 50%"), phases ("Loading page (1/2)") and the closing "Done".
bool isProgress(const QString& line)
{
    static const QRegularExpression phase(R"(\(\d+/\d+\)$)");
    return line.startsWith(u'[') || line == u"Done" || phase.match(line).hasMatch();
}

// What every run prints offline, good PDF or not: Qt's notice about the environment, the page's scripts that did not
// load, and what that makes of the exit code. A page that cannot load itself is told by "Error: Failed loading page".
bool isWarning(const QString& line)
{
    return line.startsWith(u"Warning:") || line.startsWith(u"Error: Failed to load ") ||
           line.startsWith(u"Exit with code ") || line.startsWith(u"QStandardPaths:");
}

// The partial PDF renamed over the PDF.
Result<> putInPlace(const QString& part, const QString& pdf)
{
    // One rename on the same volume that replaces the PDF there, on Windows too (QFile::rename does not replace).
    std::error_code error;
    std::filesystem::rename(QFile(part).filesystemFileName(), QFile(pdf).filesystemFileName(), error);
    if (!error)
        return Result<>::ok();
    return Error{ConverterProcess::tr("The PDF could not be put in place of %1: %2")
                     .arg(pdf, QString::fromLocal8Bit(error.message()))};
}

ConverterResult judge(const QString& part, const ConverterEnd& end, const QByteArray& errors)
{
    const auto tr = [](const char* text) { return ConverterProcess::tr(text); };
    if (end.how == ConverterEnd::Cancelled)
        return {ConverterResult::Failed, tr("Stopped because the job was cancelled."), {}};
    if (end.how == ConverterEnd::TimedOut)
        return {
            ConverterResult::Failed,
            tr("The converter did not finish within %1 s and was stopped.").arg(double(end.timeLimit.count()) / 1000.0),
            {}};
    const QString cause = ConverterProcess::lastErrorLine(errors);
    if (end.how == ConverterEnd::Crashed)
        return {ConverterResult::Failed, tr("The converter stopped unexpectedly."), cause};

    const PdfCheck check = ConverterProcess::checkPdf(part);
    if (check != PdfCheck::Pdf && check != PdfCheck::NotPdf && Platform::diskFull(part))
        return {ConverterResult::Failed, tr("The disk is full: the converter could not write the whole PDF."), cause};
    switch (check) {
    case PdfCheck::Pdf:
        break;
    case PdfCheck::Missing:
        if (end.how == ConverterEnd::Reported)
            return {ConverterResult::Failed, tr("The converter wrote no PDF."), cause};
        return {ConverterResult::Failed,
                tr("The converter ended with exit code %1 and wrote no PDF.").arg(end.exitCode), cause};
    case PdfCheck::Empty:
        return {ConverterResult::Failed, tr("The converter wrote an empty file."), cause};
    case PdfCheck::NotPdf:
        return {ConverterResult::Failed, tr("The converter wrote a file that is not a PDF."), cause};
    case PdfCheck::Incomplete:
        return {ConverterResult::Failed, tr("The converter wrote an incomplete PDF."), cause};
    }
    // A converter kept running has no exit code per page; an error line on the page is what gives the exit code 1.
    const bool warned = end.how == ConverterEnd::Reported ? errors.contains("Error:") : end.exitCode != 0;
    return {ConverterResult::Made,
            {},
            warned ? ConverterProcess::lastErrorLine(errors, ConverterLine::Warning) : QString()};
}
} // namespace

ConverterEnd ConverterEnd::ofProcess(bool cancelled, bool timedOut, std::chrono::milliseconds timeLimit, int exitCode,
                                     QProcess::ExitStatus exitStatus)
{
    if (cancelled)
        return {Cancelled};
    if (timedOut)
        return {TimedOut, 0, timeLimit};
    if (exitStatus == QProcess::CrashExit)
        return {Crashed};
    return {Exited, exitCode};
}

QString ConverterProcess::lastErrorLine(const QByteArray& errorOutput, ConverterLine use)
{
    static const QRegularExpression lineBreaks("[\r\n]+");
    QString lastLine;
    QString lastError;
    for (const QString& piece : QString::fromLocal8Bit(errorOutput).split(lineBreaks, Qt::SkipEmptyParts)) {
        const QString line = piece.trimmed();
        if (line.isEmpty() || isProgress(line) || (use == ConverterLine::Cause && isWarning(line)))
            continue;
        lastLine = line;
        if (line.startsWith(u"Error:"))
            lastError = line;
    }
    QString chosen = lastError.isEmpty() ? lastLine : lastError;
    if (chosen.size() > readableLength)
        chosen = chosen.left(readableLength - 3) + "...";
    return chosen;
}

PdfCheck ConverterProcess::checkPdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return PdfCheck::Missing;
    if (file.size() == 0)
        return PdfCheck::Empty;
    if (file.read(4) != "%PDF")
        return PdfCheck::NotPdf;
    // The end of the trailer lies within the last kilobyte.
    file.seek(std::max<qint64>(0, file.size() - 1024));
    return file.readAll().trimmed().endsWith("%%EOF") ? PdfCheck::Pdf : PdfCheck::Incomplete;
}

QString ConverterProcess::partialPdfPath(const QString& pdf, const QString& token)
{
    const QFileInfo info(pdf);
    return QDir::toNativeSeparators(info.dir().filePath('.' + info.fileName() + '.' + token + ".part"));
}

void ConverterProcess::removePartialPdfs(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList({".*.????????.part"}, QDir::Files | QDir::Hidden))
        dir.remove(name);
}

std::chrono::milliseconds ConverterProcess::timeLimit(qint64 pageBytes)
{
    // Measured with the shipped template on pages of plain paragraphs: the converter needs 2.7 s of processor time
    // per MB of page (1, 2 and 5 MB: 2.7, 5.4 and 13.1 s), but up to 13 s per MB of wall time on two cores shared
    // with other work (5 MB: 15 s alone, 65 s on a busy machine), as the bulk job's converters share them too.
    // 30 s per MB leaves more than twice the slowest; small pages keep two minutes for a slow start.
    return std::chrono::seconds(120 + pageBytes * 30 / (1024 * 1024));
}

ConverterResult ConverterProcess::finishPartialPdf(const QString& part, const ConverterEnd& end,
                                                   const QByteArray& errors)
{
    const ConverterResult result = judge(part, end, errors);
    if (result.status != ConverterResult::Made)
        QFile::remove(part);
    return result;
}

ConverterResult ConverterProcess::placePartialPdf(const QString& part, const QString& pdf, const ConverterResult& made,
                                                  const PdfMetadata::Properties& properties)
{
    ConverterResult placed = made;
    if (const Result<void, PdfMetadata::WriteFailure> written = PdfMetadata::write(part, properties); !written) {
        if (written.error().damaged) {
            QFile::remove(part);
            return {ConverterResult::Failed, tr("The converter wrote a damaged PDF: %1").arg(written.error().reason),
                    made.converterLine};
        }
        placed.converterLine =
            made.converterLine.isEmpty() ? written.error().reason : made.converterLine + "; " + written.error().reason;
    }
    if (const Result<> renamed = putInPlace(part, pdf); !renamed) {
        QFile::remove(part);
        return {ConverterResult::Failed, renamed.error(), {}};
    }
    return placed;
}

ConverterProcess::ConverterProcess(const QString& converter, const QStringList& options, const QString& page,
                                   const QString& pdf, const QString& token, std::chrono::milliseconds timeLimit,
                                   QObject* parent)
    : QObject(parent)
    , m_converter(converter)
    , m_page(page)
    , m_pdf(pdf)
    , m_part(partialPdfPath(pdf, token))
    , m_timeLimit(timeLimit)
{
    // QProcess quotes the arguments for Windows' command line itself, quote marks and trailing backslashes too.
    m_process.setProgram(converter);
    m_process.setArguments(options + QStringList{page, m_part});
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(QProcess::nullDevice());
    Platform::leadOwnProcessGroup(m_process);

    m_timer.setSingleShot(true);
    m_timer.setInterval(timeLimit);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        Platform::killProcessGroup(m_process);
    });
    connect(&m_process, &QProcess::errorOccurred, this, &ConverterProcess::onErrorOccurred);
    connect(&m_process, &QProcess::finished, this, &ConverterProcess::onFinished);
    connect(&m_process, &QProcess::readyReadStandardError, this, &ConverterProcess::readErrors);
}

ConverterProcess::~ConverterProcess()
{
    // The process's own destructor waits for the end; by then nothing of this object may be called.
    m_process.disconnect(this);
    if (m_process.state() != QProcess::NotRunning)
        Platform::killProcessGroup(m_process);
}

void ConverterProcess::start()
{
    QMetaObject::invokeMethod(this, &ConverterProcess::launch, Qt::QueuedConnection);
}

void ConverterProcess::cancel()
{
    m_cancelled = true;
    if (m_process.state() != QProcess::NotRunning)
        Platform::killProcessGroup(m_process);
}

void ConverterProcess::launch()
{
    if (m_cancelled)
        return report({ConverterResult::Failed, tr("Stopped before the converter started."), {}});
    // The limit runs from before the start, so that a start that fails at once stops it again.
    m_timer.start();
    m_process.start();
}

void ConverterProcess::onErrorOccurred(QProcess::ProcessError error)
{
    // Every other error ends in finished().
    if (error != QProcess::FailedToStart)
        return;
    m_timer.stop();
    report({ConverterResult::NotStarted,
            tr("The converter %1 could not be started: %2").arg(m_converter, m_process.errorString()),
            {}});
}

void ConverterProcess::onFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    m_timer.stop();
    readErrors();
    report(finishPartialPdf(m_part, ConverterEnd::ofProcess(m_cancelled, m_timedOut, m_timeLimit, exitCode, exitStatus),
                            m_errors));
}

void ConverterProcess::readErrors()
{
    m_errors += m_process.readAllStandardError();
    if (m_errors.size() > keptErrorBytes)
        m_errors.remove(0, m_errors.size() - keptErrorBytes);
}

void ConverterProcess::report(const ConverterResult& result)
{
    if (m_reported)
        return;
    m_reported = true;
    emit finished(result);
}
