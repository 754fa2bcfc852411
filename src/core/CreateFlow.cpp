// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CreateFlow.h"

#include "core/FileNames.h"
#include "core/PdfJob.h"
#include "core/PdfNames.h"
#include "core/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {
// How a message asks for the Create command once more.
QString again(FrontEnd frontEnd)
{
    return frontEnd == FrontEnd::Window ? CreateFlow::tr("press Create again") : CreateFlow::tr("run it again");
}

// A box that lists more names than this would be taller than the screen.
constexpr int listedNames = 10;
} // namespace

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
    // What it retries was tried, so the PDFs that failed replace what the output folder holds.
    retry.existing = ExistingPdfs::Replace;
    if (request.mode == CreationMode::Single)
        return retry;
    QSet<int> ended;
    for (const PdfOutcome& outcome : report.outcomes) {
        if (!outcome.unmade())
            ended.insert(outcome.index);
    }
    retry.articles.clear();
    retry.places.clear();
    for (int i = 0; i < request.articles.size(); ++i) {
        if (!ended.contains(request.placeOf(i))) {
            retry.articles << request.articles.at(i);
            retry.places << request.placeOf(i);
        }
    }
    return retry;
}

PdfJobReport withRetry(const PdfJobReport& report, const PdfJobReport& retry, const PdfJobRequest& request)
{
    QSet<int> retried;
    for (const PdfOutcome& outcome : retry.outcomes)
        retried.insert(outcome.index);
    // The earlier run's PDFs went into place before the retry's, which may replace them.
    QList<PdfOutcome> order;
    for (const PdfOutcome& outcome : report.outcomes) {
        if (!retried.contains(outcome.index))
            order << outcome;
    }
    order << retry.outcomes;
    markReplaced(order, request);
    PdfJobReport merged = retry;
    merged.planned = report.planned;
    merged.converted = report.converted || retry.converted;
    merged.outcomes = order;
    std::stable_sort(merged.outcomes.begin(), merged.outcomes.end(),
                     [](const PdfOutcome& a, const PdfOutcome& b) { return a.index < b.index; });
    return merged;
}

CreateFlow::CreateFlow(QObject* parent)
    : QObject(parent)
{
    connect(&m_engine, &PdfJobEngine::finished, this, &CreateFlow::onEngineFinished);
}

CreateFlow::~CreateFlow() = default;

Result<void, Message> CreateFlow::check(const PdfJobRequest& request)
{
    const QString title = tr("Missing Info");
    if (request.articles.isEmpty())
        return Error{Message{title, tr("Please select one or more articles first."), false, Entry::Articles}};
    const PageBuilder::AdBlock& ad = request.ad;
    const bool window = request.frontEnd == FrontEnd::Window;
    const std::pair<const QString*, const char*> adEntries[] = {
        {&ad.title, "--title"}, {&ad.ctaText, "--cta-text"}, {&ad.ctaUrl, "--cta-url"}};
    const Entry adEntry[] = {Entry::AdTitle, Entry::CtaText, Entry::CtaUrl};
    QStringList missing;
    Entry firstMissing = Entry::None;
    for (int i = 0; i < 3; ++i) {
        if (adEntries[i].first->isEmpty()) {
            missing << adEntries[i].second;
            if (firstMissing == Entry::None)
                firstMissing = adEntry[i];
        }
    }
    if (!missing.isEmpty()) {
        const QString text =
            window
                ? tr("Please enter your Ad details.")
                : tr("The ad block needs --title, --cta-text and --cta-url; give %1.").arg(missing.join(tr(" and ")));
        return Error{Message{title, text, false, firstMissing}};
    }
    if (const Result<> address = PageBuilder::checkCtaUrl(ad.ctaUrl); !address)
        return Error{Message{tr("Error"), address.error()}};
    if (request.mode == CreationMode::Bulk) {
        if (request.naming == PdfNaming::Original)
            return Result<void, Message>::ok();
        if (request.finalNames.isEmpty())
            return Error{Message{
                title, window ? tr("Please enter one or more keywords first.") : tr("--keywords gave no keywords."),
                false, Entry::Keywords}};
        // Every name is checked before any page is written, rather than failing PDF by PDF at the converter.
        for (const QString& name : request.finalNames) {
            if (const Result<> checked = FileNames::check(PdfNames::keywordPdfName(name)); !checked)
                return Error{Message{tr("Error"), checked.error(), false, Entry::FinalList}};
        }
        return Result<void, Message>::ok();
    }
    if (request.singlePdfName.isEmpty())
        return Error{Message{
            title, window ? tr("Please enter a filename for your PDF file.") : tr("--single needs the PDF's name."),
            false, Entry::SinglePdfName}};
    if (const Result<> checked = PdfNames::checkSinglePdfName(request.singlePdfName); !checked)
        return Error{Message{tr("Error"), checked.error(), false, Entry::SinglePdfName}};
    return Result<void, Message>::ok();
}

Result<void, Message> CreateFlow::checkSharedNames(const PdfJobRequest& request)
{
    const PdfNames::SharedNames shared = PdfNames::sharedNames(request, PdfNames::plannedPdfs(request));
    if (shared.names.isEmpty())
        return Result<void, Message>::ok();
    QStringList lines;
    for (qsizetype i = 0; i < std::min<qsizetype>(shared.names.size(), listedNames); ++i)
        lines << tr("%1: %2").arg(shared.names[i].first, shared.names[i].second.join(", "));
    if (shared.names.size() > listedNames)
        lines << tr("... and %1 more.").arg(shared.names.size() - listedNames);
    return Error{Message{tr("Same PDF Names"),
                         tr("These articles would get the same PDF name, and the PDF of each later article would "
                            "replace the one before it: %1 PDFs would be kept of %2 articles.")
                                 .arg(shared.kept)
                                 .arg(request.articles.size()) +
                             "\n\n" + lines.join('\n')}};
}

QList<std::pair<int, QString>> CreateFlow::existingPdfs(const PdfJobRequest& request)
{
    QList<std::pair<int, QString>> existing;
    for (const PdfNames::PlannedPdf& planned : PdfNames::plannedPdfs(request)) {
        if (QFileInfo(planned.pdf).isFile())
            existing.append({planned.place, planned.fileName});
    }
    return existing;
}

QString CreateFlow::existingText(const QList<std::pair<int, QString>>& existing)
{
    QStringList names;
    for (const auto& [place, name] : existing) {
        if (!names.contains(name, Platform::fileNameCase()))
            names << name;
    }
    const qsizetype count = names.size();
    if (count > listedNames) {
        names = names.mid(0, listedNames);
        names << tr("... and %1 more.").arg(count - listedNames);
    }
    return tr("The output folder already holds %n of the PDFs this run makes:", nullptr, int(count)) + "\n" +
           names.join('\n');
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
    return !m_report.cancelled && m_report.unmadeCount() > 0;
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
    const Message busy{tr("Busy"), tr("Another Leafrunner is making PDFs from this application folder. Please %1 "
                                      "when it has finished.")
                                       .arg(again(request.frontEnd))};
    if (isRunning())
        return Error{busy};
    if (const Result<void, Message> checked = check(request); !checked)
        return Error{checked.error()};
    if (!request.allowSameName) {
        if (const Result<void, Message> shared = checkSharedNames(request); !shared)
            return Error{shared.error()};
    }
    PdfJobRequest run = request;
    if (request.existing != ExistingPdfs::Replace) {
        const QList<std::pair<int, QString>> existing = existingPdfs(request);
        if (!existing.isEmpty() && request.existing == ExistingPdfs::Refuse)
            return Error{
                Message{tr("PDFs Already Made"),
                        existingText(existing) + "\n\n" + tr("Nothing was made, as none of them may be replaced.")}};
        for (const auto& [place, name] : existing)
            run.skipped.insert(place);
    }
    m_lock.emplace(request.folders);
    if (!m_lock->take()) {
        m_lock.reset();
        return Error{busy};
    }
    if (const QStringList stale = clearOldPages(request.folders); !stale.isEmpty()) {
        m_lock.reset();
        return Error{Message{tr("Error"),
                             tr("These pages of an earlier run could not be deleted, so no PDF was made. Close the "
                                "programs that use them and %1.")
                                     .arg(again(request.frontEnd)) +
                                 "\n\n" + stale.join('\n'),
                             true}};
    }
    const PdfJob* job = m_engine.start(run);
    connect(job, &PdfJob::articleStarted, this, &CreateFlow::articleStarted);
    connect(job, &PdfJob::pdfMade, this, &CreateFlow::pdfMade);
    connect(job, &PdfJob::pdfFailed, this, &CreateFlow::pdfFailed);
    connect(job, &PdfJob::pdfSkipped, this, &CreateFlow::pdfSkipped);
    m_run = run;
    return request.mode == CreationMode::Single ? PdfNames::singlePdfBaseName(request.singlePdfName) : QString();
}

void CreateFlow::onEngineFinished(const PdfJobReport& report)
{
    m_lock.reset();
    m_report = m_retrying ? withRetry(m_report, report, m_request) : report;
    emit finished(m_report, closingBoxFor(m_report));
}
