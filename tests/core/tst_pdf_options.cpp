// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PdfJobTesting.h"

#include <QRegularExpression>
#include <QTest>

using namespace PdfJobTesting;

namespace {
// The value of a line of pdfinfo's output such as "Title:  ...", or nothing when the PDF has no such property.
QString infoField(const QString& info, const QString& name)
{
    return QRegularExpression("^" + name + ":\\s*(.*)$", QRegularExpression::MultilineOption).match(info).captured(1);
}
} // namespace

// The real converter's PDFs: their properties in each naming mode, their page layout, and what a page may load.
// The template shows an image of the bin folder; the article runs a script and shows an image and a page from
// outside the bin folder.
class TestPdfOptions : public QObject
{
    Q_OBJECT

private slots:
    void pdfs_data()
    {
        QTest::addColumn<QString>("naming"); // the single PDF, or bulk PDFs named after the articles or keywords
        QTest::addColumn<ConverterOptions>("options");
        // The page size pdfinfo gives, or a part of the message that stops the job.
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("keywords");
        ConverterOptions letter, legal, scripts, unknown, absurd;
        letter.pageSize = "letter";
        legal.pageSize = "Legal";
        legal.orientation = ConverterOptions::Orientation::Landscape;
        legal.marginTop = legal.marginRight = legal.marginBottom = legal.marginLeft = 0;
        scripts.allowScripts = true;
        unknown.pageSize = "B5";
        absurd.marginTop = absurd.marginBottom = 75;
        // clang-format off
        QTest::newRow("Letter") << "original" << letter << "612 x 792" << "tomato-notes" << "";
        QTest::newRow("Legal landscape, no margins") << "keywords" << legal << "1008 x 612" << "best red tomatoes" << "red tomatoes";
        QTest::newRow("scripts allowed") << "single" << scripts << "595 x 842" << "Grüße Привет" << "";
        QTest::newRow("size not offered") << "single" << unknown << "\"B5\" is not known" << "" << "";
        QTest::newRow("margins over half") << "single" << absurd << "at most half of the page's height" << "" << "";
        // clang-format on
    }

    void pdfs()
    {
        QFETCH(QString, naming);
        QFETCH(ConverterOptions, options);
        QFETCH(QString, outcome);
        QFETCH(QString, title);
        QFETCH(QString, keywords);
        TestAppFolder app;
        for (const QString& image : {app.path() + "/bin/assets/logo.png", app.path() + "/outside.png"})
            QFile::copy(LEAF_DATA_DIR "/images/ad-example.png", image);
        app.writeFile("bin/template.html",
                      "<html><body><img src=\"assets/logo.png\"><a href=\"#CTAURL#\">#ADTITLE#</a>");
        const QString outside = app.writeFile("outside.html", "OUTSIDE");
        const QString text = QString("Start<script>document.write('SCRIPTRAN')</script><img src=\"%1/outside.png\">"
                                     "<iframe src=\"file://%2\"></iframe>End")
                                 .arg(app.path(), outside);
        auto request = PdfJobTesting::request(app, naming == "single" ? CreationMode::Single : CreationMode::Bulk,
                                              {article(app, "tomato notes.txt", text.toUtf8())});
        request.singlePdfName = "Grüße Привет";
        request.naming = naming == "keywords" ? PdfNaming::Keywords : PdfNaming::Original;
        request.finalNames = {"best red tomatoes"};
        request.finalKeywords = {"red tomatoes"};
        request.options.author = "Jane Gardener";
        request.options.page = options;
        const PdfJobReport report = run(request);
        if (!report.allMade()) {
            QVERIFY2(report.stopMessage.contains(outcome), qPrintable(report.stopMessage));
            return;
        }

        const QString pdf = app.folders().pdfFile(QString(title).replace(' ', '-') + ".pdf");
        // The properties' update must be sound: a viewer would mend a wrong offset, qpdf reports it.
        QCOMPARE(QProcess::execute("qpdf", {"--check", pdf}), 0);
        const QString info = toolOutput("pdfinfo", {pdf});
        QVERIFY2(infoField(info, "Page size").startsWith(outcome), qPrintable(info));
        QCOMPARE(infoField(info, "Title"), title);
        QCOMPARE(infoField(info, "Subject"), request.ad.title);
        QCOMPARE(infoField(info, "Keywords"), keywords);
        QCOMPARE(infoField(info, "Author"), request.options.author);
        QCOMPARE(infoField(info, "Creator"), QString("Leafrunner 2.2"));
        QVERIFY(infoField(info, "Producer").startsWith("Qt")); // the converter's, kept
        QVERIFY(TestAppFolder::readFile(pdf).contains("/URI (https://example.com/guide)"));
        const QString shown = pdfText(pdf);
        QVERIFY2(shown.contains("Start") && !shown.contains("OUTSIDE"), qPrintable(shown));
        QCOMPARE(shown.contains("SCRIPTRAN"), options.allowScripts);
        // Only the template's image: one that cannot load leaves a small placeholder image.
        const QString images = toolOutput("pdfimages", {"-list", pdf});
        QVERIFY2(images.count(QRegularExpression("\\s580\\s+265\\s")) == 1, qPrintable(images));
    }
};

QTEST_GUILESS_MAIN(TestPdfOptions)
#include "tst_pdf_options.moc"
