// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PdfJob.h"

#include "core/ConverterPool.h"
#include "core/ConverterProcess.h"
#include "core/PdfNames.h"
#include "core/Product.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QtConcurrent>

#include <algorithm>

namespace {
// Two warnings of one PDF in one line; either may be empty.
QString joined(const QString& first, const QString& second)
{
    return first.isEmpty() || second.isEmpty() ? first + second : first + "; " + second;
}
} // namespace

PdfJob::PdfJob(const PdfJobRequest& request, int plannedPdfs, QObject* parent)
    : QObject(parent)
    , m_request(request)
    , m_token(QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0'))
    , m_converterLimit(request.converters())
    , m_converters(new ConverterPool(request.folders.converter(),
                                     request.options.page.arguments(request.folders.pages()),
                                     request.mode == CreationMode::Bulk ? m_converterLimit : 0, m_token, this))
{
    m_report.planned = plannedPdfs;
    connect(m_converters, &ConverterPool::finished, this, [this](int index, const ConverterResult& result) {
        --m_runningConverters;
        if (result.status == ConverterResult::Made) {
            // The converter takes its next page while the PDF gets its properties and its place.
            placePdf(index, result);
            proceed();
        } else {
            converterEnded(index, result);
        }
    });
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
    m_converters->stop();
    done();
}

void PdfJob::prepare()
{
    if (m_stopping)
        return;
    if (const Result<> loaded = loadPageParts(); !loaded) {
        stop(loaded.error());
        return done();
    }
    begin();
}

Result<> PdfJob::loadPageParts()
{
    const AppFolders& folders = m_request.folders;
    if (!QFileInfo(folders.converter()).isFile())
        return Error{tr("The converter was not found. It was expected at:\n%1").arg(folders.converter())};
    if (const Result<> options = m_request.options.page.check(); !options)
        return options;
    if (!QDir().mkpath(folders.output()))
        return Error{tr("The output folder could not be made:\n%1").arg(folders.output())};
    // A converter that cannot write its PDF does not say why, so a folder that takes no files is found out first.
    if (QTemporaryFile probe(folders.output() + "/XXXXXX.tmp"); !probe.open())
        return Error{
            tr("No file can be written into the output folder:\n%1\n%2").arg(folders.output(), probe.errorString())};
    // Left by a program that ended during a run: the application folder's run lock lets no other run write here.
    ConverterProcess::removePartialPdfs(folders.output());
    const QString pageTemplate = folders.pageTemplate();
    const Result<QString> templateText = TextFile::load(pageTemplate);
    if (!templateText)
        return Error{tr("The page template could not be read:\n%1\n%2").arg(pageTemplate, templateText.error())};
    m_head = PageBuilder::fillTemplate(*templateText, m_request.ad);
    m_tail = PageBuilder::scriptTail();
    return Result<>::ok();
}

void PdfJob::announceArticle(int index, int nameIndex)
{
    emit articleStarted(index, int(m_request.articles.size()), nameIndex);
}

PdfMetadata::Properties PdfJob::properties(const QString& title, const QString& keywords) const
{
    return {title, m_request.ad.title, keywords, m_request.options.author, Product::creator()};
}

void PdfJob::runConverter(int index, const QString& name, const QString& page, const QString& pdf,
                          const PdfMetadata::Properties& properties, const QString& warning)
{
    using namespace std::chrono_literals;
    const auto limit = m_request.converterTimeLimit > 0ms
                           ? std::min<std::chrono::milliseconds>(m_request.converterTimeLimit, MaxConverterTimeLimit)
                           : ConverterProcess::timeLimit(QFileInfo(page).size());
    m_converting.insert(index, {name, page, pdf, properties, warning});
    ++m_runningConverters;
    m_converters->convert(index, page, pdf, limit);
}

void PdfJob::placePdf(int index, const ConverterResult& result)
{
    auto* watcher = new QFutureWatcher<ConverterResult>(this);
    connect(watcher, &QFutureWatcher<ConverterResult>::finished, this, [this, watcher, index] {
        watcher->deleteLater();
        converterEnded(index, watcher->result());
    });
    const Converting& converting = m_converting[index];
    watcher->setFuture(QtConcurrent::run([part = ConverterProcess::partialPdfPath(converting.pdf, m_token),
                                          pdf = converting.pdf, properties = converting.properties, result] {
        return ConverterProcess::placePartialPdf(part, pdf, result, properties);
    }));
}

QString PdfJob::textWarning(const QString& article, const QString& text)
{
    if (!text.contains(QChar(0)))
        return {};
    return tr("The article %1 does not look like text: it holds NUL bytes.").arg(article);
}

bool PdfJob::isInUse(const QString& page, const QString& pdf) const
{
    return std::any_of(m_converting.cbegin(), m_converting.cend(), [&](const Converting& converting) {
        return converting.page.compare(page, Qt::CaseInsensitive) == 0 ||
               converting.pdf.compare(pdf, Qt::CaseInsensitive) == 0;
    });
}

void PdfJob::converterEnded(int index, const ConverterResult& result)
{
    const Converting converting = m_converting.take(index);
    const int place = m_request.placeOf(index);
    if (result.status != ConverterResult::NotStarted)
        m_report.converted = true;
    if (result.status == ConverterResult::Made) {
        const QString warnings = joined(converting.warning, result.converterLine);
        m_report.outcomes.append({place, converting.name, converting.pdf, PdfOutcome::Made, {}, warnings});
        emit pdfMade(converting.pdf, warnings);
    } else {
        m_report.outcomes.append(
            {place, converting.name, converting.pdf, PdfOutcome::Failed, result.reason, result.converterLine});
        emit pdfFailed(converting.pdf, result.reason);
    }
    // A converter that cannot be started will not start for the next page either.
    if (result.status == ConverterResult::NotStarted)
        stop(result.reason);
    proceed();
    finishWhenIdle();
}

void PdfJob::recordFailure(int index, const QString& name, const QString& pdf, const QString& reason)
{
    m_report.outcomes.append({m_request.placeOf(index), name, pdf, PdfOutcome::Failed, reason, {}});
    emit pdfFailed(pdf, reason);
}

void PdfJob::recordSkipped(int index, const QString& name, const QString& pdf)
{
    m_report.outcomes.append({m_request.placeOf(index), name, pdf, PdfOutcome::Skipped, {}, {}});
    emit pdfSkipped(pdf);
}

void PdfJob::completeReport()
{
    // Outcomes come in the order the PDFs were renamed into place: two of one name never convert at once.
    markReplaced(m_report.outcomes, m_request);
    QSet<int> reported;
    for (const PdfOutcome& outcome : std::as_const(m_report.outcomes))
        reported.insert(outcome.index);
    for (const PdfNames::PlannedPdf& planned : PdfNames::plannedPdfs(m_request)) {
        if (!reported.contains(planned.place))
            m_report.outcomes.append({planned.place, planned.name, planned.pdf, PdfOutcome::NotStarted, {}, {}});
    }
    std::stable_sort(m_report.outcomes.begin(), m_report.outcomes.end(),
                     [](const PdfOutcome& a, const PdfOutcome& b) { return a.index < b.index; });
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
    if (!m_done || !m_converting.isEmpty() || m_finishing)
        return;
    m_finishing = true;
    m_report.converterFallback = m_converters->fallbackReason();
    completeReport();
    // The converters kept running end with the job, before it says so; the end never comes out of the call that
    // ended the job.
    connect(m_converters, &ConverterPool::stopped, this, [this] { emit finished(m_report); });
    m_converters->stop();
}
