#include "core/Platform.h"
#include "support/FolderSnapshot.h"
#include "support/ImmutablePath.h"
#include "support/PdfJobTesting.h"
#include "support/WindowTesting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>

#include <optional>

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

    QStringList expanded(QStringList arguments) const
    {
        return arguments.replaceInStrings("{app}", d->app.path()).replaceInStrings("{articles}", d->articles());
    }

    void start(QProcess& process, const QStringList& arguments) const
    {
        process.start(LEAF_CLI, expanded(arguments));
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
                QString::fromLocal8Bit(process.readAllStandardError())};
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
        QTest::newRow("bulk, a folder in the window's order")
            << make({"--json", "{articles}"}) << QStringList{"a.pdf", "B-two.pdf", "c.pdf"}
            << QStringList{"Article a.txt", "Article B two.txt", "Article c.txt"};
        QTest::newRow("bulk, keyword names from standard input")
            << make({"--json", "--keywords", "-", "{articles}"})
            << QStringList{"best-tea.pdf", "best-coffee.pdf", "tea-guide.pdf"}
            << QStringList{"Article a.txt", "Article B two.txt", "Article c.txt"};
        QTest::newRow("single, articles in the order given")
            << make({"--json", "--single", "all of it", "{articles}/c.txt", "{articles}/a.txt"})
            << QStringList{"all-of-it.pdf"} << QStringList{"Article c.txt|Article a.txt"};
    }

    void made()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, names);
        QFETCH(QStringList, texts);
        setUp();
        d->app.writeFile("lstcombinations.txt", "best #KEYWORD#\n#KEYWORD# guide\n");
        const Run run = cli(arguments, "tea\ncoffee\n");
        QCOMPARE(run.exitCode, 0);
        const QMap<QString, QString> made = pdfs();
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(made.keys(), sorted);
        for (int i = 0; i < names.size(); ++i) {
            const QString text = made[names[i]];
            qsizetype at = text.indexOf(AdTitle);
            for (const QString& piece : texts[i].split('|'))
                QVERIFY2(at >= 0 && (at = text.indexOf(piece, at)) >= 0, qPrintable(names[i] + ": " + text));
        }
        const QJsonObject report = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(report["made"].toInt(), names.size());
        QCOMPARE(report["failed"].toInt(), 0);
        const QJsonArray listed = report["pdfs"].toArray();
        QCOMPARE(listed.size(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            const QJsonObject pdf = listed[i].toObject();
            QCOMPARE(pdf["pdf"].toString(), d->app.folders().pdfFile(names[i]));
            QVERIFY(pdf["made"].toBool());
        }
    }

    void someFailedOthersKept()
    {
        setUp(R"(case "$1" in *B-two.html) echo "Error: the page broke" >&2; exit 1;; esac; )" + standInConverter);
        const Run run = cli(make({"{articles}"}));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(pdfs().keys(), QStringList({"a.pdf", "c.pdf"}));
        QVERIFY2(run.err.contains("Not made:\nB-two.pdf: ") && run.err.contains("(Error: the page broke)"),
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

    void terminatedMidRun()
    {
        setUp(R"(echo $$ > "$1.pid"; exec sleep 60)");
        QProcess process;
        start(process, make({"--jobs", "2", "{articles}"}));
        const QStringList pidFiles{d->app.folders().pageFile("a.html.pid"),
                                   d->app.folders().pageFile("B-two.html.pid")};
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFiles[0]).size() > 0 && QFileInfo(pidFiles[1]).size() > 0, 20000);
        process.terminate();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 130);
        for (const QString& pidFile : pidFiles)
            QVERIFY(!processAlive(TestAppFolder::readFile(pidFile).trimmed().toLongLong()));
        QVERIFY(pdfs().isEmpty());
    }

    // Refused with a message and exit code 2, nothing written.
    void badUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList() << "Name a command";
        QTest::newRow("unknown option") << make({"--bogus", "{articles}"}) << "Unknown option 'bogus'.";
        QTest::newRow("no such article") << make({"{articles}/a.txt", "{articles}/gone.txt"}) << "gone.txt does not";
        QTest::newRow("no articles in folder") << make({"{app}/empty"}) << "holds no *.txt articles";
        QTest::newRow("keyword file unreadable") << make({"--keywords", "{app}/none", "{articles}"}) << "none could";
        QTest::newRow("no converter") << make({"--app-folder", "{articles}", "{articles}"})
                                      << "The converter was not found.";
        QTest::newRow("output takes no files") << make({"{articles}"}) << "No file can be written into the output";
        QTest::newRow("names shared") << make({"--keywords", "{app}/one/keyword", "--patterns", "{app}/one/pattern",
                                               "{articles}"})
                                      << "1 PDFs would be kept of 3 articles.\n\ntea.pdf: ";
        QTest::newRow("PDF already made") << make({"--existing", "fail", "{articles}"}) << "already holds 1 of";
        QTest::newRow("pages not a number") << QStringList{"generate", "--pages", "ten"} << "a whole number from";
        QTest::newRow("device name") << QStringList{"generate",           "--pages", "1",
                                                    "--app-folder",       "{app}",   "--out",
                                                    "{app}/empty/aux.txt"}
                                     << "reserves it for a device";
    }

    void badUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        setUp();
        std::optional<ImmutablePath> readOnly;
        if (QTest::currentDataTag() == QLatin1String("output takes no files") &&
            !(QDir().mkpath(d->app.folders().output()) && readOnly.emplace(d->app.folders().output()).isSet()))
            QSKIP("The immutable flag cannot be set here.");
        d->app.writeFile("bin/output/B-two.pdf", "B");
        const FolderSnapshot before({d->app.path()});
        const Run run = cli(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(before.changesOutside({}), QStringList());
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
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_command_line.moc"
