#include "core/PdfJobTypes.h"

#include "core/Platform.h"

#include <QCoreApplication>
#include <QSet>
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

int PdfJobReport::madeCount() const
{
    return int(std::count_if(outcomes.cbegin(), outcomes.cend(), [](const PdfOutcome& o) { return o.made; }));
}

int PdfJobReport::keptCount() const
{
    QSet<QString> kept;
    for (const PdfOutcome& outcome : outcomes) {
        if (outcome.made)
            kept.insert(outcome.pdf.toCaseFolded());
    }
    return int(kept.size());
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

// The PDFs not made, or those made with warnings, under a heading, at most limit of them; empty when there are none.
QString outcomeList(const PdfJobReport& report, bool made, const QString& heading, int limit)
{
    QStringList lines;
    int notListed = 0;
    for (const PdfOutcome& outcome : report.outcomes) {
        if (outcome.made != made || (made && outcome.converterLine.isEmpty()))
            continue;
        if (lines.size() >= limit)
            ++notListed;
        else
            lines << (made ? outcome.name + ": " + outcome.converterLine : failureLine(outcome));
    }
    if (notListed > 0)
        lines << tr("... and %1 more.").arg(notListed);
    return lines.isEmpty() ? QString() : heading + "\n" + lines.join('\n');
}

// How many PDFs were made, and how many of them the output folder holds when later articles replaced some.
QString madeSentence(const PdfJobReport& report)
{
    const int made = report.madeCount();
    if (made == 0)
        return report.planned == 1 ? tr("The PDF was not made.")
                                   : tr("None of the %1 PDFs were made.").arg(report.planned);
    const int kept = report.keptCount();
    if (made - kept == 1)
        return tr("%1 of %2 PDFs were made; one of them was replaced by a later article of the same name, so "
                  "the output folder holds %3.")
            .arg(made)
            .arg(report.planned)
            .arg(kept);
    if (made - kept > 1)
        return tr("%1 of %2 PDFs were made; %3 of them were replaced by later articles of the same name, so the "
                  "output folder holds %4.")
            .arg(made)
            .arg(report.planned)
            .arg(made - kept)
            .arg(kept);
    return tr("%1 of %2 PDFs were made.").arg(made).arg(report.planned);
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
    if (const QString failures = outcomeList(report, false, tr("Not made:"), listed); !failures.isEmpty())
        parts << failures;
    if (const QString warnings = outcomeList(report, true, tr("Made with warnings:"), std::min(listed, listedWarnings));
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
    const bool offerRetry = made < report.planned;
    if (report.allMade() && report.keptCount() == made) {
        const QString warnings = outcomeList(report, true, tr("Made with warnings:"), listedWarnings);
        if (warnings.isEmpty())
            return {tr("Done"), tr("Ready.") + ' ' + question, true};
        return {tr("Done"), tr("Ready.") + "\n\n" + warnings + "\n\n" + question, true};
    }
    if (made == 0 && !report.stopMessage.isEmpty())
        return {tr("Error"), report.stopMessage, false, offerRetry};
    const QString text = reportText(report, listedFailures);
    if (made == 0)
        return {tr("Error"), text, false, offerRetry};
    return {tr("Done"), text + "\n\n" + question, true, offerRetry};
}
