#include "core/ConverterProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {
// The end of the error output is all the last error line needs; the converter's progress bars make the rest long.
constexpr qsizetype keptErrorBytes = 16 * 1024;
constexpr qsizetype readableLength = 160;

QString quoted(const QString& text)
{
    return '"' + text + '"';
}

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
} // namespace

QString ConverterProcess::commandLine(const QString& converter, const QStringList& arguments)
{
    QStringList quotedArguments;
    for (const QString& argument : arguments)
        quotedArguments << quoted(argument);
    return quoted(converter) + "  " + quotedArguments.join(u' ');
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
    const QStringList arguments = options + QStringList{page, m_part};
    m_process.setProgram(converter);
    m_process.setArguments(arguments);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.setStandardOutputFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    m_commandLine = commandLine(converter, arguments).toStdWString();
    m_process.setCreateProcessArgumentsModifier(
        [this](QProcess::CreateProcessArguments* args) { args->arguments = m_commandLine.data(); });
#elif defined(Q_OS_UNIX)
    // The converter leads a process group of its own, so that whatever it starts ends with it.
    m_process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif

    m_timer.setSingleShot(true);
    m_timer.setInterval(timeLimit);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        stopProcess();
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
        stopProcess();
}

void ConverterProcess::start()
{
    QMetaObject::invokeMethod(this, &ConverterProcess::launch, Qt::QueuedConnection);
}

void ConverterProcess::cancel()
{
    m_cancelled = true;
    if (m_process.state() != QProcess::NotRunning)
        stopProcess();
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
    const ConverterResult result = outcome(exitCode, exitStatus);
    if (result.status != ConverterResult::Made)
        QFile::remove(m_part);
    report(result);
}

ConverterResult ConverterProcess::outcome(int exitCode, QProcess::ExitStatus exitStatus) const
{
    if (m_cancelled)
        return {ConverterResult::Failed, tr("Stopped because the job was cancelled."), {}};
    if (m_timedOut)
        return {
            ConverterResult::Failed,
            tr("The converter did not finish within %1 s and was stopped.").arg(double(m_timeLimit.count()) / 1000.0),
            {}};
    const QString cause = lastErrorLine(m_errors);
    if (exitStatus == QProcess::CrashExit)
        return {ConverterResult::Failed, tr("The converter stopped unexpectedly."), cause};

    switch (checkPdf(m_part)) {
    case PdfCheck::Pdf:
        break;
    case PdfCheck::Missing:
        return {ConverterResult::Failed, tr("The converter ended with exit code %1 and wrote no PDF.").arg(exitCode),
                cause};
    case PdfCheck::Empty:
        return {ConverterResult::Failed, tr("The converter wrote an empty file."), cause};
    case PdfCheck::NotPdf:
        return {ConverterResult::Failed, tr("The converter wrote a file that is not a PDF."), cause};
    case PdfCheck::Incomplete:
        return {ConverterResult::Failed, tr("The converter wrote an incomplete PDF."), cause};
    }
    if (const Result<> placed = putInPlace(); !placed)
        return {ConverterResult::Failed, placed.error(), {}};
    return {ConverterResult::Made, {}, exitCode == 0 ? QString() : lastErrorLine(m_errors, ConverterLine::Warning)};
}

Result<> ConverterProcess::putInPlace() const
{
    // One rename on the same volume that replaces the PDF there, on Windows too (QFile::rename does not replace).
    std::error_code error;
    std::filesystem::rename(QFile(m_part).filesystemFileName(), QFile(m_pdf).filesystemFileName(), error);
    if (!error)
        return Result<>::ok();
    return Error{tr("The PDF could not be put in place of %1: %2").arg(m_pdf, QString::fromLocal8Bit(error.message()))};
}

void ConverterProcess::readErrors()
{
    m_errors += m_process.readAllStandardError();
    if (m_errors.size() > keptErrorBytes)
        m_errors.remove(0, m_errors.size() - keptErrorBytes);
}

void ConverterProcess::stopProcess()
{
#ifdef Q_OS_UNIX
    if (const qint64 pid = m_process.processId(); pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
#endif
    m_process.kill();
}

void ConverterProcess::report(const ConverterResult& result)
{
    if (m_reported)
        return;
    m_reported = true;
    emit finished(result);
}
