// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MakeCommand.h"

#include "cli/Console.h"
#include "cli/StopSignals.h"
#include "core/ArticleFolder.h"
#include "core/CreateFlow.h"
#include "core/KeywordCombinations.h"
#include "core/Platform.h"
#include "core/TextFile.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

using namespace Console;

namespace {

// The PDFs as their converters end: a bar redrawn in place on a terminal, a line per PDF otherwise.
class Progress
{
public:
    Progress(int planned, bool shown)
        : m_planned(planned)
        , m_shown(shown)
        , m_terminal(errorIsTerminal())
    {
        if (m_shown && m_terminal)
            drawBar();
    }

    void made(const QString& pdf) { ended(true, pdf, {}); }
    void failed(const QString& pdf, const QString& reason) { ended(false, pdf, reason); }
    void skipped(const QString& pdf) { ended(true, pdf, tr("skipped, already in the output folder")); }

    // Ends the bar's line, so that what follows starts on a line of its own.
    void finish() const
    {
        if (m_shown && m_terminal)
            progress(QStringLiteral("\n"));
    }

private:
    static constexpr int BarWidth = 30;

    void ended(bool made, const QString& pdf, const QString& reason)
    {
        ++(made ? m_made : m_failed);
        if (!m_shown)
            return;
        if (m_terminal)
            return drawBar();
        const QString name = QFileInfo(pdf).fileName();
        if (made && !reason.isEmpty())
            error(tr("%1/%2  %3: %4").arg(count()).arg(m_planned).arg(name, reason));
        else
            error(made ? tr("%1/%2  made %3").arg(count()).arg(m_planned).arg(name)
                       : tr("%1/%2  failed %3: %4").arg(count()).arg(m_planned).arg(name, reason));
    }

    int count() const { return m_made + m_failed; }

    void drawBar() const
    {
        const int filled = m_planned > 0 ? count() * BarWidth / m_planned : BarWidth;
        QString bar(filled, u'=');
        if (filled < BarWidth)
            bar += u'>' + QString(BarWidth - filled - 1, u' ');
        progress('\r' +
                 tr("[%1] %2/%3  made %4  failed %5").arg(bar).arg(count()).arg(m_planned).arg(m_made).arg(m_failed));
    }

    int m_planned;
    bool m_shown;
    bool m_terminal;
    int m_made = 0;
    int m_failed = 0;
};

// The articles in the order given; a folder adds its articles in the order the window lists them.
Result<QStringList> articlePaths(const QStringList& arguments)
{
    QStringList paths;
    for (const QString& argument : arguments) {
        const QString path = ArticleFolder::displayPath(argument);
        const QFileInfo info(path);
        if (info.isFile()) {
            paths << path;
            continue;
        }
        if (!info.isDir())
            return Error{unusable(tr("The article"), path, tr("a text file"))};
        const std::optional<QStringList> names = ArticleFolder::articleFileNames(path);
        if (!names)
            return Error{tr("The folder %1 cannot be read.").arg(path)};
        if (names->isEmpty())
            return Error{tr("The folder %1 holds no %2 articles.").arg(path, ArticleFolder::Pattern)};
        for (const QString& name : *names)
            paths << AppFolders::join(path, name, Platform::separator());
    }
    return paths;
}

Result<QString> keywordText(const QString& source)
{
    if (source != u"-") {
        const Result<QString> text = TextFile::load(source);
        if (!text)
            return Error{tr("The keyword file %1 could not be read: %2").arg(source, text.error())};
        return text;
    }
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return Error{tr("The keywords could not be read from standard input: %1").arg(input.errorString())};
    return TextFile::decode(input.readAll());
}

// Keyword names: the final filename list as "Combine Keywords" makes it of the keywords and the combination
// patterns, and the keyword of each name, which goes into its PDF's properties.
Result<> useKeywordNames(const QCommandLineParser& parser, bool quiet, PdfJobRequest& request)
{
    const AppFolders& folders = request.folders;
    const Result<QString> text = keywordText(parser.value("keywords"));
    if (!text)
        return Error{text.error()};
    QStringList patterns = folders.keywordPatterns();
    QString patternFile = QStringLiteral("lstcombinations.txt");
    if (parser.isSet("patterns")) {
        patternFile = parser.value("patterns");
        const Result<QStringList> lines = TextFile::loadList(parser.value("patterns"));
        if (!lines)
            return Error{tr("The pattern file %1 could not be read: %2").arg(parser.value("patterns"), lines.error())};
        patterns = *lines;
    }
    const Result<KeywordCombinations::Combined, Message> combined =
        KeywordCombinations::combineKeywords(patterns, *text, FrontEnd::CommandLine, patternFile);
    if (!combined)
        return Error{combined.error().text};
    if (combined->note && !quiet)
        error(combined->note->text);
    request.naming = PdfNaming::Keywords;
    request.finalNames = KeywordCombinations::lines(combined->finalList);
    request.finalKeywords = KeywordCombinations::keywordsOf(request.finalNames, patterns, *text);
    return Result<>::ok();
}

// A whole number of at least 1 from the option, if it was given; above most it is most, which the message says.
Result<std::optional<qint64>> positiveNumber(const QCommandLineParser& parser, const QString& option, qint64 most,
                                             const QString& message)
{
    if (!parser.isSet(option))
        return std::optional<qint64>();
    bool ok = false;
    const qint64 value = parser.value(option).toLongLong(&ok);
    if (!ok || value < 1)
        return Error{tr("--%1 takes a whole number of at least 1, not \"%2\".").arg(option, parser.value(option))};
    if (value <= most)
        return std::optional<qint64>(value);
    error(message.arg(option).arg(value).arg(most));
    return std::optional<qint64>(most);
}

// The page options, checked by the same rule as the window's PDF Options; a margin that is not a number is kept as
// one that the check refuses.
Result<PdfOptions> pdfOptions(const QCommandLineParser& parser)
{
    PdfOptions options;
    ConverterOptions& page = options.page;
    if (parser.isSet("page-size"))
        page.pageSize = parser.value("page-size");
    if (parser.isSet("landscape"))
        page.orientation = ConverterOptions::Orientation::Landscape;
    const std::pair<const char*, std::optional<double>*> margins[] = {{"margin-top", &page.marginTop},
                                                                      {"margin-right", &page.marginRight},
                                                                      {"margin-bottom", &page.marginBottom},
                                                                      {"margin-left", &page.marginLeft}};
    for (const auto& [option, margin] : margins) {
        if (!parser.isSet(option))
            continue;
        bool ok = false;
        const double millimetres = parser.value(option).toDouble(&ok);
        *margin = ok ? millimetres : std::numeric_limits<double>::quiet_NaN();
    }
    page.allowScripts = parser.isSet("allow-scripts");
    options.author = parser.value("author");
    if (const Result<> checked = page.check(); !checked)
        return Error{checked.error()};
    return options;
}

Result<PdfJobRequest> requestFrom(const QCommandLineParser& parser)
{
    if (parser.positionalArguments().isEmpty())
        return Error{tr("Name one or more articles or folders of articles.")};
    if (parser.isSet("keywords") && parser.isSet("single"))
        return Error{tr("--keywords names the PDFs of bulk creation; it cannot go with --single.")};
    if (parser.isSet("patterns") && !parser.isSet("keywords"))
        return Error{tr("--patterns goes with --keywords.")};
    const Result<std::optional<qint64>> jobs =
        positiveNumber(parser, "jobs", converterCeiling(),
                       tr("--%1 %2 is more converters than this machine holds (about 70 MB each, in a quarter of the "
                          "free memory): %3 run at once."));
    const Result<std::optional<qint64>> timeout =
        positiveNumber(parser, "timeout", std::chrono::seconds(MaxConverterTimeLimit).count(),
                       tr("--%1 %2 is longer than 24 hours: each converter run may take %3 seconds."));
    for (const auto* checked : {&jobs, &timeout}) {
        if (!*checked)
            return Error{checked->error()};
    }
    const Result<PdfOptions> options = pdfOptions(parser);
    if (!options)
        return Error{options.error()};
    const Result<AppFolders> folders = appFolders(parser);
    if (!folders)
        return Error{folders.error()};
    const Result<QStringList> articles = articlePaths(parser.positionalArguments());
    if (!articles)
        return Error{articles.error()};

    PdfJobRequest request;
    request.folders = *folders;
    request.articles = *articles;
    request.ad = {parser.value("title"), parser.value("cta-text"), parser.value("cta-url")};
    if (const QString note = PageBuilder::linkNote(request.ad.ctaUrl); !note.isEmpty() && !parser.isSet("quiet"))
        error("--cta-url: " + note);
    request.mode = parser.isSet("single") ? CreationMode::Single : CreationMode::Bulk;
    request.singlePdfName = parser.value("single");
    request.options = *options;
    request.frontEnd = FrontEnd::CommandLine;
    if (parser.isSet("keywords")) {
        if (const Result<> named = useKeywordNames(parser, parser.isSet("quiet"), request); !named)
            return Error{named.error()};
    }
    request.allowSameName = parser.isSet("allow-same-name");
    const QString existing = parser.value("existing");
    if (existing == u"skip")
        request.existing = ExistingPdfs::Skip;
    else if (existing == u"fail")
        request.existing = ExistingPdfs::Refuse;
    else if (existing != u"replace")
        return Error{tr("--existing takes replace, skip or fail, not \"%1\".").arg(existing)};
    if (*jobs)
        request.converterLimit = int(**jobs);
    if (*timeout)
        request.converterTimeLimit = std::chrono::seconds(**timeout);
    return request;
}

int exitCode(const PdfJobReport& report, std::optional<StopSignals::Cause> stoppedBy)
{
    if (stoppedBy)
        return *stoppedBy == StopSignals::Cause::HangUp ? HungUp : Interrupted;
    if (report.allMade())
        return Success;
    return report.converted ? SomeFailed : BadUsage;
}

// One PDF of the report as JSON.
QJsonObject pdfJson(const PdfJobRequest& request, const PdfOutcome& outcome)
{
    static const char* const states[] = {"made", "failed", "replaced", "skipped", "not started"};
    const bool made = outcome.state == PdfOutcome::Made || outcome.state == PdfOutcome::Replaced;
    QJsonObject pdf{{"name", outcome.name},
                    {"pdf", outcome.pdf},
                    {"made", outcome.made()},
                    {"state", states[outcome.state]},
                    {"reason", outcome.reason},
                    {"converterError", made ? QString() : outcome.converterLine},
                    {"warning", made ? outcome.converterLine : QString()}};
    if (outcome.state == PdfOutcome::Replaced)
        pdf.insert("replacedBy", outcome.replacedBy);
    if (request.mode == CreationMode::Single)
        pdf.insert("articles", QJsonArray::fromStringList(request.articles));
    else
        pdf.insert("article", request.articleAt(outcome.index));
    return pdf;
}

// The whole report as JSON; a run that could not start holds the message as "error", as a refusal does.
QByteArray reportJson(const PdfJobRequest& request, const PdfJobReport& report, int code, const QString& text)
{
    QJsonArray pdfs;
    for (const PdfOutcome& outcome : report.outcomes)
        pdfs.append(pdfJson(request, outcome));
    const int made = report.madeCount();
    QJsonObject root{{"pdfs", pdfs},
                     {"planned", report.planned},
                     {"made", made},
                     {"failed", report.unmadeCount()},
                     {"replaced", report.count(PdfOutcome::Replaced)},
                     {"skipped", report.count(PdfOutcome::Skipped)},
                     {"stopMessage", report.stopMessage},
                     {"converterFallback", report.converterFallback},
                     {"cancelled", report.cancelled},
                     {"outputFolder", request.folders.output()},
                     {"exitCode", code}};
    if (code == BadUsage)
        root.insert("error", text);
    return QJsonDocument(root).toJson();
}

} // namespace

namespace MakeCommand {

void describe(QCommandLineParser& parser)
{
    parser.addOptions({
        {"title", tr("The ad's title."), "TEXT"},
        {"cta-text", tr("The text of the ad's call-to-action button."), "TEXT"},
        {"cta-url", tr("The address the button leads to (https:// is added to one without a scheme)."), "URL"},
        {"single",
         tr("Make one PDF of all the articles, named NAME.pdf (blanks become \"-\"), instead of one PDF "
            "per article named after the article."),
         "NAME"},
        {"keywords",
         tr("Name the PDFs after each keyword (one per line, trimmed; \"-\" reads them from standard input) put "
            "into each combination pattern, used in turn, as the window's \"Combine Keywords\" does."),
         "FILE"},
        {"patterns",
         tr("The combination patterns, one per line, #KEYWORD# standing for a keyword (default: the "
            "application folder's lstcombinations.txt). Without patterns each keyword is a name."),
         "FILE"},
        {"page-size", tr("The page size: %1 (default: A4).").arg(ConverterOptions::pageSizeNames().join(", ")), "SIZE"},
        {"landscape", tr("Lay the pages out in landscape.")},
        {"margin-top", tr("The top margin in millimetres (default: the converter's)."), "MM"},
        {"margin-right", tr("The right margin in millimetres."), "MM"},
        {"margin-bottom", tr("The bottom margin in millimetres."), "MM"},
        {"margin-left", tr("The left margin in millimetres."), "MM"},
        {"allow-scripts", tr("Let scripts in the pages run (they are off by default).")},
        {"author", tr("The author written into every PDF's properties."), "NAME"},
        {"allow-same-name",
         tr("Make the PDFs even when several articles get one PDF name; the PDF of the later article replaces the "
            "earlier one's. Without it such a run is refused.")},
        {"existing",
         tr("What to do with PDFs the output folder already holds: replace them (the default), skip their articles, "
            "or fail without making any PDF."),
         "replace|skip|fail", "replace"},
        {"jobs",
         tr("How many converters run at once (default: %1, or %2 with --allow-scripts; at most %3, what the free "
            "memory holds).")
             .arg(defaultConverterLimit(false))
             .arg(defaultConverterLimit(true))
             .arg(converterCeiling()),
         "N"},
        {"timeout",
         tr("How long one converter run may take, at most 86400 (24 hours) (default: scaled with the size of "
            "its page)."),
         "SECONDS"},
        {"quiet", tr("Show no progress and, when every PDF was made, no report.")},
        {"json", tr("Write the report as JSON on standard output: each PDF with its article(s), name, path, made, "
                    "reason, converterError and warning, then the totals.")},
        appFolderOption(),
    });
    parser.addPositionalArgument(
        "ARTICLE|FOLDER",
        tr("Articles, made in the order given; a folder adds its .txt files in the order the window lists them."),
        "ARTICLE|FOLDER...");
}

int run(const QCommandLineParser& parser)
{
    const bool json = parser.isSet("json");
    const Result<PdfJobRequest> built = requestFrom(parser);
    if (!built)
        return refuse(built.error(), json);
    const PdfJobRequest& request = *built;
    const bool quiet = parser.isSet("quiet");
    if (CreateFlow::check(request) && !request.allowSameName) {
        if (const Result<void, Message> shared = CreateFlow::checkSharedNames(request); !shared)
            return refuse(shared.error().text + "\n\n" +
                              tr("No PDF was made. Give --allow-same-name to make them anyway."),
                          json);
    }

    CreateFlow flow;
    StopSignals stopSignals;
    Progress progress(request.mode == CreationMode::Single ? 1 : int(request.articles.size()), !quiet);
    QObject::connect(&flow, &CreateFlow::pdfMade, &flow, [&](const QString& pdf) { progress.made(pdf); });
    QObject::connect(&flow, &CreateFlow::pdfFailed, &flow,
                     [&](const QString& pdf, const QString& reason) { progress.failed(pdf, reason); });
    QObject::connect(&flow, &CreateFlow::pdfSkipped, &flow, [&](const QString& pdf) { progress.skipped(pdf); });
    std::optional<StopSignals::Cause> stoppedBy;
    QObject::connect(&stopSignals, &StopSignals::received, &flow, [&](StopSignals::Cause cause) {
        if (!stoppedBy)
            stoppedBy = cause;
        flow.cancel();
    });

    QEventLoop loop;
    QObject::connect(&flow, &CreateFlow::finished, &loop, [&](const PdfJobReport& report) {
        progress.finish();
        const int code = exitCode(report, stoppedBy);
        if (stoppedBy)
            error(tr("%1: the running converters were ended and their partial PDFs removed.")
                      .arg(code == HungUp ? tr("The terminal was closed") : tr("Interrupted")));
        const QString text = reportText(report, int(report.outcomes.size()));
        if (code != Success || !quiet)
            error(text);
        if (report.madeCount() > 0 && !quiet)
            error(tr("The PDFs are in %1").arg(request.folders.output()));
        if (json)
            output(reportJson(request, report, code, text));
        loop.exit(code);
    });
    if (const Result<QString, Message> started = flow.start(request); !started)
        return refuse(started.error().text, json);
    return loop.exec();
}

} // namespace MakeCommand
