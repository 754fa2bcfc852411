#include "core/CreateFlow.h"

#include "core/FileNames.h"
#include "core/PdfNames.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>

RunLock::RunLock(const AppFolders& folders)
    : m_file(folders.pageFile(QStringLiteral("leafrunner.lock")))
{
    // A long run must never lose its lock for being old.
    m_file.setStaleLockTime(0);
}

bool RunLock::take()
{
    return m_file.tryLock() || m_file.error() != QLockFile::LockFailedError;
}

PdfJobRequest retryRequest(const PdfJobRequest& request, const PdfJobReport& report)
{
    PdfJobRequest retry = request;
    if (request.mode == CreationMode::Single)
        return retry;
    QSet<int> made;
    for (const PdfOutcome& outcome : report.outcomes) {
        if (outcome.made)
            made.insert(outcome.index);
    }
    retry.articles.clear();
    retry.places.clear();
    for (int i = 0; i < request.articles.size(); ++i) {
        if (!made.contains(request.placeOf(i))) {
            retry.articles << request.articles.at(i);
            retry.places << request.placeOf(i);
        }
    }
    return retry;
}

PdfJobReport withRetry(const PdfJobReport& report, const PdfJobReport& retry)
{
    QSet<int> retried;
    for (const PdfOutcome& outcome : retry.outcomes)
        retried.insert(outcome.index);
    PdfJobReport merged = retry;
    merged.planned = report.planned;
    for (const PdfOutcome& outcome : report.outcomes) {
        if (!retried.contains(outcome.index))
            merged.outcomes << outcome;
    }
    std::stable_sort(merged.outcomes.begin(), merged.outcomes.end(),
                     [](const PdfOutcome& a, const PdfOutcome& b) { return a.index < b.index; });
    return merged;
}

CreateFlow::CreateFlow(QObject* parent)
    : QObject(parent)
{
    connect(&m_engine, &PdfJobEngine::articleStarted, this, &CreateFlow::articleStarted);
    connect(&m_engine, &PdfJobEngine::pdfMade, this, &CreateFlow::pdfMade);
    connect(&m_engine, &PdfJobEngine::pdfFailed, this, &CreateFlow::pdfFailed);
    connect(&m_engine, &PdfJobEngine::finished, this, &CreateFlow::onEngineFinished);
}

CreateFlow::~CreateFlow() = default;

Result<void, Message> CreateFlow::check(const PdfJobRequest& request)
{
    const QString title = tr("Missing Info");
    if (request.articles.isEmpty())
        return Error{Message{title, tr("Please select one or more articles first.")}};
    const PageBuilder::AdBlock& ad = request.ad;
    if (ad.title.isEmpty() || ad.ctaText.isEmpty() || ad.ctaUrl.isEmpty())
        return Error{Message{title, tr("Please enter your Ad details.")}};
    if (const Result<> address = PageBuilder::checkCtaUrl(ad.ctaUrl); !address)
        return Error{Message{tr("Error"), address.error()}};
    if (request.mode == CreationMode::Bulk) {
        if (request.naming == PdfNaming::Original)
            return Result<void, Message>::ok();
        if (request.finalNames.isEmpty())
            return Error{Message{title, tr("Please enter one or more keywords first.")}};
        // Every name is checked before any page is written, rather than failing PDF by PDF at the converter.
        for (const QString& name : request.finalNames) {
            if (const Result<> checked = FileNames::check(PdfNames::keywordPdfName(name)); !checked)
                return Error{Message{tr("Error"), checked.error()}};
        }
        return Result<void, Message>::ok();
    }
    if (request.singlePdfName.isEmpty())
        return Error{Message{title, tr("Please enter a filename for your PDF file.")}};
    if (const Result<> checked = PdfNames::checkSinglePdfName(request.singlePdfName); !checked)
        return Error{Message{tr("Error"), checked.error()}};
    return Result<void, Message>::ok();
}

QStringList CreateFlow::clearOldPages(const AppFolders& folders)
{
    QStringList remaining;
    const QDir pages(folders.pages());
    // Hidden too: a page named after an empty name is ".html".
    for (const QString& name : pages.entryList({"*.html"}, QDir::Files | QDir::Hidden)) {
        if (PdfNames::isPageTemplate(name))
            continue;
        const QString page = folders.pageFile(name);
        // A page that went meanwhile is gone all the same.
        if (!QFile::remove(page) && QFile::exists(page))
            remaining << page;
    }
    return remaining;
}

Result<QString, Message> CreateFlow::start(const PdfJobRequest& request)
{
    const Result<QString, Message> started = launch(request);
    if (started) {
        m_request = request;
        m_report = {};
        m_retrying = false;
    }
    return started;
}

bool CreateFlow::canRetry() const
{
    return !m_report.cancelled && m_report.madeCount() < m_report.planned;
}

Result<QString, Message> CreateFlow::retry()
{
    if (!canRetry())
        return Error{Message{tr("Retry Failed"), tr("Every PDF of the last run was made.")}};
    const Result<QString, Message> started = launch(retryRequest(m_request, m_report));
    if (started)
        m_retrying = true;
    return started;
}

Result<QString, Message> CreateFlow::launch(const PdfJobRequest& request)
{
    const Message busy{tr("Busy"), tr("Another Leafrunner is making PDFs from this application folder. Please press "
                                      "Create again when it has finished.")};
    if (isRunning())
        return Error{busy};
    if (const Result<void, Message> checked = check(request); !checked)
        return Error{checked.error()};
    m_lock.emplace(request.folders);
    if (!m_lock->take()) {
        m_lock.reset();
        return Error{busy};
    }
    if (const QStringList stale = clearOldPages(request.folders); !stale.isEmpty()) {
        m_lock.reset();
        return Error{Message{tr("Error"),
                             tr("These pages of an earlier run could not be deleted, so no PDF was made. Close the "
                                "programs that use them and press Create again.") +
                                 "\n\n" + stale.join('\n'),
                             true}};
    }
    m_engine.start(request);
    m_run = request;
    return request.mode == CreationMode::Single ? PdfNames::singlePdfBaseName(request.singlePdfName) : QString();
}

void CreateFlow::onEngineFinished(const PdfJobReport& report)
{
    m_lock.reset();
    m_report = m_retrying ? withRetry(m_report, report) : report;
    emit finished(m_report, closingBoxFor(m_report));
}
