// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppFolders.h"
#include "core/ConverterOptions.h"
#include "core/PageBuilder.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>

// What a PDF job is given when Create is pressed, and what it reports when it ends. The request is a copy of the
// window's entries at that moment: lists changed while the job runs do not change the job.

enum class CreationMode { Single, Bulk };
// How the bulk job names its PDFs: after each article, or from the final filename list in turn.
enum class PdfNaming { Original, Keywords };
// What a run does with a PDF it would write that the output folder already holds: replace it, leave it and skip its
// article, or not start at all.
enum class ExistingPdfs { Replace, Skip, Refuse };

// How many converters a bulk job keeps running unless its request says otherwise (the window's and the command line's
// "automatic"): from the cores, whether the pages' scripts run (their converters mostly wait) and the free memory.
int defaultConverterLimit(bool scriptsAllowed);
// The most converters the machine holds at once: a quarter of the free memory at about 70 MB a converter, at least
// one; 64 when the free memory is not known. A larger number asked for runs this many.
int converterCeiling();
// The longest limit of one converter run that may be asked for; a timer holds no more than about 24 days.
inline constexpr std::chrono::hours MaxConverterTimeLimit{24};

// The PDF options the user chooses: the converter's page layout and what a page may load, and the PDFs' author.
struct PdfOptions {
    ConverterOptions page;
    QString author; // the PDFs' author; empty leaves it out
};

struct PdfJobRequest {
    // Where the run reads and writes. The caller sets it: finding the layout may make folders and copy files.
    AppFolders folders;
    QStringList articles; // full paths, in the order the PDFs are made
    PageBuilder::AdBlock ad;
    CreationMode mode = CreationMode::Single;
    PdfNaming naming = PdfNaming::Original;
    QStringList finalNames; // bulk PDF names without ".pdf", used in turn
    QString singlePdfName;  // the single PDF's name as typed, without ".pdf"
    // Zero: each run's limit follows its page's size (ConverterProcess::timeLimit).
    std::chrono::milliseconds converterTimeLimit{0};
    // How many converters run at once, 0 for defaultConverterLimit(); the bulk job keeps that many running from one
    // page to the next.
    int converterLimit = 0;
    PdfOptions options;
    // The keyword each item of the final filename list was made from, item by item; an item typed by hand has none
    // (an empty entry, or the list ends before it), and its PDF's keyword is its own name.
    QStringList finalKeywords;
    // Several articles of the run may get one PDF name, the later one's PDF replacing the earlier one's; without
    // this the run does not start then.
    bool allowSameName = false;
    ExistingPdfs existing = ExistingPdfs::Replace;
    // The places whose PDFs the output folder held when the run started and that are skipped (ExistingPdfs::Skip).
    QSet<int> skipped;
    // A retry's articles are those of an earlier run that were not made: each one's place in that run, which names
    // its PDF from the final filename list and is its outcome's index. Empty for a run of its own.
    QList<int> places;
    FrontEnd frontEnd = FrontEnd::Window; // whose words the messages use

    int placeOf(int index) const { return places.isEmpty() ? index : places.at(index); }
    // The article at that place of the run; for the single PDF the first.
    QString articleAt(int place) const
    {
        return places.isEmpty() ? articles.value(place) : articles.value(int(places.indexOf(place)));
    }
    int converters() const
    {
        return converterLimit > 0 ? std::min(converterLimit, converterCeiling())
                                  : defaultConverterLimit(options.page.allowScripts);
    }
};

// One PDF the job set out to make.
struct PdfOutcome {
    // Made: the output folder holds it. Replaced: it was made, then a later article's PDF of the same name took its
    // place. Skipped: the output folder held a PDF of its name before the run, which stays. NotStarted: the run
    // stopped before its turn.
    enum State { Made, Failed, Replaced, Skipped, NotStarted };

    int index = 0; // the article's place in the run (PdfJobRequest::placeOf; 0 for the single PDF)
    QString name;  // as the user gave it: the single name typed, the final list's item, or the article's PDF name
    QString pdf;   // full path
    State state = Failed;
    QString reason; // why it was not made
    // The converter's last error line; for a PDF made, its warnings: the converter's and the properties' not
    // written.
    QString converterLine;
    QString replacedBy; // Replaced: the article whose PDF took its place

    bool made() const { return state == Made; }
    // Failed and not started PDFs are what a retry makes again.
    bool unmade() const { return state == Failed || state == NotStarted; }
};

struct PdfJobReport {
    int planned = 0;            // PDFs the job set out to make
    QList<PdfOutcome> outcomes; // in article order
    // Set when the job stopped early (page template unreadable, converter missing, ...): the message says why.
    QString stopMessage;
    bool cancelled = false;
    // Set once a converter started on a page. A run that ends unmade before that was stopped by a fault found
    // before any conversion (an article, a name, the converter or a folder that cannot be used).
    bool converted = false;
    // Set when the converters could not be kept running from one page to the next: the message says why.
    QString converterFallback;

    int count(PdfOutcome::State state) const;
    int madeCount() const { return count(PdfOutcome::Made); }
    // PDFs failed or never started: what a retry makes again.
    int unmadeCount() const { return count(PdfOutcome::Failed) + count(PdfOutcome::NotStarted); }
    // Every PDF was made, or replaced or skipped as the user allowed.
    bool allMade() const { return stopMessage.isEmpty() && !cancelled && unmadeCount() == 0; }
};

// Marks Replaced each PDF made whose file a PDF made after it took, naming that one's article. outcomes: in the order
// their PDFs went into place.
void markReplaced(QList<PdfOutcome>& outcomes, const PdfJobRequest& request);

// The box the window shows when a job has ended (not after a cancel, when the program closes).
struct ClosingBox {
    QString title;
    QString text;
    // Yes/No with the question icon, Yes opening the output folder; otherwise OK with the warning icon.
    bool askToOpenOutput = true;
    // Some PDFs were not made and the user did not stop the job: the box offers to make them again.
    bool offerRetry = false;
};

// "Ready. Do you want to open the output folder?" when every PDF was made and none replaced or skipped. Otherwise
// how many of how many were made, those that later articles replaced or that were skipped, and which were not made,
// with the reason and the converter's last error line, still asking about the folder. PDFs made with warnings are
// listed with them before the question, after "Ready." when that is all to say. When none was made, an error that does
// not ask: the message why the job stopped, or that no PDF was made and the failures. A job the user stopped says
// "Stopped: M of N PDFs were made." and asks about the folder when some were. Failed PDFs offer a retry.
ClosingBox closingBoxFor(const PdfJobReport& report);

// The report in words, as the closing box and the command line give it: why the job stopped, how many PDFs were
// made, those not made with the reason and the converter's last error line, those replaced and skipped (at most
// listed of each), and those made with a warning.
QString reportText(const PdfJobReport& report, int listed);
