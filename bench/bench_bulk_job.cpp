// Times the bulk job with the real converter against the same pages converted one after another and by
// "xargs -P8", and measures how long the event loop of the engine's thread went without a turn. leafrunner-cli
// then makes the same PDFs from the same application folder, to show what the process around the engine costs.
//
//   bench_bulk_job                                   100 articles of about 3 KB, with both baselines
//   bench_bulk_job --articles 1000 --size 100000     a scale run: prints the peak memory of the program
//   bench_bulk_job --single ...                      the single job over all articles instead
//   --limit N        converters at once (default: the engine's own)
//   --timeout S      time limit of one converter run in seconds (default 0: scaled with the page's size)
//   --no-baselines   skip the two baselines
//   --rounds N       the job and leafrunner-cli take turns N times, the best time of each counting (default 3)

#include "core/PdfJobEngine.h"
#include "support/TestAppFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {
QByteArray articleText(QRandomGenerator& random, qsizetype size)
{
    static const char* const words[] = {"garden", "tomato", "water",  "soil",  "sun",   "seed",  "harvest", "leaf",
                                        "root",   "grow",   "season", "green", "fresh", "plant", "summer",  "light"};
    QByteArray text;
    while (text.size() < size) {
        for (int sentence = 0; sentence < 6 && text.size() < size; ++sentence) {
            for (int word = 0; word < 12; ++word)
                text += QByteArray(words[random.bounded(16)]) + (word == 11 ? ". " : " ");
        }
        text += "\r\n\r\n";
    }
    return text.left(size);
}

long peakMemoryKb(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// The plain converter on every page, one after another, outside the engine.
double convertOneAfterAnother(const QString& converter, const QStringList& pages, const QString& outputFolder)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString& page : pages) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(converter, {page, outputFolder + "/" + QFileInfo(page).completeBaseName() + ".pdf"});
        process.waitForFinished(-1);
    }
    return seconds(timer);
}

double convertWithXargs(const QString& converter, const QStringList& pages, const QString& outputFolder)
{
    QProcess xargs;
    xargs.setStandardOutputFile(QProcess::nullDevice());
    xargs.setStandardErrorFile(QProcess::nullDevice());
    xargs.start("sh", {"-c", QString("xargs -0 -P8 -n1 sh -c '\"%1\" \"$0\" \"%2/$(basename \"$0\" .html).pdf\"'")
                                 .arg(converter, outputFolder)});
    QElapsedTimer timer;
    timer.start();
    xargs.waitForStarted();
    xargs.write(pages.join(QChar(0)).toUtf8());
    xargs.closeWriteChannel();
    xargs.waitForFinished(-1);
    return seconds(timer);
}
struct JobRun {
    double seconds = 0;
    PdfJobReport report;
    qint64 longestGapMs = 0;
};

JobRun runJob(const PdfJobRequest& request)
{
    JobRun run;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { run.longestGapMs = std::max(run.longestGapMs, sinceTick.restart()); });
    PdfJobEngine engine;
    QEventLoop loop;
    QObject::connect(&engine, &PdfJobEngine::finished, [&](const PdfJobReport& report) {
        run.report = report;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start();
    engine.start(request);
    loop.exec();
    run.seconds = seconds(timer);
    return run;
}

// leafrunner-cli on the articles folder with the request's entries; the time until it has ended.
double runCommandLine(const PdfJobRequest& request, const QString& appFolder)
{
    QStringList arguments{"make",      "--quiet",         "--app-folder", appFolder,
                          "--title",   request.ad.title,  "--cta-text",   request.ad.ctaText,
                          "--cta-url", request.ad.ctaUrl, "--jobs",       QString::number(request.converterLimit)};
    if (request.mode == CreationMode::Single)
        arguments << "--single" << request.singlePdfName;
    if (request.converterTimeLimit.count() > 0)
        arguments << "--timeout" << QString::number(request.converterTimeLimit.count() / 1000);
    QProcess cli;
    cli.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    cli.start(LEAF_CLI, arguments << appFolder + "/articles");
    cli.waitForFinished(-1);
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        std::printf("leafrunner-cli ended with exit code %d\n", cli.exitCode());
    return seconds(timer);
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({{"articles", "Number of articles.", "n", "100"},
                       {"size", "Bytes per article.", "bytes", "3000"},
                       {"limit", "Converters at once.", "n"},
                       {"timeout", "Time limit of one converter run, in seconds (0: by page size).", "s", "0"},
                       {"single", "Run the single job over all articles."},
                       {"no-baselines", "Skip the converter baselines."},
                       {"rounds", "Turns of the job and leafrunner-cli; the best time of each counts.", "n", "3"}});
    parser.addHelpOption();
    parser.process(app);
    const int articles = parser.value("articles").toInt();
    const qsizetype size = parser.value("size").toLongLong();

    TestAppFolder folder;
    PdfJobRequest request;
    request.folders = folder.folders();
    request.ad = {"Grow Tomatoes Like a Pro", "Get the Free Guide", "https://example.com/guide"};
    request.mode = parser.isSet("single") ? CreationMode::Single : CreationMode::Bulk;
    request.singlePdfName = "all articles";
    request.converterTimeLimit = std::chrono::seconds(parser.value("timeout").toInt());
    if (parser.isSet("limit"))
        request.converterLimit = parser.value("limit").toInt();
    QRandomGenerator random(2024);
    for (int i = 0; i < articles; ++i)
        request.articles << folder.writeFile(QString("articles/article %1.txt").arg(i, 4, 10, QChar('0')),
                                             articleText(random, size));
    if (request.mode == CreationMode::Single)
        std::printf("%d articles of %lld bytes, single job\n", articles, qlonglong(size));
    else
        std::printf("%d articles of %lld bytes, bulk job, %d converters at once\n", articles, qlonglong(size),
                    request.converterLimit);

    // Turns, so that both meet the same load of the machine; the best of each is the least disturbed.
    const int rounds = std::max(1, parser.value("rounds").toInt());
    const JobRun job = runJob(request);
    const PdfJobReport& report = job.report;
    double jobSeconds = job.seconds;
    double cliSeconds = runCommandLine(request, folder.path());
    for (int round = 1; round < rounds; ++round) {
        jobSeconds = std::min(jobSeconds, runJob(request).seconds);
        cliSeconds = std::min(cliSeconds, runCommandLine(request, folder.path()));
    }

    std::printf("job:                  %7.2f s, %d of %d PDFs made%s\n", jobSeconds, report.madeCount(), report.planned,
                report.stopMessage.isEmpty() ? "" : qPrintable(" (" + report.stopMessage + ")"));
    std::printf("longest event-loop gap: %lld ms\n", qlonglong(job.longestGapMs));
    std::printf("peak memory: program %ld MB, largest converter %ld MB; articles %.1f MB in all\n",
                peakMemoryKb(RUSAGE_SELF) / 1024, peakMemoryKb(RUSAGE_CHILDREN) / 1024,
                double(articles) * double(size) / 1e6);
    std::printf("leafrunner-cli make:  %7.2f s\n", cliSeconds);
    std::printf("leafrunner-cli / job: %7.2f  (target at most 1.05)\n", cliSeconds / jobSeconds);

    if (request.mode == CreationMode::Single || parser.isSet("no-baselines"))
        return report.allMade() ? 0 : 1;

    QStringList pages;
    for (const QString& name : QDir(request.folders.pages()).entryList({"article*.html"}, QDir::Files, QDir::Name))
        pages << request.folders.pageFile(name);
    const QString converter = request.folders.converter();
    QDir().mkpath(folder.path() + "/one-by-one");
    QDir().mkpath(folder.path() + "/xargs");
    const double oneByOne = convertOneAfterAnother(converter, pages, folder.path() + "/one-by-one");
    const double xargs = convertWithXargs(converter, pages, folder.path() + "/xargs");
    std::printf("one after another:    %7.2f s\n", oneByOne);
    std::printf("xargs -P8:            %7.2f s\n", xargs);
    std::printf("job / xargs -P8:      %7.2f  (target at most 1.25)\n", jobSeconds / xargs);
    std::printf("one after another / job: %4.2f  (target at least 4)\n", oneByOne / jobSeconds);
    return report.allMade() ? 0 : 1;
}
