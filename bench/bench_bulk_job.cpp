// SPDX-License-Identifier: GPL-3.0-or-later
// Times the bulk job (its converters kept running) with the real converter on the same pages against one converter
// process per PDF, eight at once (as the job converted before it kept converters running), "xargs -P8" of the plain
// converter and the plain converter one after another, all with the job's converter options; with the pages'
// scripts off and on. For each it prints the wall time, the processor time of the converters (user and system), the
// peak memory of the program and everything it started, and for the two in the event loop the longest time it went
// without a turn. leafrunner-cli then makes the same PDFs from the same application folder, to show what the process
// around the engine costs.
//
//   bench_bulk_job                                   100 articles of about 3 KB, scripts off and on, with baselines
//   bench_bulk_job --articles 1000 --size 100000 --no-baselines --scripts off     a scale run
//   bench_bulk_job --single ...                      the single job over all articles instead
//   --scripts off|on|both   the pages' scripts (default both, one after the other)
//   --limit N        converters at once (default: the program's own, defaultConverterLimit)
//
// Pages with scripts on look up the host of a script in the script tail on every page. A name server that drops
// queries at such a rate makes those pages wait 5 s for the answer, in every way of converting them: as root,
// "unshare -n bench_bulk_job" runs it all without a network, where the lookups fail at once.
//   --timeout S      time limit of one converter run in seconds (default 0: scaled with the page's size)
//   --no-baselines   skip the baselines
//   --rounds N       the job and leafrunner-cli take turns N times, and xargs -P8 runs N times, the best time of each
//                    counting (default 1)

#include "core/ConverterPool.h"
#include "core/ConverterProcess.h"
#include "core/PdfJobEngine.h"
#include "support/TestAppFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace {
// The job ran this many converters at once on two cores before it kept them running.
constexpr int processesAtOnce = 8;

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

double seconds(const timeval& time)
{
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

// User and system time of this program (RUSAGE_SELF), or of the ended processes it started and waited for, and of
// theirs (RUSAGE_CHILDREN).
double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The resident memory of this program and of every process under it, in MB, from /proc.
double treeMemoryMb()
{
    QHash<qint64, qint64> parentOf;
    QHash<qint64, qint64> residentPages;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // After the name in parentheses: state, parent, ... and the resident pages as the 22nd field.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        parentOf.insert(entry.toLongLong(), fields.value(1).toLongLong());
        residentPages.insert(entry.toLongLong(), fields.value(21).toLongLong());
    }
    const qint64 self = QCoreApplication::applicationPid();
    qint64 pages = 0;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        qint64 pid = it.key();
        while (pid > 1 && pid != self)
            pid = parentOf.value(pid);
        if (pid == self)
            pages += residentPages.value(it.key());
    }
    return double(pages) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Samples treeMemoryMb() on a thread of its own every 100 ms, for as long as it lives.
class MemoryPeak
{
public:
    MemoryPeak()
        : m_thread([this] {
            std::unique_lock lock(m_mutex);
            do
                m_peak = std::max(m_peak, treeMemoryMb());
            while (!m_stop.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_stopping; }));
        })
    {}
    ~MemoryPeak() { stop(); }
    double stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_stop.notify_all();
        if (m_thread.joinable())
            m_thread.join();
        return m_peak;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false;
    double m_peak = 0;
    std::thread m_thread;
};

struct Figures {
    double wall = 0;
    double cpu = 0;
    double programCpu = 0;
    double memoryMb = 0;
    qint64 longestGapMs = 0;
};

// Work that calls done() when it has ended, at once or from the event loop.
using Work = std::function<void(const std::function<void()>& done)>;

Figures measure(const Work& work)
{
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    const double programCpuBefore = cpuSeconds(RUSAGE_SELF);
    MemoryPeak memory;
    Figures figures;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { figures.longestGapMs = std::max(figures.longestGapMs, sinceTick.restart()); });
    QEventLoop loop;
    bool ended = false;
    QElapsedTimer wall;
    wall.start();
    sinceTick.start();
    ticker.start();
    work([&] {
        ended = true;
        loop.quit();
    });
    if (!ended)
        loop.exec();
    figures.wall = double(wall.nsecsElapsed()) / 1e9;
    // The job and its converters go with the posted deletions; the converters still running are reaped then.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    figures.cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    figures.programCpu = cpuSeconds(RUSAGE_SELF) - programCpuBefore;
    figures.memoryMb = memory.stop();
    return figures;
}

Work runJob(const PdfJobRequest& request, PdfJobReport& report)
{
    return [&request, &report](const std::function<void()>& done) {
        auto* engine = new PdfJobEngine;
        QObject::connect(engine, &PdfJobEngine::finished, engine, [&report, engine, done](const PdfJobReport& r) {
            report = r;
            engine->deleteLater();
            done();
        });
        engine->start(request);
    };
}

// One converter process per PDF with the job's options, processesAtOnce at a time, the next one as one ends.
Work convertOneProcessPerPdf(const QString& converter, const QStringList& options, const QStringList& pages,
                             const QString& outputFolder)
{
    return [=](const std::function<void()>& done) {
        auto* processes = new ConverterPool(converter, options, 0, "0123abcd");
        auto next = std::make_shared<qsizetype>(0);
        auto ended = std::make_shared<qsizetype>(0);
        const auto feed = [=] {
            for (; *next < pages.size() && *next - *ended < processesAtOnce; ++*next)
                processes->convert(int(*next), pages[*next],
                                   outputFolder + "/" + QFileInfo(pages[*next]).completeBaseName() + ".pdf",
                                   ConverterProcess::timeLimit(QFileInfo(pages[*next]).size()));
        };
        QObject::connect(processes, &ConverterPool::finished, processes, [=] {
            ++*ended;
            feed();
            if (*ended == pages.size()) {
                processes->deleteLater();
                done();
            }
        });
        feed();
    };
}

Work convertWithXargs(const QString& converter, const QStringList& options, const QStringList& pages,
                      const QString& outputFolder)
{
    return [=](const std::function<void()>& done) {
        QProcess xargs;
        xargs.setStandardOutputFile(QProcess::nullDevice());
        xargs.setStandardErrorFile(QProcess::nullDevice());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("OUT", outputFolder);
        xargs.setProcessEnvironment(environment);
        // xargs appends the page to the converter and its options; the PDF is named after the page.
        xargs.start("xargs", QStringList{"-0", "-P8", "-n1", "sh", "-c",
                                         R"(for page; do :; done; exec "$@" "$OUT/$(basename "$page" .html).pdf")",
                                         "sh", converter} +
                                 options);
        xargs.waitForStarted();
        xargs.write(pages.join(QChar(0)).toUtf8());
        xargs.closeWriteChannel();
        xargs.waitForFinished(-1);
        done();
    };
}

Work convertOneAfterAnother(const QString& converter, const QStringList& options, const QStringList& pages,
                            const QString& outputFolder)
{
    return [=](const std::function<void()>& done) {
        for (const QString& page : pages) {
            QProcess process;
            process.setStandardOutputFile(QProcess::nullDevice());
            process.setStandardErrorFile(QProcess::nullDevice());
            process.start(converter, options + QStringList{page, outputFolder + "/" +
                                                                     QFileInfo(page).completeBaseName() + ".pdf"});
            process.waitForFinished(-1);
        }
        done();
    };
}

// leafrunner-cli on the articles folder with the request's entries; the time until it has ended.
double runCommandLine(const PdfJobRequest& request, const QString& appFolder)
{
    QStringList arguments{"make",      "--quiet",         "--app-folder", appFolder,
                          "--title",   request.ad.title,  "--cta-text",   request.ad.ctaText,
                          "--cta-url", request.ad.ctaUrl, "--jobs",       QString::number(request.converters())};
    if (request.mode == CreationMode::Single)
        arguments << "--single" << request.singlePdfName;
    if (request.options.page.allowScripts)
        arguments << "--allow-scripts";
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
    return double(timer.nsecsElapsed()) / 1e9;
}

void print(const char* what, const Figures& figures, bool inEventLoop)
{
    std::printf("%-32s %6.2f s wall, %6.2f s converter CPU, %5.2f s program CPU, peak memory %4.0f MB", what,
                figures.wall, figures.cpu, figures.programCpu, figures.memoryMb);
    if (inEventLoop)
        std::printf(", longest event-loop gap %lld ms", qlonglong(figures.longestGapMs));
    std::printf("\n");
}

// The job, leafrunner-cli and the baselines with the request's scripts; true when every PDF was made.
bool compare(const PdfJobRequest& request, const TestAppFolder& folder, int rounds, bool baselines)
{
    const bool scriptsOn = request.options.page.allowScripts;
    std::printf("\nscripts %s, %d converters kept running:\n", scriptsOn ? "on" : "off", request.converters());
    PdfJobReport report;
    Figures job = measure(runJob(request, report));
    // Turns, so that both meet the same load of the machine; the best of each is the least disturbed.
    double cliSeconds = runCommandLine(request, folder.path());
    for (int round = 1; round < rounds; ++round) {
        PdfJobReport again;
        job.wall = std::min(job.wall, measure(runJob(request, again)).wall);
        cliSeconds = std::min(cliSeconds, runCommandLine(request, folder.path()));
    }
    std::printf("%d of %d PDFs made%s%s\n", report.madeCount(), report.planned,
                report.stopMessage.isEmpty() ? "" : qPrintable(" (" + report.stopMessage + ")"),
                report.converterFallback.isEmpty() ? "" : qPrintable("; " + report.converterFallback));
    print("job:", job, true);
    std::printf("leafrunner-cli make:             %7.2f s  (cli / job %.2f, target at most 1.05)\n", cliSeconds,
                cliSeconds / job.wall);
    if (request.mode == CreationMode::Single || !baselines)
        return report.allMade();

    QStringList pages;
    for (const QString& name : QDir(request.folders.pages()).entryList({"article*.html"}, QDir::Files, QDir::Name))
        pages << request.folders.pageFile(name);
    const QString converter = request.folders.converter();
    const QStringList options = request.options.page.arguments(request.folders.pages());
    const QString out = folder.path() + (scriptsOn ? "/scripts-on-" : "/scripts-off-");
    for (const char* name : {"one-per-pdf", "xargs", "one-by-one"})
        QDir().mkpath(out + name);
    const Figures perPdf = measure(convertOneProcessPerPdf(converter, options, pages, out + "one-per-pdf"));
    Figures xargs = measure(convertWithXargs(converter, options, pages, out + "xargs"));
    for (int round = 1; round < rounds; ++round)
        xargs.wall = std::min(xargs.wall, measure(convertWithXargs(converter, options, pages, out + "xargs")).wall);
    const Figures oneByOne = measure(convertOneAfterAnother(converter, options, pages, out + "one-by-one"));
    print("one process per PDF, 8 at once:", perPdf, true);
    print("xargs -P8:", xargs, false);
    print("one after another:", oneByOne, false);
    std::printf("job / xargs -P8:                 %5.2f  (target at most %.2f)\n", job.wall / xargs.wall,
                scriptsOn ? 0.40 : 0.25);
    std::printf("job / one process per PDF:       %5.2f\n", job.wall / perPdf.wall);
    std::printf("one after another / job:         %5.2f\n", oneByOne.wall / job.wall);
    std::printf("job CPU / one process per PDF:   %5.2f  (target at most 0.40)\n", job.cpu / perPdf.cpu);
    return report.allMade();
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
                       {"scripts", "The pages' scripts: off, on or both.", "off|on|both", "both"},
                       {"single", "Run the single job over all articles."},
                       {"no-baselines", "Skip the baselines."},
                       {"rounds", "Runs of the job, leafrunner-cli and xargs -P8; the best time of each counts.", "n", "1"}});
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
        std::printf("%d articles of %lld bytes, bulk job\n", articles, qlonglong(size));

    const QString scripts = parser.value("scripts");
    const int rounds = std::max(1, parser.value("rounds").toInt());
    bool allMade = true;
    for (const bool scriptsOn : {false, true}) {
        if (scripts != "both" && (scripts == "on") != scriptsOn)
            continue;
        request.options.page.allowScripts = scriptsOn;
        allMade = compare(request, folder, rounds, !parser.isSet("no-baselines")) && allMade;
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("\npeak memory of the program alone %ld MB; articles %.1f MB in all\n", self.ru_maxrss / 1024,
                double(articles) * double(size) / 1e6);
    return allMade ? 0 : 1;
}
