#include "support/PdfJobTesting.h"

#include "core/PageBuilder.h"
#include "core/PdfNames.h"

#include <QTest>

using namespace PdfJobTesting;

using namespace std::chrono_literals;

namespace {
// Hidden files too, so that a partial PDF left behind shows.
QStringList filesIn(const QString& folder, const QString& pattern = "*")
{
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestPdfJobs : public QObject
{
    Q_OBJECT

private slots:
    // Blanks become hyphens first, then one pass turns "--" into "-".
    void keywordPdfNames()
    {
        QCOMPARE(PdfNames::keywordPdfName("red widget"), QString("red-widget.pdf"));
        QCOMPARE(PdfNames::keywordPdfName("big - sale"), QString("big--sale.pdf"));
        QCOMPARE(PdfNames::keywordPdfName("a  b"), QString("a-b.pdf"));
    }

    // With the real converter: the ad first, then the articles in list order, not in name order.
    void singleJobMakesOnePdfOfAllArticles()
    {
        TestAppFolder app;
        auto request = PdfJobTesting::request(app, CreationMode::Single,
                                              {article(app, "c.txt", "Charlie went first."),
                                               article(app, "a.txt", "Alpha came second.\r\nIn two lines."),
                                               article(app, "b.txt", "Bravo closed the list.")});
        QStringList progress;
        QVERIFY(run(request, &progress).allMade());
        QCOMPARE(progress, QStringList({"0/3 -1", "1/3 -1", "2/3 -1"}));
        QCOMPARE(filesIn(app.folders().output()), QStringList{"my-report.pdf"});
        QCOMPARE(filesIn(app.folders().bin(), "*.html"), QStringList({"my-report.html", "template.html"}));

        const QString text = pdfText(app.folders().pdfFile("my-report.pdf"));
        const qsizetype ad = text.indexOf("Grow Tomatoes Like a Pro");
        const qsizetype charlie = text.indexOf("Charlie went first.");
        const qsizetype alpha = text.indexOf("Alpha came second.");
        const qsizetype bravo = text.indexOf("Bravo closed the list.");
        QVERIFY2(ad >= 0 && ad < charlie && charlie < alpha && alpha < bravo, qPrintable(text));
    }

    void bulkJobNamesPdfsAfterTheArticles()
    {
        TestAppFolder app;
        auto request = PdfJobTesting::request(app, CreationMode::Bulk,
                                              {article(app, "My first_post.txt", "First post body."),
                                               article(app, "second.draft.txt", "Second body."),
                                               article(app, "Third one.txt", "Third body.")});
        QStringList progress;
        QVERIFY(run(request, &progress).allMade());
        QCOMPARE(progress, QStringList({"0/3 -1", "1/3 -1", "2/3 -1"}));
        QCOMPARE(filesIn(app.folders().output()), QStringList({"My-first-post.pdf", "Third-one.pdf", "second.pdf"}));
        QCOMPARE(filesIn(app.folders().bin(), "*.html"),
                 QStringList({"My-first-post.html", "Third-one.html", "second.html", "template.html"}));
        QVERIFY(pdfText(app.folders().pdfFile("second.pdf")).contains("Second body."));
    }

    // Two names over five articles: the later articles replace the PDFs of the earlier ones.
    void keywordNamesCycleThroughTheList()
    {
        TestAppFolder app;
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        for (int i = 1; i <= 5; ++i)
            request.articles << article(app, QString("art%1.txt").arg(i),
                                        QString("Article number %1.").arg(i).toUtf8());
        request.naming = PdfNaming::Keywords;
        request.finalNames = {"red widget", "blue widget"};

        QStringList progress;
        const PdfJobReport report = run(request, &progress);
        QVERIFY(report.allMade());
        QVERIFY2(closingBoxFor(report).text.startsWith("5 of 5 PDFs were made; 3 of them were replaced"),
                 qPrintable(closingBoxFor(report).text));
        QCOMPARE(progress, QStringList({"0/5 0", "1/5 1", "2/5 0", "3/5 1", "4/5 0"}));
        QCOMPARE(filesIn(app.folders().output()), QStringList({"blue-widget.pdf", "red-widget.pdf"}));
        QCOMPARE(filesIn(app.folders().bin(), "art*.html").size(), 5);
        QVERIFY(pdfText(app.folders().pdfFile("blue-widget.pdf")).contains("Article number 4."));
        QVERIFY(pdfText(app.folders().pdfFile("red-widget.pdf")).contains("Article number 5."));
    }

    void sameFileNameInTwoFoldersKeepsTheSecond()
    {
        TestAppFolder app;
        const PdfJobReport report = run(PdfJobTesting::request(
            app, CreationMode::Bulk,
            {article(app, "one/Same name.txt", "The first one."), article(app, "two/Same name.txt", "The second.")}));
        QVERIFY(report.allMade());
        QCOMPARE(filesIn(app.folders().bin(), "*.html"), QStringList({"Same-name.html", "template.html"}));
        const QByteArray page = TestAppFolder::readFile(app.folders().pageFile("Same-name.html"));
        QVERIFY(page.contains("The second.") && !page.contains("The first one."));
        QCOMPARE(filesIn(app.folders().output()), QStringList{"Same-name.pdf"});
        QVERIFY(pdfText(app.folders().pdfFile("Same-name.pdf")).contains("The second."));
    }

    void singlePageIsExact()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(standInConverter);
        app.writeFile("bin/template.html", "<html><body><h1>#ADTITLE#</h1><a href=\"#CTAURL#\">#CTATEXT#</a>");
        auto request = PdfJobTesting::request(
            app, CreationMode::Single,
            {article(app, "A.txt", "A one\r\nA two"), article(app, "B.txt", "B caf\xC3\xA9\rend")});
        QVERIFY(run(request).allMade());
        QCOMPARE(TestAppFolder::readFile(app.folders().pageFile("my-report.html")),
                 QByteArray("<html><body><h1>Grow Tomatoes Like a Pro</h1>"
                            "<a href=\"https://example.com/guide\">Get the Free Guide</a>"
                            "<br><br><br>A one<br><br>A two"
                            "<br><br><br>B caf\xC3\xA9<br><br>end") +
                     PageBuilder::scriptTail().toUtf8());
    }

    // A failing article is listed and the job goes on; no PDF lands outside the output folder.
    void bulkJobGoesOnAfterAFailure()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(standInConverter);
        auto request = PdfJobTesting::request(app, CreationMode::Bulk,
                                              {article(app, "a.txt", "A"), app.path() + "/articles/missing.txt",
                                               article(app, "c.txt", "C"), article(app, "d.txt", "D")});
        request.naming = PdfNaming::Keywords;
        request.finalNames = {"one", "two", "../escape"};

        const PdfJobReport report = run(request);
        QCOMPARE(report.planned, 4);
        QCOMPARE(report.madeCount(), 2);
        QCOMPARE(report.outcomes.size(), 4);
        QVERIFY(report.outcomes[1].reason.contains("missing.txt"));
        QVERIFY(report.outcomes[2].reason.contains("\"../escape.pdf\""));
        QCOMPARE(filesIn(app.folders().output()), QStringList{"one.pdf"});
        QVERIFY(!QFile::exists(app.folders().bin() + "/escape.pdf"));
        const QString text = closingBoxFor(report).text;
        QVERIFY2(text.startsWith("2 of 4 PDFs were made; one of them was replaced") && text.contains("\n../escape: "),
                 qPrintable(text));
    }

    // Articles start in order, several converters at once up to the limit; an article whose page is still being
    // converted waits for that run to end.
    void bulkJobRunsConvertersSideBySideInOrder()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString log = app.path() + "/converter.log";
        app.setConverterScript(
            QString("echo \"start $(basename \"$1\")\" >> '%1'; sleep 0.3; %2; echo \"end $(basename \"$1\")\" >> '%1'")
                .arg(log, standInConverter));
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        for (const char* name : {"one/same.txt", "b.txt", "c.txt", "two/same.txt", "e.txt", "f.txt"})
            request.articles << article(app, name, name);
        request.converterLimit = 3;

        QStringList progress;
        QVERIFY(run(request, &progress).allMade());
        QCOMPARE(progress, QStringList({"0/6 -1", "1/6 -1", "2/6 -1", "3/6 -1", "4/6 -1", "5/6 -1"}));

        const QStringList lines = QString(TestAppFolder::readFile(log)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 12);
        QVERIFY(lines.indexOf("end same.html") < lines.lastIndexOf("start same.html"));
        int running = 0;
        int most = 0;
        for (const QString& line : lines)
            most = std::max(most, running += line.startsWith("start") ? 1 : -1);
        QVERIFY2(most >= 2 && most <= 3, qPrintable(lines.join(',')));
    }

    // A run that fails, hangs past its limit or is cancelled leaves the earlier PDF of its name as it was and no
    // partial PDF; one left by an earlier program goes when the job starts.
    void failedRunKeepsTheEarlierPdf_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("reason");
        const QString cutOff = R"(printf '%%PDF-1.4\n1 0 obj <<' > "$2"; )";
        QTest::newRow("exits 3") << "exit 3" << false << "exit code 3 and wrote no PDF";
        QTest::newRow("cut-off PDF, exits 1") << cutOff + "exit 1" << false << "incomplete PDF";
        QTest::newRow("hangs past the limit") << cutOff + "exec sleep 60" << false << "within 1 s";
        QTest::newRow("cancelled") << cutOff + "exec sleep 60" << true << "cancelled";
    }

    void failedRunKeepsTheEarlierPdf()
    {
        QFETCH(QString, script);
        QFETCH(bool, cancel);
        QFETCH(QString, reason);
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(script);
        const QByteArray earlier = "%PDF-1.4 earlier\n%%EOF\n";
        const QString keep = app.writeFile("bin/output/keep.pdf", earlier);
        app.writeFile("bin/output/.old.pdf.0123abcd.part", "%PDF-1.4");
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {article(app, "keep.txt", "K")});
        request.converterTimeLimit = cancel ? 30s : 1s;

        PdfJobEngine engine;
        QSignalSpy finished(&engine, &PdfJobEngine::finished);
        QVERIFY(engine.start(request));
        if (cancel) {
            QTRY_COMPARE_WITH_TIMEOUT(filesIn(app.folders().output(), ".keep.pdf.*.part").size(), 1, 10000);
            engine.cancel();
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        const auto report = finished.first().first().value<PdfJobReport>();
        QCOMPARE(report.madeCount(), 0);
        QVERIFY2(report.outcomes.value(0).reason.contains(reason), qPrintable(report.outcomes.value(0).reason));
        QCOMPARE(TestAppFolder::readFile(keep), earlier);
        QCOMPARE(filesIn(app.folders().output()), QStringList{"keep.pdf"});
        const ClosingBox box = closingBoxFor(report);
        QVERIFY(!box.text.startsWith("Ready.") && box.title != "Done" && !box.askToOpenOutput);
    }
};

QTEST_GUILESS_MAIN(TestPdfJobs)
#include "tst_pdf_jobs.moc"
