// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ArticleFolder.h"
#include "core/ConverterProcess.h"
#include "core/CreateFlow.h"
#include "core/FileNames.h"
#include "core/KeywordCombinations.h"
#include "core/PdfMetadata.h"
#include "core/PdfNames.h"
#include "core/Platform.h"
#include "core/TextFile.h"
#include "support/FullDisk.h"
#include "support/PdfJobTesting.h"

#include <QTest>

using namespace PdfJobTesting;
using namespace std::chrono_literals;

namespace {
// Hidden files too, so that a partial PDF left behind shows.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// A stand-in converter's run, and what the job made of it.
struct ConverterRow {
    QString script;
    QString reason; // empty: the PDF is made
    QString converterLine;
};

// Articles of a bulk job, named after the articles or the final filename list, and what it leaves.
struct BulkRow {
    QStringList articles; // each article's text is its own name
    QStringList finalNames;
    QString inUse;    // a page or PDF name two articles share, as the converter's log shows it
    QStringList pdfs; // the output folder afterwards
    QString replaced; // a PDF two articles share, and the later article, whose page it holds
    QString box;      // how the closing box starts
};
} // namespace

// The core, without a window: the PDF jobs and the Create flow around them, text files, names and generated text.
class TestCore : public QObject
{
    Q_OBJECT

private slots:
    // The single page byte for byte: the filled template, each article after three breaks with every line ending
    // one pair of breaks, then the script tail that closes the body.
    void singlePageIsExact()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(standInConverter);
        app.writeFile("bin/template.html", "<h1>#ADTITLE#</h1><a href=\"#CTAURL#\">#CTATEXT#</a>");
        auto request = PdfJobTesting::request(
            app, CreationMode::Single,
            {article(app, "A.txt", "A one\r\nA two\n"), article(app, "B.txt", "B\xC3\xA9\rend")});
        // Values go in as typed, and a later placeholder inside an earlier value is filled too.
        request.ad.title = "#CTATEXT# & <b>";
        QVERIFY(run(request).allMade());
        QCOMPARE(
            TestAppFolder::readFile(app.folders().pageFile("my-report.html")),
            QByteArray("<h1>Get the Free Guide & <b></h1><a href=\"https://example.com/guide\">Get the Free Guide</a>"
                       "<br><br><br>A one<br><br>A two<br><br><br><br><br>B\xC3\xA9<br><br>end<script src= "
                       "assets/js/jquery.min.js ></script><script src= assets/bootstrap/js/bootstrap.min.js "
                       "></script><script src= https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/"
                       "jquery.easing.min.js ></script><script src= assets/js/stylish-portfolio.js "
                       "></script></body></html>"));
    }

    // Every row starts with a PDF of the same name from an earlier run and a partial PDF that a program ending
    // during a run left. Only a whole PDF written by this run replaces the earlier one; otherwise it stays byte for
    // byte, and no partial PDF is left either way. A converter stopped (time limit, cancel) ends with all it started.
    void converterOutcomes_data()
    {
        QTest::addColumn<ConverterRow>("row");
        const QString cutOff = "write {pdf} \"%PDF-1.4{nl}1 0 obj <<\"\n";
        const QString hang = "hang {page}.pids";
        // clang-format off
        QTest::newRow("made")                    << ConverterRow{"pdf", "", ""};
        QTest::newRow("exits 1 after writing")   << ConverterRow{"pdf\nsay \"Error: Failed to load https://cdn/x.js\"\nexit 1", "", "Error: Failed to load https://cdn/x.js"};
        QTest::newRow("exits 1 without writing") << ConverterRow{"say \"Error: Failed loading page\"\nexit 1",
                                                                 "exit code 1 and wrote no PDF", "Error: Failed loading page"};
        QTest::newRow("empty file")              << ConverterRow{"write {pdf}", "an empty file", ""};
        QTest::newRow("not a PDF")               << ConverterRow{"write {pdf} <html>%%EOF", "not a PDF", ""};
        QTest::newRow("damaged")                 << ConverterRow{"write {pdf} \"%PDF-1.4{nl} nothing readable {nl}%%EOF{nl}\"", "The converter wrote a damaged PDF: can't find startxref", ""};
        QTest::newRow("cut-off, exits 1")        << ConverterRow{cutOff + "exit 1", "incomplete PDF", ""};
        QTest::newRow("disk full")               << ConverterRow{"zeros 99999", "The disk is full", ""};
        QTest::newRow("crashes")                 << ConverterRow{cutOff + "crash", "stopped unexpectedly", ""};
        QTest::newRow("hangs")                   << ConverterRow{cutOff + hang, "did not finish within 2 s", ""};
        QTest::newRow("cancelled")               << ConverterRow{cutOff + hang, "cancelled", ""};
        // clang-format on
    }

    void converterOutcomes()
    {
        QFETCH(ConverterRow, row);
        const QString tag = QTest::currentDataTag();
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(row.script);
        const QByteArray earlier = "%PDF-1.4 earlier\n%%EOF\n";
        const QString pdf = app.writeFile("bin/output/my-report.pdf", earlier);
        app.writeFile("bin/output/.old.pdf.0123abcd.part", "%PDF-1.4");
        auto request = PdfJobTesting::request(app, CreationMode::Single, {article(app, "a.txt", "A")});
        request.converterTimeLimit = tag == "hangs" ? 2s : 30s;

        PdfJobEngine engine;
        QSignalSpy finished(&engine, &PdfJobEngine::finished);
        std::optional<FullDisk> fullDisk;
        if (tag == "disk full") {
            SKIP_ON_WINDOWS("No file size limit can be set.");
            fullDisk.emplace(50000);
        }
        QVERIFY(engine.start(request));
        const QString pids = app.folders().pageFile("my-report.html.pids");
        if (tag == "cancelled") {
            QTRY_COMPARE_WITH_TIMEOUT(TestAppFolder::readFile(pids).count('\n'), 2, 20000);
            engine.cancel();
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 20000);
        fullDisk.reset();
        const PdfOutcome outcome = finished.first().first().value<PdfJobReport>().outcomes.value(0);
        QCOMPARE(outcome.made(), row.reason.isEmpty());
        QVERIFY2(outcome.reason.contains(row.reason), qPrintable(outcome.reason));
        QCOMPARE(outcome.converterLine, row.converterLine);
        QCOMPARE(TestAppFolder::readFile(pdf) == earlier, !outcome.made());
        QCOMPARE(filesIn(app.folders().output()), QStringList{"my-report.pdf"});
        QTRY_VERIFY_WITH_TIMEOUT(!anyAlive(pids), 5000);
    }

    // Converters run side by side up to the limit, articles starting in order. A later article whose page or PDF
    // has the name of one still being converted waits for it, then replaces it; keyword names are used in turn.
    void bulkJobWaitsForNamesInUse_data()
    {
        QTest::addColumn<BulkRow>("row");
        // clang-format off
        QTest::newRow("same page") << BulkRow{{"one/same.txt", "b.txt", "two/same.txt"}, {}, " same.html ", {"b.pdf", "same.pdf"},
            "same.pdf two/same.txt", "2 of 3 PDFs were made. 1 more were made and then replaced by later articles"};
        QTest::newRow("same PDF") << BulkRow{{"a.txt", "b.txt", "c.txt", "d.txt"}, {"red", "blue widget"}, " .red.pdf.",
            {"blue-widget.pdf", "red.pdf"}, "red.pdf c.txt", "2 of 4 PDFs were made. 2 more were made and then replaced by later articles"};
        // clang-format on
    }

    void bulkJobWaitsForNamesInUse()
    {
        QFETCH(BulkRow, row);
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString log = app.path() + "/converter.log";
        // Each conversion goes on once two have started, so that the first two overlap (for at most ten seconds).
        app.setConverterScript(QString("append %1 \"start {name} {pdfname} \"\nwait-lines %1 start 2\npdf\n"
                                       "append %1 \"end {name} {pdfname} \"")
                                   .arg(log));
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        for (const QString& name : row.articles)
            request.articles << article(app, name, name.toUtf8());
        request.naming = row.finalNames.isEmpty() ? PdfNaming::Original : PdfNaming::Keywords;
        request.finalNames = row.finalNames;
        // Three may run, but each row's shared name holds the third article back while two run.
        request.converterLimit = 3;

        const QString box = closingBoxFor(run(request)).text;
        QVERIFY2(box.startsWith(row.box), qPrintable(box));
        QCOMPARE(filesIn(app.folders().output()), row.pdfs);
        // The PDF that stays was converted last, from the later article's page.
        const QString replaced = '.' + row.replaced.section(' ', 0, 0) + '.';
        const QString laterPage =
            PdfNames::bulkPageName(PdfNames::articleOutputName(row.replaced.section(' ', 1), '/'));
        const QStringList ends = QString::fromUtf8(TestAppFolder::readFile(log)).split('\n').filter(replaced);
        QVERIFY2(!ends.isEmpty() && ends.last().startsWith("end " + laterPage + ' '), qPrintable(ends.join('|')));
        QStringList uses;
        int running = 0;
        int most = 0;
        for (const QString& line : QString(TestAppFolder::readFile(log)).split('\n', Qt::SkipEmptyParts)) {
            if (line.contains(row.inUse))
                uses << line.section(' ', 0, 0);
            most = std::max(most, running += line.startsWith("start") ? 1 : -1);
        }
        QCOMPARE(uses, QStringList({"start", "end", "start", "end"}));
        QCOMPARE(most, 2);
    }

    // Articles that would share a PDF name are found before anything is written, as the file system compares names;
    // the run then starts only when the request allows it.
    void sharedNamesNeedLeave_data()
    {
        QTest::addColumn<QStringList>("articles");
        QTest::addColumn<QStringList>("finalNames"); // empty: named after the articles
        QTest::addColumn<QString>("shared");         // the first line naming a shared PDF, or empty
        QTest::addColumn<int>("kept");
        const QString caseShared = Platform::fileNameCase() == Qt::CaseSensitive ? "" : "Notes.pdf: ";
        const QStringList four{"a.txt", "b.txt", "c.txt", "d.txt"};
        // clang-format off
        QTest::newRow("blank, underscore, dash") << QStringList{"a b.txt", "a_b.txt", "a-b.txt", "c.txt"} << QStringList() << "a-b.pdf: " << 2;
        QTest::newRow("letter case")             << QStringList{"Notes.txt", "notes.txt"} << QStringList() << caseShared << (caseShared.isEmpty() ? 2 : 1);
        QTest::newRow("final list shorter")      << four << QStringList{"x", "y", "z"} << "x.pdf: " << 3;
        QTest::newRow("all different")           << four << QStringList{"w", "x", "y", "z"} << "" << 4;
        // clang-format on
    }

    void sharedNamesNeedLeave()
    {
        QFETCH(QStringList, articles);
        QFETCH(QStringList, finalNames);
        QFETCH(QString, shared);
        QFETCH(int, kept);
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(standInConverter);
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        for (const QString& name : articles)
            request.articles << article(app, name, name.toUtf8());
        request.naming = finalNames.isEmpty() ? PdfNaming::Original : PdfNaming::Keywords;
        request.finalNames = finalNames;
        const Result<void, Message> checked = CreateFlow::checkSharedNames(request);
        QCOMPARE(bool(checked), shared.isEmpty());
        if (shared.isEmpty())
            return;
        QVERIFY(!CreateFlow().start(request));
        QVERIFY2(checked.error().text.contains(QString("%1 PDFs would be kept of %2").arg(kept).arg(articles.size())) &&
                     checked.error().text.contains('\n' + shared + request.articles.first()),
                 qPrintable(checked.error().text));
        request.allowSameName = true;
        const PdfJobReport report = run(request);
        QVERIFY(filesIn(app.folders().output()).size() == report.madeCount() &&
                request.articles.indexOf(report.outcomes.constFirst().replacedBy) > 0);
    }

    // A converter that cannot be started will not start for the next article either.
    void unstartableConverterStopsTheBulkJob()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        app.writeFile("bin/" + Platform::converterFileName(), "not a program");
        auto request =
            PdfJobTesting::request(app, CreationMode::Bulk, {article(app, "a.txt", "A"), article(app, "b.txt", "B")});
        request.converterLimit = 1;
        const PdfJobReport report = run(request);
        QVERIFY2(report.stopMessage.contains(app.folders().converter()), qPrintable(report.stopMessage));
        QVERIFY(report.count(PdfOutcome::Failed) == 1 && report.outcomes.constLast().state == PdfOutcome::NotStarted);
    }

    // Properties that cannot be written whole are cut off again: the PDF stays as the converter wrote it.
    void propertiesOnFullDisk()
    {
        SKIP_ON_WINDOWS("No file size limit can be set.");
        TestAppFolder app;
        const QString pdf = app.path() + "/empty.pdf";
        QCOMPARE(QProcess::execute("qpdf", {"--empty", pdf}), 0);
        const QByteArray converters = TestAppFolder::readFile(pdf);
        {
            const FullDisk fullDisk(converters.size() + 50);
            QVERIFY(!PdfMetadata::write(pdf, {"A title", "An ad", {}, {}, {}}));
        }
        QCOMPARE(TestAppFolder::readFile(pdf), converters);
    }

    // Up to 13 s per MB were measured on a busy machine; a large page gets twice that.
    void largePagesGetTime() { QVERIFY(ConverterProcess::timeLimit(50 << 20) >= 50 * 26s); }

    // The line of the converter's error output that tells why no PDF was made, and for one made, its warning; the
    // real converter's output offline, where every run prints the page's scripts that did not load.
    void lastErrorLine()
    {
        const QByteArray cdn = "Error: Failed to load https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/"
                               "jquery.easing.min.js, with network status code 3 and http status code 0 - Host "
                               "cdnjs.cloudflare.com not found";
        const QByteArray run = "QStandardPaths: XDG_RUNTIME_DIR not set\nLoading page (1/2)\n[>   ] 0%\r[==> ] 50%\r"
                               "Warning: Blocked access to file /app/bin/assets/js/jquery.min.js\n" +
                               cdn + "\n[=====] 100%\rPrinting pages (2/2) \n[>   ] \rDone \nExit with code 1\n";
        QCOMPARE(ConverterProcess::lastErrorLine(run), QString());
        QCOMPARE(ConverterProcess::lastErrorLine(run, ConverterLine::Warning), QString(cdn.left(157) + "..."));
        const QByteArray missing = "Error: Failed loading page http:///app/bin/gone.html";
        QCOMPARE(ConverterProcess::lastErrorLine(missing + "\n" + run), QString(missing));
    }

    // Only pages go; the page template stays, and so do other files. The fault matrix's template named
    // Template.HTML stays through a run.
    void clearOldPagesKeepsTheTemplate()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString bin = app.folders().pages();
        for (const char* page : {"page.html", "Other.HTML", "etemplate.html", ".html", "notes.txt", "page.html.bak"})
            app.writeFile(QString("bin/") + page, "<html>");
        QDir(bin).mkdir("folder.html");
        QCOMPARE(CreateFlow::clearOldPages(app.folders()), QStringList());
        QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::IgnoreCase),
                 QStringList({"assets", "folder.html", "notes.txt", "page.html.bak", "template.html"}));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("UTF-8 with BOM")   << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9") << u"café"_qs;
        QTest::newRow("UTF-16 BE")        << QByteArray("\xFE\xFF\x00\xE9\x20\xAC", 6) << u"é€"_qs;
        QTest::newRow("Windows-1252")     << QByteArray("\x93" "Caf\xE9\x94 \x80\x97") << u"“Café” €—"_qs;
        // clang-format on
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(TextFile::decode(bytes), text);
    }

    // Accepted names have no reason; a refused one is named, with its reason.
    void fileNameRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString longest(FileNames::MaxBytes, u'a');
        const QString wide(FileNames::MaxBytes / 2, u'é');
        // clang-format off
        QTest::newRow("non-Latin letters") << u"Ünï-Привет-日本.pdf"_qs << "";
        QTest::newRow("dot before .pdf")   << "a..pdf" << "";
        QTest::newRow("device in a word")  << "console.txt" << "";
        QTest::newRow("longest")           << longest << "";
        QTest::newRow("empty")             << "" << "cannot be empty or only blanks";
        QTest::newRow("blanks")            << "   " << "cannot be empty or only blanks";
        QTest::newRow("dot")               << "." << "cannot be only dots";
        QTest::newRow("dot, then .txt")    << "..txt" << "cannot start with a dot";
        QTest::newRow("dot last")          << "notes." << "cannot end in a dot or a blank";
        QTest::newRow("CON")               << "CON" << "Windows reserves it for a device";
        QTest::newRow("com1 .pdf")         << "com1 .pdf" << "Windows reserves it for a device";
        QTest::newRow("LPT9")              << "LPT9.txt" << "Windows reserves it for a device";
        QTest::newRow("one byte over")     << longest + 'a' << "241 bytes";
        QTest::newRow("two bytes over")    << wide + u'é' << "242 bytes";
        QTest::newRow("separator")         << "../escape.pdf" << "cannot hold any of";
        QTest::newRow("control character") << "tab\there.pdf" << "cannot hold any of";
        // clang-format on
    }

    void fileNameRule()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const Result<> checked = FileNames::check(name);
        QCOMPARE(!checked, !reason.isEmpty());
        if (!checked) {
            const QString& problem = checked.error();
            QVERIFY2(problem.startsWith("The name \"" + name + "\" cannot be used: ") && problem.contains(reason),
                     qPrintable(problem));
        }
    }

    // The names a run writes under, from what the user gave: an article's path, the keywords, a final list item, a
    // single name.
    void outputNames_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("blanks and underscores") << "article" << R"(C:\Articles\My first_article.txt)" << "My-first-article.txt";
        QTest::newRow("cut at the first dot")   << "article" << R"(C:\Articles\report.final.TXT)" << "report.txt";
        QTest::newRow("no dot")                 << "article" << R"(C:\Arti.cles\Notes)" << "Notes.txt";
        QTest::newRow("runs are not merged")    << "article" << R"(D:\my docs\a  b__c.txt)" << "a--b--c.txt";
        QTest::newRow("dot first")              << "article" << R"(C:\Articles\.hidden.txt)" << ".txt";
        QTest::newRow("other separator")        << "article" << "C:/Articles/x y.txt" << "C:/Articles/x-y.txt";
        QTest::newRow("one pass on --")         << "keyword" << "big - sale" << "big--sale.pdf";
        QTest::newRow("keyword lines trimmed")  << "keywords" << " \n delta \n\t\r\nnext" << "delta tips\nnext tips\n";
        QTest::newRow("keyword lines of blanks") << "keywords" << "  \r\n\t" << "Please enter some keywords first.";
        QTest::newRow("single page")            << "single" << "my report " << "my-report-.html";
        QTest::newRow("single page template")   << "single" << "TEMPLATE" << "eTEMPLATE.html";
        QTest::newRow("bulk page template")     << "bulk" << R"(C:\a\Template.txt)" << "eTemplate.html";
        // clang-format on
    }

    void outputNames()
    {
        QFETCH(QString, kind);
        QFETCH(QString, given);
        QFETCH(QString, name);
        using namespace PdfNames;
        if (kind == "article")
            QCOMPARE(articleOutputName(given, u'\\'), name);
        else if (kind == "keyword")
            QCOMPARE(keywordPdfName(given), name);
        else if (kind == "keywords") {
            const auto combined = KeywordCombinations::combineKeywords({"#KEYWORD# tips"}, given);
            QCOMPARE(combined ? combined->finalList : combined.error().text, name);
        } else if (kind == "single")
            QCOMPARE(singlePageName(singlePdfBaseName(given)), name);
        else
            QCOMPARE(bulkPageName(articleOutputName(given, u'\\')), name);
    }

    // What the button links to, as Create checks it and the window and the command line show it when it is not the
    // address typed (the page takes the same link: singlePageIsExact): an address without a scheme gets https://,
    // and what would end the attribute or the link is percent-encoded. Addresses that open files, run scripts or
    // carry data are refused.
    void ctaAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("link"); // empty: refused
        // clang-format off
        QTest::newRow("host and port")     << "localhost:8080/a" << "https://localhost:8080/a";
        QTest::newRow("no scheme, //host") << "//cdn.example.com/x" << "https://cdn.example.com/x";
        QTest::newRow("quote marks")       << "https://e.com/?q=\"x\"" << "https://e.com/?q=%22x%22";
        QTest::newRow("blanks, controls")  << " HTTP://e.com/a b<c>\t\001d\u00a0é\u00a0\n" << "HTTP://e.com/a%20b%3Cc%3E%09%01d%C2%A0é";
        QTest::newRow("other scheme")      << "mailto:a@example.com" << "mailto:a@example.com";
        QTest::newRow("file")              << "file:///home/me/offer.html" << "";
        QTest::newRow("javascript")        << "\t JavaScript:alert(1)" << "";
        QTest::newRow("data")              << "data:text/html,<b>x" << "";
        // clang-format on
    }

    void ctaAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, link);
        const PdfJobRequest request{.articles = {"a.txt"}, .ad = {"Title", "Buy", typed}, .mode = CreationMode::Bulk};
        const Result<void, Message> checked = CreateFlow::check(request);
        QCOMPARE(checked ? QString() : checked.error().text.section(':', 0, 0),
                 link.isEmpty()
                     ? "The call-to-action address cannot start with \"" + typed.trimmed().section(':', 0, 0).toLower()
                     : "");
        QCOMPARE(PageBuilder::linkNote(typed).section(' ', -1), link == typed ? QString() : link);
    }

    // Joins keep one separator at a drive root; the output folder is made only in a bin folder, since without one
    // the program is not installed there.
    void applicationFolder()
    {
        QCOMPARE(AppFolders(R"(D:\)", u'\\').pdfFile("a.pdf"), QString(R"(D:\bin\output\a.pdf)"));
        QCOMPARE(ArticleFolder::driveOf(R"(d:\Articles)", {R"(C:\)", R"(D:\)"}), QString(R"(D:\)"));
        QCOMPARE(ArticleFolder::driveOf(R"(\\server\share)", {R"(C:\)", R"(D:\)"}), QString(R"(C:\)"));
        const TestAppFolder app(TestAppFolder::NoConverter);
        const AppFolders bare(app.path() + "/bare", u'/');
        QVERIFY(!bare.ensureOutput() && !QFileInfo::exists(bare.pages()));
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
