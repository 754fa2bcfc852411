// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Platform.h"
#include "support/FolderSnapshot.h"
#include "support/ImmutablePath.h"
#include "support/PdfJobTesting.h"
#include "support/WindowTesting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <optional>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace PdfJobTesting;

using namespace WindowTesting;

namespace {
struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};
} // namespace

// leafrunner-cli as a process on a temporary application folder with three articles, by default with the real
// converter. "{app}" and "{articles}" in arguments stand for those folders.
class TestCommandLine : public QObject
{
    Q_OBJECT

private:
    static QStringList make(const QStringList& more)
    {
        // The ad block of MainWindowDriver::openFilled().
        return QStringList{"make",       "--app-folder", "{app}",     "--title", AdTitle,
                           "--cta-text", "Read more",    "--cta-url", "http://"} +
               more;
    }

    void setUp(const QString& converterScript = {})
    {
        d.emplace(converterScript);
        for (const char* name : {"a.txt", "B two.txt", "c.txt"})
            d->writeArticle(name, QByteArray("Article ") + name);
        d->app.writeFile("empty/keywords", {});
        d->app.writeFile("one/keyword", "tea\n");
        d->app.writeFile("one/pattern", "#KEYWORD#\n");
    }

    void start(QProcess& process, QStringList arguments) const
    {
        process.start(LEAF_CLI,
                      arguments.replaceInStrings("{app}", d->app.path()).replaceInStrings("{articles}", d->articles()));
        QVERIFY(process.waitForStarted(10000));
    }

    Run cli(const QStringList& arguments, const QByteArray& input = {}) const
    {
        QProcess process;
        start(process, arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput(),
                QString::fromLocal8Bit(process.readAllStandardError()).replace("\r\n", "\n")};
    }

    // The PDFs of the output folder and their text; hidden partial PDFs count too.
    QMap<QString, QString> pdfs() const
    {
        QMap<QString, QString> texts;
        const QDir output(d->app.folders().output());
        for (const QString& name : output.entryList(QDir::Files | QDir::Hidden))
            texts.insert(name, pdfText(output.filePath(name)));
        return texts;
    }

    std::optional<MainWindowDriver> d;

private slots:
    void cleanup() { d.reset(); }

    // Names and texts of the PDFs, and the JSON report matching them.
    void made_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("names");
        // Per PDF, its articles' texts in order, separated by "|".
        QTest::addColumn<QStringList>("texts");
        // clang-format off
        QTest::newRow("bulk, keyword names from standard input") << make({"--json", "--keywords", "-", "{articles}"})
            << QStringList{"best-tea.pdf", "best-coffee.pdf", "tea-guide.pdf"} << QStringList{"Article a.txt", "Article B two.txt", "Article c.txt"};
        QTest::newRow("single, articles in the order given") << make({"--json", "--single", "all of it", "{articles}/c.txt", "{articles}/a.txt"})
            << QStringList{"all-of-it.pdf"} << QStringList{"Article c.txt|Article a.txt"};
        // clang-format on
    }

    void made()
    {
        SKIP_ON_WINDOWS("The real converter is a Linux program here.");
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, names);
        QFETCH(QStringList, texts);
        setUp();
        d->app.writeFile("lstcombinations.txt", "best #KEYWORD#\n#KEYWORD# guide\n");
        const Run run = cli(arguments, "tea\ncoffee\n");
        QCOMPARE(run.exitCode, 0);
        const QMap<QString, QString> made = pdfs();
        const QJsonObject report = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(made.size(), names.size());
        QCOMPARE(report["made"].toInt(), names.size());
        QCOMPARE(report["failed"].toInt(), 0);
        QCOMPARE(report["pdfs"].toArray().size(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            const QString text = made.value(names[i]);
            qsizetype at = text.indexOf(AdTitle);
            for (const QString& piece : texts[i].split('|'))
                QVERIFY2(at >= 0 && (at = text.indexOf(piece, at)) >= 0, qPrintable(names[i] + ": " + text));
            QCOMPARE(report["pdfs"][i]["pdf"].toString(), d->app.folders().pdfFile(names[i]));
            QVERIFY(report["pdfs"][i]["made"].toBool());
        }
    }

    // Numbers beyond what the machine or a timer holds are capped, and said so; an article of NUL bytes is made with
    // a warning.
    void someFailedOthersKept()
    {
        setUp("if B-two.html say \"Error: the page broke\"\nif B-two.html exit 1\npdf");
        d->writeArticle("c.txt", QByteArray("binary\0", 7));
        const Run run = cli(make({"--jobs", "100000", "--timeout", "2147483647", "{articles}"}));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(pdfs().keys(), QStringList({"a.pdf", "c.pdf"}));
        QVERIFY2(run.err.contains("Not made:\nB-two.pdf: ") && run.err.contains("(Error: the page broke)") &&
                     run.err.contains("than this machine holds") && run.err.contains("may take 86400 seconds") &&
                     run.err.contains("c.txt does not look like text: it holds NUL bytes."),
                 qPrintable(run.err));
    }

    // Allowed, the later article's PDF replaces the earlier one's and the report says so; a second run skips them.
    void sameNamesAllowedThenSkipped()
    {
        setUp(standInConverter);
        const QStringList arguments = make({"--json", "--allow-same-name", "--keywords", "{app}/one/keyword",
                                            "--patterns", "{app}/one/pattern", "{articles}"});
        const auto field = [](const Run& run, int pdf, const char* name) {
            return QJsonDocument::fromJson(run.out)["pdfs"][pdf][QLatin1String(name)].toString();
        };
        const Run first = cli(arguments);
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(QJsonDocument::fromJson(first.out)["made"].toInt(), 1);
        QCOMPARE(field(first, 0, "state"), QString("replaced"));
        QCOMPARE(field(first, 0, "replacedBy"), d->article("B two.txt"));
        const Run second = cli(arguments + QStringList{"--existing", "skip"});
        QCOMPARE(second.exitCode, 0);
        for (int pdf = 0; pdf < 3; ++pdf)
            QCOMPARE(field(second, pdf, "state"), QString("skipped"));
    }

#ifndef Q_OS_WIN // POSIX signals; the console's are Windows' own
    void terminatedMidRun_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("code");
        QTest::newRow("SIGTERM") << SIGTERM << 130;
        QTest::newRow("SIGHUP, the terminal closed") << SIGHUP << 129;
    }

    void terminatedMidRun()
    {
        QFETCH(int, signal);
        QFETCH(int, code);
        setUp("hang {page}.pid");
        QProcess process;
        start(process, make({"--jobs", "2", "{articles}"}));
        const QStringList pidFiles{d->app.folders().pageFile("a.html.pid"),
                                   d->app.folders().pageFile("B-two.html.pid")};
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFiles[0]).size() > 0 && QFileInfo(pidFiles[1]).size() > 0, 20000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), code);
        for (const QString& pidFile : pidFiles)
            QTRY_VERIFY_WITH_TIMEOUT(!anyAlive(pidFile), 5000);
        QVERIFY(pdfs().isEmpty());
    }
#endif

    // A fault found before the first conversion: exit code 2, the message, with --json as the document's "error";
    // a conversion that ran and failed: 1. No PDF is written either way.
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("no command")               << QStringList() << 2 << "Name a command";
        QTest::newRow("unknown option")           << make({"--bogus", "{articles}"}) << 2 << "Unknown option 'bogus'.";
        QTest::newRow("article named -...")       << make({"-dash.txt"}) << 2 << R"(goes after "--": make [options] -- -dash)";
        QTest::newRow("no ad text")               << QStringList{"make", "--app-folder", "{app}", "--title", "T", "--cta-url", "u", "{articles}"}
                                                  << 2 << "the ad block needs --title, --cta-text and --cta-url; give --cta-text.";
        QTest::newRow("no such article")          << make({"{articles}/a.txt", "{articles}/gone.txt"}) << 2 << "gone.txt does not";
        QTest::newRow("article a FIFO")           << make({"{app}/odd/fifo.txt"}) << 2 << "is a named pipe (FIFO), not a text";
        QTest::newRow("no articles in folder")    << make({"{app}/empty"}) << 2 << "holds no *.txt articles";
        QTest::newRow("keyword file unreadable")  << make({"--keywords", "{app}/none", "{articles}"}) << 2 << "none could";
        QTest::newRow("keyword file empty")       << make({"--keywords", "{app}/empty/keywords", "{articles}"}) << 2 << "--keywords gave no keywords.";
        QTest::newRow("names shared")             << make({"{articles}/a.txt", "{articles}/a.txt"}) << 2 << "--allow-same-name";
        QTest::newRow("every name refused")       << make({"{app}/odd/.hidden.txt"}) << 2 << "named after the article";
        QTest::newRow("app folder a file")        << make({"--app-folder", "{articles}/a.txt", "{articles}"}) << 2 << "a.txt is a file, not a folder.";
        QTest::newRow("converter not executable") << make({"{articles}"}) << 2 << "could not be started";
        QTest::newRow("run lock held")            << make({"{articles}"}) << 2 << "Please run it again when it has finished.";
        QTest::newRow("output takes no files")    << make({"{articles}"}) << 2 << "No file can be written into the output";
        QTest::newRow("PDF already made")         << make({"--existing", "fail", "{articles}"}) << 2 << "already holds 1 of";
        QTest::newRow("single conversion failed") << make({"--single", "x", "{articles}"}) << 1 << "The PDF was not made.";
        QTest::newRow("pages not a number")       << QStringList{"generate", "--pages", "ten"} << 2 << "a whole number from";
        QTest::newRow("device name")              << QStringList{"generate", "--pages", "1", "--app-folder", "{app}", "--out", "{app}/empty/aux.txt"}
                                                  << 2 << "reserves it for a device";
        // clang-format on
    }

    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QString tag = QTest::currentDataTag();
        setUp(tag == "single conversion failed" ? "exit 1" : standInConverter);
        d->app.writeFile("odd/.hidden.txt", "x");
        if (tag == "article a FIFO" || tag == "converter not executable")
            SKIP_ON_WINDOWS("Windows has neither FIFOs nor permission to run.");
#ifndef Q_OS_WIN
        QVERIFY(::mkfifo(QFile::encodeName(d->app.path() + "/odd/fifo.txt").constData(), 0600) == 0);
#endif
        if (tag == "converter not executable")
            QFile::setPermissions(d->app.folders().converter(), QFile::ReadOwner);
        QLockFile lock(d->app.folders().pageFile("leafrunner.lock"));
        QVERIFY(tag != "run lock held" || lock.tryLock());
        std::optional<ImmutablePath> readOnly;
        if (tag == "output takes no files" &&
            !(QDir().mkpath(d->app.folders().output()) && readOnly.emplace(d->app.folders().output()).isSet()))
            QSKIP("The immutable flag cannot be set here.");
        d->app.writeFile("bin/output/B-two.pdf", "B");
        if (arguments.value(0) == "make")
            arguments.insert(1, "--json");
        const FolderSnapshot before({d->app.path()});
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, code);
        QVERIFY2(run.err.contains(message, Qt::CaseInsensitive), qPrintable(run.err));
        QStringList pages; // the pages of the rows whose conversions were tried
        for (const char* page : {"x.html", "a.html", "B-two.html", "c.html"})
            pages << d->app.folders().pageFile(page);
        QCOMPARE(before.changesOutside(pages), QStringList());
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(json["exitCode"].toInt(-1), arguments.value(0) == "make" ? code : -1);
        QCOMPARE(json["error"].toString().contains(message, Qt::CaseInsensitive), code == 2 && !json.isEmpty());
    }

    void generate()
    {
        setUp();
        const Run run = cli({"generate", "--pages", "1", "--keywords", "green tea", "--app-folder", "{app}"});
        QCOMPARE(run.exitCode, 0);
        // Two pages of four paragraphs, each carrying the keyword once, with the system's line endings.
        const QString paragraphEnd = Platform::lineEnding().repeated(2);
        QCOMPARE(QString::fromUtf8(run.out).count("green tea"), 8);
        QCOMPARE(QString::fromUtf8(run.out).count(paragraphEnd), 8);
        const QString saved = d->app.writeFile("articles/a.txt", "replaced");
        QCOMPARE(cli({"generate", "--pages", "0", "--app-folder", "{app}", "--out", saved}).exitCode, 0);
        QCOMPARE(QString::fromUtf8(TestAppFolder::readFile(saved)).count(paragraphEnd), 4);
        QCOMPARE(cli({"make", "--title", "T", "--version"}).out, cli({"--version"}).out);
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
