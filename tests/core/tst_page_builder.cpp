#include "core/PageBuilder.h"
#include "core/PdfNames.h"
#include "core/TextFile.h"
#include "support/TestAppFolder.h"

#include <QProcess>
#include <QTest>

using namespace PageBuilder;

class TestPageBuilder : public QObject
{
    Q_OBJECT

private slots:
    void fillsTemplate_data()
    {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("page");
        QTest::newRow("no placeholders") << "<p>plain</p>"
                                         << "T"
                                         << "<p>plain</p>";
        QTest::newRow("title twice") << "#ADTITLE#|#ADTITLE#"
                                     << "T"
                                     << "T|T";
        QTest::newRow("later placeholder inside the title") << "#ADTITLE#"
                                                            << "a #CTATEXT# b #CTAURL#"
                                                            << "a Go b http://x";
        QTest::newRow("earlier placeholder inside a value stays") << "#CTATEXT#"
                                                                  << "T"
                                                                  << "Go";
        QTest::newRow("ampersand and markup unchanged") << "<h1>#ADTITLE#</h1>"
                                                        << " Tom & <b>Jerry</b> "
                                                        << "<h1> Tom & <b>Jerry</b> </h1>";
    }

    void fillsTemplate()
    {
        QFETCH(QString, templ);
        QFETCH(QString, title);
        QFETCH(QString, page);
        QCOMPARE(fillTemplate(templ, {title, "Go", "http://x"}), page);
        QCOMPARE(fillTemplate("#CTATEXT#", {"T", "#ADTITLE#", "u"}), QString("#ADTITLE#"));
    }

    void articleBecomesHtml()
    {
        QCOMPARE(articleToHtml("one\r\ntwo"), QString("one<br><br>two"));
        QCOMPARE(articleToHtml("one\r\n\r\ntwo"), QString("one<br><br><br><br>two"));
        QCOMPARE(articleToHtml("one\rtwo\r"), QString("one<br><br>two<br><br>"));
        QCOMPARE(articleToHtml("one\ntwo & <i>\n\r\n"), QString("one<br><br>two & <i><br><br><br><br>"));
        QCOMPARE(singleBodyPiece("A"), QString("<br><br><br>A"));
    }

    void scriptTailIsExact()
    {
        QCOMPARE(scriptTail(),
                 QString("<script src= assets/js/jquery.min.js ></script>"
                         "<script src= assets/bootstrap/js/bootstrap.min.js ></script>"
                         "<script src= https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/jquery.easing.min.js "
                         "></script>"
                         "<script src= assets/js/stylish-portfolio.js ></script></body></html>"));
    }

    // On a file system that ignores letter case any spelling of "template" would be the page template itself.
    void pageNamesNeverHitTheTemplate()
    {
        QCOMPARE(PdfNames::singlePdfBaseName("my report "), QString("my-report-"));
        QCOMPARE(PdfNames::singlePageName("my-report"), QString("my-report.html"));
        QCOMPARE(PdfNames::singlePageName("template"), QString("etemplate.html"));
        QCOMPARE(PdfNames::singlePageName("TEMPLATE"), QString("eTEMPLATE.html"));
        QCOMPARE(PdfNames::singlePageName("templates"), QString("templates.html"));
        QCOMPARE(PdfNames::bulkPageName("Best-tips.txt"), QString("Best-tips.html"));
        QCOMPARE(PdfNames::bulkPageName("Template.txt"), QString("eTemplate.html"));
    }

    void writePageReplacesAndWritesUtf8()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString path = app.folders().pageFile("p.html");
        app.writeFile("bin/p.html", "stale content that must go");
        QVERIFY(writePage(path, QString::fromUtf8("<h1>\xC3\xA9"), "body", "</html>"));
        QCOMPARE(TestAppFolder::readFile(path), QByteArray("<h1>\xC3\xA9"
                                                           "body</html>"));
        const Result<> missing = writePage(app.path() + "/missing/p.html", "a", "b", "c");
        QVERIFY(!missing);
        QVERIFY(!missing.error().isEmpty());
    }

    void shippedTemplateLeavesTheBodyOpen()
    {
        const Result<QString> loaded = TextFile::load(LEAF_DATA_DIR "/bin/template.html");
        QVERIFY(loaded);
        const QString& templ = *loaded;
        for (const char* placeholder : {"#ADTITLE#", "#CTATEXT#", "#CTAURL#"})
            QVERIFY2(templ.contains(placeholder), placeholder);
        QVERIFY(templ.contains("charset", Qt::CaseInsensitive));
        QVERIFY(!templ.contains("</body>", Qt::CaseInsensitive));
    }

    // A page written from the shipped template and a real article becomes a PDF with the ad, its link and the text.
    void realConverterRendersThePage()
    {
        TestAppFolder app;
        const AppFolders folders = app.folders();
        const QString head =
            fillTemplate(TextFile::load(folders.pageTemplate()).value(),
                         {"Grow Tomatoes Like a Pro", "Get the Free Guide", "https://example.com/guide"});
        const QString article =
            articleToHtml(QString::fromUtf8("First line of the article.\nCaf\xC3\xA9 second line.\r\nThird line."));
        const QString page = folders.pageFile("article.html");
        QVERIFY(writePage(page, head, article, scriptTail()));

        QDir().mkpath(folders.output());
        const QString pdf = folders.pdfFile("article.pdf");
        QProcess converter;
        converter.start(folders.converter(), {page, pdf});
        QVERIFY(converter.waitForFinished(120000));
        QVERIFY(QFile::exists(pdf));

        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(words.contains("Grow Tomatoes Like a Pro"), qPrintable(words));
        QVERIFY(words.contains("Get the Free Guide"));
        // Each line of the article, whatever its line ending, is a line of its own.
        const QStringList lines = words.split('\n');
        for (const char* line : {"First line of the article.", "Caf\xC3\xA9 second line.", "Third line."})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), qPrintable(words));
        QVERIFY(TestAppFolder::readFile(pdf).contains("/URI (https://example.com/guide)"));
    }
};

QTEST_GUILESS_MAIN(TestPageBuilder)
#include "tst_page_builder.moc"
