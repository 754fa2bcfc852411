#include "core/PdfJob.h"

#include "core/TextFile.h"
#include "core/ConverterProcess.h"
#include "core/PdfJobEngine.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include <algorithm>

namespace {
// Windows opens the page template whatever the letter case of its name. Where the file system tells letter case
// apart, "template.html" is taken when it is there, else the file of the bin folder whose name differs only in case.
QString PageTemplateFile(const AppFolders& folders)
{
    const QString exact = folders.pageTemplate();
    if (QFileInfo::exists(exact))
        return exact;
    // Without QDir::CaseSensitive the name filter ignores letter case.
    const QStringList others = QDir(folders.bin()).entryList({QFileInfo(exact).fileName()}, QDir::Files);
    return others.isEmpty() ? exact : folders.pageFile(others.first());
}
} // namespace

PdfJob::PdfJob(const PdfJobRequest& request, int plannedPdfs, PdfJobEngine& engine)
    : QObject(&engine)
    , m_engine(engine)
    , m_request(request)
    , m_token(QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0'))
{
    m_report.planned = plannedPdfs;
}

PdfJob::~PdfJob() = default;

void PdfJob::start()
{
    QMetaObject::invokeMethod(this, &PdfJob::prepare, Qt::QueuedConnection);
}

void PdfJob::cancel()
{
    m_report.cancelled = true;
    m_stopping = true;
    for (ConverterRun* run : std::as_const(m_running))
        run->cancel();
    done();
}

void PdfJob::prepare()
{
    if (m_stopping)
        return;
    if (const QString problem = loadPageParts(); !problem.isEmpty()) {
        stop(problem);
        return done();
    }
    begin();
}

QString PdfJob::loadPageParts()
{
    const AppFolders& folders = m_request.folders;
    if (!QFileInfo(folders.converter()).isFile())
        return "The converter was not found. It was expected at:\n" + folders.converter();
    if (!QDir().mkpath(folders.output()))
        return "The output folder could not be made:\n" + folders.output();
    // A converter that cannot write its PDF does not say why, so a folder that takes no files is found out first.
    if (QTemporaryFile probe(folders.output() + "/XXXXXX.tmp"); !probe.open())
        return QString("No file can be written into the output folder:\n%1\n%2")
            .arg(folders.output(), probe.errorString());
    // Left by a program that ended during a run: the application folder's run lock lets no other run write here.
    RemovePartialPdfs(folders.output());
    const QString pageTemplate = PageTemplateFile(folders);
    QString error;
    const std::optional<QString> templateText = vFile::LoadText(pageTemplate, &error);
    if (!templateText)
        return QString("The page template could not be read:\n%1\n%2").arg(pageTemplate, error);
    m_head = PageAssembly::FillTemplate(*templateText, m_request.ad);
    m_tail = PageAssembly::ScriptTail();
    return {};
}

void PdfJob::announceArticle(int index, int nameIndex)
{
    emit m_engine.articleStarted(index, int(m_request.articles.size()), nameIndex);
}

void PdfJob::runConverter(int index, const QString& name, const QString& page, const QString& pdf)
{
    using namespace std::chrono_literals;
    const auto limit =
        m_request.converterTimeLimit > 0ms ? m_request.converterTimeLimit : ConverterTimeLimit(QFileInfo(page).size());
    auto* run = new ConverterRun(m_request.folders.converter(), page, pdf, m_token, limit, this);
    m_running.append(run);
    connect(run, &ConverterRun::finished, this,
            [this, run, index, name](const ConverterResult& result) { converterEnded(run, index, name, result); });
    run->start();
}

bool PdfJob::isInUse(const QString& page, const QString& pdf) const
{
    return std::any_of(m_running.cbegin(), m_running.cend(), [&](const ConverterRun* run) {
        return run->page().compare(page, Qt::CaseInsensitive) == 0 || run->pdf().compare(pdf, Qt::CaseInsensitive) == 0;
    });
}

void PdfJob::converterEnded(ConverterRun* run, int index, const QString& name, const ConverterResult& result)
{
    m_running.removeOne(run);
    run->deleteLater();
    if (result.status == ConverterResult::Made) {
        m_report.outcomes.append({index, name, run->pdf(), true, {}, result.converterLine});
        emit m_engine.pdfMade(run->pdf(), result.converterLine);
    } else {
        m_report.outcomes.append({index, name, run->pdf(), false, result.reason, result.converterLine});
        emit m_engine.pdfFailed(run->pdf(), result.reason);
    }
    // A converter that cannot be started will not start for the next page either.
    if (result.status == ConverterResult::NotStarted)
        stop(result.reason);
    proceed();
    finishWhenIdle();
}

void PdfJob::recordFailure(int index, const QString& name, const QString& pdf, const QString& reason)
{
    m_report.outcomes.append({index, name, pdf, false, reason, {}});
    emit m_engine.pdfFailed(pdf, reason);
}

void PdfJob::stop(const QString& message)
{
    if (m_report.stopMessage.isEmpty() && !m_report.cancelled)
        m_report.stopMessage = message;
    m_stopping = true;
}

void PdfJob::done()
{
    m_done = true;
    finishWhenIdle();
}

void PdfJob::finishWhenIdle()
{
    if (!m_done || !m_running.isEmpty() || m_finishing)
        return;
    m_finishing = true;
    std::stable_sort(m_report.outcomes.begin(), m_report.outcomes.end(),
                     [](const PdfOutcome& a, const PdfOutcome& b) { return a.index < b.index; });
    // Queued, so that the end never comes out of the call that ended the job.
    QMetaObject::invokeMethod(
        this, [this] { m_engine.jobEnded(m_report); }, Qt::QueuedConnection);
}
