#include "PdfJobRequest.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>

int DefaultConverterLimit()
{
    // Measured on two cores: eight at once converted as fast as any shell pipeline; more gained little and each
    // converter holds about 70 MB.
    return std::clamp(4 * QThread::idealThreadCount(), 2, 16);
}

int PdfJobReport::madeCount() const
{
    return int(std::count_if(outcomes.cbegin(), outcomes.cend(), [](const PdfOutcome& o) { return o.made; }));
}

namespace {
// A long failure list would make the box taller than the screen.
constexpr int listedFailures = 10;

QString failureLine(const PdfOutcome& outcome)
{
    QString line = QFileInfo(outcome.pdf).fileName() + ": " + outcome.reason;
    if (!outcome.converterLine.isEmpty())
        line += " (" + outcome.converterLine + ")";
    return line;
}
} // namespace

ClosingBox ClosingBoxFor(const PdfJobReport& report)
{
    const QString question = QStringLiteral("Do you want to open the output folder?");
    if (report.allMade())
        return {"Done", "Ready. " + question, true};

    const int made = report.madeCount();
    if (made == 0 && !report.stopMessage.isEmpty())
        return {"Error", report.stopMessage, false};

    QStringList parts;
    if (!report.stopMessage.isEmpty())
        parts << report.stopMessage;
    parts << QString("%1 of %2 PDFs were made.").arg(made).arg(report.planned);

    QStringList failures;
    int notListed = 0;
    for (const PdfOutcome& outcome : report.outcomes) {
        if (outcome.made)
            continue;
        if (failures.size() < listedFailures)
            failures << failureLine(outcome);
        else
            ++notListed;
    }
    if (notListed > 0)
        failures << QString("... and %1 more.").arg(notListed);
    if (!failures.isEmpty())
        parts << "Not made:\n" + failures.join('\n');

    parts << question;
    return {"Done", parts.join("\n\n"), true};
}
