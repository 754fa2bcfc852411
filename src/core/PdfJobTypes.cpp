// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PdfJobTypes.h"

#include "core/Platform.h"

#include <QCoreApplication>
#include <QHash>
#include <QThread>

#include <algorithm>

int defaultConverterLimit(bool scriptsAllowed)
{
    // Measured on two cores, 100 pages of 3 KB, converters kept running. Without the pages' scripts a converter waits
    // only for the program to take its PDF and give it the next page: in bench_bulk_job 2, 3, 4 and 8 converters
    // took 1.12, 1.13, 1.14 and 1.35 s, but in the window, whose thread also draws, 2 and 4 took 2.6 and 1.6 s
    // (bench_window_run), so two per core. With the scripts a converter waits 200 ms a page for them and computes
    // about 30 ms: 8, 12 and 16 took 3.3, 2.6 and 2.3 s, so eight per core, up to 16. Each converter holds about
    // 70 MB, so together they may take a quarter of the memory free.
    const int count = (scriptsAllowed ? 8 : 2) * QThread::idealThreadCount();
    return std::clamp(std::min(count, converterCeiling()), 1, 16);
}

int converterCeiling()
{
    const qint64 memory = Platform::availableMemory();
    if (memory <= 0)
        return 64;
    return int(std::clamp<qint64>(memory / 4 / (70 * 1024 * 1024), 1, 64));
}

int PdfJobReport::count(PdfOutcome::State state) const
{
    return int(
        std::count_if(outcomes.cbegin(), outcomes.cend(), [state](const PdfOutcome& o) { return o.state == state; }));
}

void markReplaced(QList<PdfOutcome>& outcomes, const PdfJobRequest& request)
{
    QHash<QString, qsizetype> last; // the latest PDF made of each file
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        if (!outcomes[i].made())
            continue;
        const QString key = Platform::fileNameKey(outcomes[i].pdf);
        if (const auto earlier = last.constFind(key); earlier != last.constEnd()) {
            outcomes[*earlier].state = PdfOutcome::Replaced;
            outcomes[*earlier].replacedBy = request.articleAt(outcomes[i].index);
        }
        last.insert(key, i);
    }
}

namespace {
// A long list would make the box taller than the screen; warnings say less than failures, so fewer are listed.
constexpr int listedFailures = 10;
constexpr int listedWarnings = 5;

QString tr(const char* text)
{
    return QCoreApplication::translate("ClosingBox", text);
}

QString failureLine(const PdfOutcome& outcome)
{
    QString line = outcome.name + ": " + outcome.reason;
    if (!outcome.converterLine.isEmpty())
        line += " (" + outcome.converterLine + ")";
    return line;
}

// The PDFs in a state, or those made with warnings, under a heading, at most limit of them; empty when there are
// none.
QString outcomeList(const PdfJobReport& report, PdfOutcome::State state, const QString& heading, int limit)
{
    QStringList lines;
    int notListed = 0;
    for (const PdfOutcome& outcome : report.outcomes) {
        const bool failed = outcome.unmade() && state == PdfOutcome::Failed;
        if (!failed && (outcome.state != state || (outcome.made() && outcome.converterLine.isEmpty())))
            continue;
        if (lines.size() >= limit)
            ++notListed;
        else if (outcome.made())
            lines << outcome.name + ": " + outcome.converterLine;
        else if (outcome.state == PdfOutcome::Replaced)
            lines << tr("%1: replaced by the PDF of %2").arg(outcome.name, outcome.replacedBy);
        else if (outcome.state == PdfOutcome::NotStarted)
            lines << tr("%1: not started").arg(outcome.name);
        else if (outcome.state == PdfOutcome::Skipped)
            lines << outcome.name;
        else
            lines << failureLine(outcome);
    }
    if (notListed > 0)
        lines << tr("... and %1 more.").arg(notListed);
    return lines.isEmpty() ? QString() : heading + "\n" + lines.join('\n');
}

// How many PDFs the output folder holds of how many planned, and how many of the others were replaced or skipped.
QString madeSentence(const PdfJobReport& report)
{
    const int made = report.madeCount();
    const int replaced = report.count(PdfOutcome::Replaced);
    const int skipped = report.count(PdfOutcome::Skipped);
    if (made == 0 && replaced + skipped == 0)
        return report.planned == 1 ? tr("The PDF was not made.")
                                   : tr("None of the %1 PDFs were made.").arg(report.planned);
    QString sentence = tr("%1 of %2 PDFs were made.").arg(made).arg(report.planned);
    if (replaced > 0)
        sentence += ' ' + tr("%1 more were made and then replaced by later articles of the same name.").arg(replaced);
    if (skipped > 0)
        sentence += ' ' + tr("%1 were skipped, as the output folder already held them.").arg(skipped);
    return sentence;
}
} // namespace

QString reportText(const PdfJobReport& report, int listed)
{
    QStringList parts;
    if (!report.stopMessage.isEmpty())
        parts << report.stopMessage;
    parts << madeSentence(report);
    if (!report.converterFallback.isEmpty())
        parts << report.converterFallback;
    const std::pair<PdfOutcome::State, QString> lists[] = {
        {PdfOutcome::Failed, tr("Not made:")},
        {PdfOutcome::Replaced, tr("Replaced by a later article of the same name:")},
        {PdfOutcome::Skipped, tr("Skipped, already in the output folder:")}};
    for (const auto& [state, heading] : lists) {
        if (const QString list = outcomeList(report, state, heading, listed); !list.isEmpty())
            parts << list;
    }
    if (const QString warnings =
            outcomeList(report, PdfOutcome::Made, tr("Made with warnings:"), std::min(listed, listedWarnings));
        !warnings.isEmpty())
        parts << warnings;
    return parts.join("\n\n");
}

ClosingBox closingBoxFor(const PdfJobReport& report)
{
    const QString question = tr("Do you want to open the output folder?");
    const int made = report.madeCount();
    if (report.cancelled) {
        const QString stopped = tr("Stopped: %1 of %2 PDFs were made.").arg(made).arg(report.planned);
        return made > 0 ? ClosingBox{tr("Stopped"), stopped + "\n\n" + question, true}
                        : ClosingBox{tr("Stopped"), stopped, false};
    }
    const bool offerRetry = report.unmadeCount() > 0;
    if (report.allMade() && made == report.planned) {
        const QString warnings = outcomeList(report, PdfOutcome::Made, tr("Made with warnings:"), listedWarnings);
        if (warnings.isEmpty())
            return {tr("Done"), tr("Ready.") + ' ' + question, true};
        return {tr("Done"), tr("Ready.") + "\n\n" + warnings + "\n\n" + question, true};
    }
    if (made == 0 && !report.stopMessage.isEmpty())
        return {tr("Error"), report.stopMessage, false, offerRetry};
    const QString text = reportText(report, listedFailures);
    if (made == 0 && !report.allMade())
        return {tr("Error"), text, false, offerRetry};
    return {tr("Done"), text + "\n\n" + question, true, offerRetry};
}
