// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ConverterPool.h"
#include "core/ConverterProcess.h"
#include "support/PdfJobTesting.h"

#include <QTest>

using namespace PdfJobTesting;
using namespace std::chrono_literals;

namespace {
const QString token = "0123abcd";

// Converts each page into its PDF through the pool and puts each PDF made in place, the next page only once one has
// ended, at most atOnce at a time, as the bulk job does; the results in page order.
QList<ConverterResult> convertAll(ConverterPool& pool, const QStringList& pages, const QStringList& pdfs, int atOnce,
                                  std::chrono::milliseconds timeLimit)
{
    QList<ConverterResult> results(pages.size());
    qsizetype next = 0;
    qsizetype ended = 0;
    const auto feed = [&] {
        for (; next < pages.size() && next - ended < atOnce; ++next)
            pool.convert(int(next), pages[next], pdfs[next], timeLimit);
    };
    QObject::connect(&pool, &ConverterPool::finished, &pool, [&](int id, const ConverterResult& result) {
        results[id] = result.status == ConverterResult::Made
                          ? ConverterProcess::placePartialPdf(ConverterProcess::partialPdfPath(pdfs[id], token),
                                                              pdfs[id], result, {})
                          : result;
        ++ended;
        feed();
    });
    feed();
    if (!QTest::qWaitFor([&] { return ended == pages.size(); }, 60000))
        QTest::qFail("the pool did not convert every page in time", __FILE__, __LINE__);
    pool.disconnect();
    return results;
}
} // namespace

// The converters kept running from one page to the next, and one converter process per page where they cannot be.
class TestConverterPool : public QObject
{
    Q_OBJECT

private slots:
    // One worker converts four pages, the second of which meets the row's fault: that page ends as the row says,
    // the others are made, by a fresh worker after one that ended, and no converter outlives the pool.
    void faults_data()
    {
        QTest::addColumn<QString>("reason"); // of the second page; empty: made
        QTest::addColumn<QString>("converterLine");
        QTest::addColumn<int>("converters"); // that made the other pages
        // clang-format off
        QTest::newRow("writes nothing")   << "The converter wrote no PDF." << "" << 1;
        QTest::newRow("malformed output") << "The converter wrote a file that is not a PDF." << "Done?" << 1;
        QTest::newRow("hangs")            << "The converter did not finish within 2 s and was stopped." << "" << 2;
        QTest::newRow("exits")            << "The converter ended with exit code 1 and wrote no PDF." << "Error: Failed loading page" << 2;
        // Each page then has a converter process of its own.
        QTest::newRow("reads no lines")   << "" << "" << 3;
        // clang-format on
    }

    void faults()
    {
        QFETCH(QString, reason);
        QFETCH(QString, converterLine);
        QFETCH(int, converters);
        const QString tag = QTest::currentDataTag();
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString log = app.path() + "/log";
        const QString refusal = "if --read-args-from-stdin say \"Unknown option\"\nif --read-args-from-stdin exit 1\n";
        app.setConverterScript((tag == "reads no lines" ? refusal : QString()) + QString(R"(append %1 "{pid} {name}"
if hangs* hang %1
if exits* say "Error: Failed loading page"
if exits* exit 1
if "writes nothing*" exit 0
pdf
if malformed* say "Done.{nl}Done?"
if malformed* write {pdf} <html>)")
                                                                                     .arg(log));
        QStringList pages;
        QStringList pdfs;
        for (const QString& name : {QString("first"), tag, QString("third"), QString("fourth")}) {
            pages << app.writeFile("bin/" + name + ".html", "<p>" + name.toUtf8());
            pdfs << app.folders().pdfFile(name + ".pdf");
        }
        QDir().mkpath(app.folders().output());

        ConverterPool pool(app.folders().converter(), {"--disable-javascript"}, 1, token);
        const QList<ConverterResult> results = convertAll(pool, pages, pdfs, 1, 2s);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(results[i].reason, i == 1 ? reason : QString());
            QCOMPARE(QFile::exists(pdfs[i]), i != 1 || reason.isEmpty());
        }
        QCOMPARE(results[1].converterLine, converterLine);
        QCOMPARE(pool.fallbackReason().contains("(Unknown option)"), tag == "reads no lines");
        QCOMPARE(QDir(app.folders().output()).entryList({"*.part"}, QDir::Files | QDir::Hidden), QStringList());

        QHash<QString, QString> converterOf; // page (or "sleep"): pid
        for (const QString& line : QString(TestAppFolder::readFile(log)).split('\n', Qt::SkipEmptyParts))
            converterOf[line.section(' ', 1)] = line.section(' ', 0, 0);
        QCOMPARE(
            QSet<QString>({converterOf["first.html"], converterOf["third.html"], converterOf["fourth.html"]}).size(),
            converters);
        QSignalSpy stopped(&pool, &ConverterPool::stopped);
        pool.stop();
        QVERIFY(stopped.wait(5000));
        for (const QString& pid : std::as_const(converterOf))
            QTRY_VERIFY_WITH_TIMEOUT(!processAlive(pid.toLongLong()), 5000);
    }

    // The real converter finds every page and writes every PDF whose paths go on its line; a path the line cannot
    // carry goes to a converter process of its own, which the report says.
    void pathsOnTheLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("blanks") << "my  page ";
        QTest::newRow("apostrophes") << "it's Ann's";
        QTest::newRow("double quotes") << "say \"hi\" \"";
        QTest::newRow("backslashes") << "back\\slash\\ \\\\";
        QTest::newRow("leading hyphen") << "--help -q";
        QTest::newRow("non-Latin letters") << "Ünïcödé Привет";
        QTest::newRow("line break") << "line\nbreak";
    }

    void pathsOnTheLine()
    {
        SKIP_ON_WINDOWS("The real converter is a Linux program here.");
        QFETCH(QString, name);
        TestAppFolder app;
        QDir().mkpath(app.folders().output());
        const QString page = app.writeFile("bin/" + name + ".html",
                                           "<meta charset=utf-8><p>The page called -" + name.toUtf8() + "-</p>");
        const QString pdf = app.folders().pdfFile(name + ".pdf");
        ConverterPool pool(app.folders().converter(), ConverterOptions().arguments(app.folders().pages()), 1, token);
        QCOMPARE(convertAll(pool, {page}, {pdf}, 1, 60s).first().reason, QString());
        // Only the line break's PDF comes from a run of its own; a path the kept converter misread would make the
        // pool give its workers up, which the reason says instead.
        QCOMPARE(pool.fallbackReason().section(" by ", 0, 0), QString(name.contains('\n') ? "1 PDF was made" : ""));
        QVERIFY(pdfText(pdf).simplified().contains(("The page called -" + name + "-").simplified()));
    }

    // A bulk job's PDFs read as those of one converter process per page.
    void sameTextAsOneProcessPerPage()
    {
        SKIP_ON_WINDOWS("The real converter is a Linux program here.");
        TestAppFolder app;
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        QStringList pages;
        QStringList alone;
        for (int i = 0; i < 20; ++i) {
            request.articles << article(app, QString("a%1.txt").arg(i),
                                        QString("Article %1 grows.\nIn two lines.").arg(i).toUtf8());
            pages << app.folders().pageFile(QString("a%1.html").arg(i));
            alone << app.folders().pdfFile(QString("alone %1.pdf").arg(i));
        }
        request.converterLimit = 4;
        const PdfJobReport report = run(request);
        QVERIFY(report.allMade());
        QCOMPARE(report.converterFallback, QString());

        ConverterPool oneProcessPerPage(app.folders().converter(),
                                        request.options.page.arguments(app.folders().pages()), 0, token);
        convertAll(oneProcessPerPage, pages, alone, 4, 60s);
        for (int i = 0; i < 20; ++i) {
            const QString text = pdfText(report.outcomes[i].pdf);
            QVERIFY2(text.simplified().contains(QString("Article %1 grows. In two lines.").arg(i)), qPrintable(text));
            QCOMPARE(text, pdfText(alone[i]));
        }
    }
};

QTEST_GUILESS_MAIN(TestConverterPool)
#include "tst_converter_pool.moc"
