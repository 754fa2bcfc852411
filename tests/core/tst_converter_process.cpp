#include "support/PdfJobTesting.h"

#include "core/ConverterProcess.h"
#include "core/PdfNames.h"
#include "core/Platform.h"

#include <QTest>

using namespace std::chrono_literals;
using PdfJobTesting::processAlive;

class TestConverterProcess : public QObject
{
    Q_OBJECT

private slots:
    void commandLineQuotesEveryPath()
    {
        for (const QString& app : {QString(R"(C:\App)"), QString(R"(C:\My App)")}) {
            const AppFolders folders(app, u'\\');
            const QString converter = AppFolders::join(folders.bin(), "wkhtmltopdf.exe", u'\\');
            const QString page = folders.pageFile(PdfNames::singlePageName("report"));
            QCOMPARE(ConverterProcess::commandLine(converter,
                                                   {"--allow", folders.bin(), page, folders.pdfFile("report.pdf")}),
                     QString(R"("%1\bin\wkhtmltopdf.exe"  "--allow" "%1\bin" "%1\bin\report.html" )"
                             R"("%1\bin\output\report.pdf")")
                         .arg(app));
        }
    }

    // Rows of the real converter's error output, offline: every run prints the page's scripts that did not load.
    void lastErrorLine_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<ConverterLine>("use");
        QTest::addColumn<QString>("line");
        const QByteArray start = "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'\n"
                                 "Loading page (1/2)\n[>      ] 0%\r[===>   ] 50%\r";
        const QByteArray cdn = "Error: Failed to load https://cdnjs.cloudflare.com/ajax/libs/jquery-easing/1.4.1/"
                               "jquery.easing.min.js, with network status code 3 and http status code 0 - Host "
                               "cdnjs.cloudflare.com not found";
        const QByteArray scripts = "Warning: Blocked access to file /app/bin/assets/js/jquery.min.js\n"
                                   "Error: Failed to load about:blank, with network status code 301 and http status "
                                   "code 0 - Protocol \"about\" is unknown\n" +
                                   cdn + "\n[=======] 100%\rPrinting pages (2/2) \n";
        const QByteArray exit = "Exit with code 1 due to network error: HostNotFoundError\n";
        const QByteArray end = "[>      ] \rDone \n" + exit;
        const QByteArray pageMissing =
            "Error: Failed loading page http:///app/bin/gone.html (sometimes it will work just to ignore this "
            "error with --load-error-handling ignore)";
        QTest::newRow("good page") << start + scripts + end << ConverterLine::Cause << QString();
        QTest::newRow("good page, warning")
            << start + scripts + end << ConverterLine::Warning << QString(cdn.left(157) + "...");
        QTest::newRow("page missing")
            << start +
                   "Error: Failed to load http://app/bin/gone.html, with network status code 3 and http status "
                   "code 0 - Host app not found\n[=======] 100%\r" +
                   pageMissing + "\n" + exit
            << ConverterLine::Cause << QString(pageMissing);
        QTest::newRow("destination not writable") << start + scripts + "QPainter::begin(): Returned false\n" + end
                                                  << ConverterLine::Cause << "QPainter::begin(): Returned false";
        QTest::newRow("no error line") << QByteArray("cannot open display\nstill trying\r\n") << ConverterLine::Cause
                                       << "still trying";
    }

    void lastErrorLine()
    {
        QFETCH(QByteArray, output);
        QFETCH(ConverterLine, use);
        QFETCH(QString, line);
        QCOMPARE(ConverterProcess::lastErrorLine(output, use), line);
    }

    void closingBox_data()
    {
        QTest::addColumn<PdfJobReport>("report");
        QTest::addColumn<QString>("text"); // how the box's text starts
        QTest::addColumn<QString>("title");
        const QString question = "\n\nDo you want to open the output folder?";
        const auto made = [](int index, const QString& name) {
            return PdfOutcome{index, name, "/out/" + name + ".pdf", true, {}, {}};
        };
        const PdfOutcome failed{
            1, "a/b", "/out/b.pdf", false, "The converter wrote an empty file.", "Error: disk full"};
        PdfJobReport none{15, {}, {}, false};
        for (int i = 0; i < 15; ++i)
            none.outcomes.append({i, QString::number(i), QString("/out/%1.pdf").arg(i), false, "failed", {}});

        QTest::newRow("all made") << PdfJobReport{3, {made(0, "a"), made(1, "b"), made(2, "c")}, {}, false}
                                  << "Ready. Do you want to open the output folder?"
                                  << "Done";
        QTest::newRow("failure under its given name")
            << PdfJobReport{3, {made(0, "a"), failed, made(2, "c")}, {}, false}
            << "2 of 3 PDFs were made.\n\nNot made:\na/b: The converter wrote an empty file. (Error: disk full)" +
                   question
            << "Done";
        QTest::newRow("later articles of the same name")
            << PdfJobReport{4, {made(0, "a"), made(1, "A"), made(2, "b"), made(3, "a")}, {}, false}
            << "4 of 4 PDFs were made; 2 of them were replaced by later articles of the same name, so the output "
               "folder holds 2." +
                   question
            << "Done";
        QTest::newRow("none made") << none << "None of the 15 PDFs were made.\n\nNot made:\n0: failed\n"
                                   << "Error";
        QTest::newRow("the one PDF not made")
            << PdfJobReport{1, {failed}, {}, false} << "The PDF was not made.\n\nNot made:\na/b: "
            << "Error";
        QTest::newRow("stopped") << PdfJobReport{1, {}, "The converter was not found.", false}
                                 << "The converter was not found."
                                 << "Error";
    }

    void closingBox()
    {
        QFETCH(PdfJobReport, report);
        QFETCH(QString, text);
        QFETCH(QString, title);
        const ClosingBox box = closingBoxFor(report);
        QVERIFY2(box.text.startsWith(text), qPrintable(box.text));
        QCOMPARE(box.title, title);
        QCOMPARE(box.askToOpenOutput, title == "Done");
    }

    // Only a PDF written by this run counts, whatever the converter's exit code says: every row starts with a PDF
    // of the same name left by an earlier run.
    void standInConverters_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("made");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("converterLine");
        QTest::newRow("exits 1 without writing")
            << "echo 'Error: Failed loading page' >&2; exit 1" << false << "exit code 1 and wrote no PDF"
            << "Error: Failed loading page";
        QTest::newRow("exits 0 without writing") << "exit 0" << false << "exit code 0 and wrote no PDF" << QString();
        QTest::newRow("writes an empty file") << ": > \"$2\"" << false << "an empty file" << QString();
        QTest::newRow("writes no PDF") << "echo '<html>' > \"$2\"" << false << "not a PDF" << QString();
        QTest::newRow("crashes") << "kill -SEGV $$" << false << "stopped unexpectedly" << QString();
        QTest::newRow("exits 1 after writing the PDF")
            << PdfJobTesting::standInConverter + "; echo 'Error: Failed to load https://cdn/x.js' >&2; exit 1" << true
            << QString() << "Error: Failed to load https://cdn/x.js";
        QTest::newRow("slow") << "sleep 1.5; " + PdfJobTesting::standInConverter << true << "" << QString();
    }

    void standInConverters()
    {
        QFETCH(QString, script);
        QFETCH(bool, made);
        QFETCH(QString, reason);
        QFETCH(QString, converterLine);
        TestAppFolder app(TestAppFolder::NoConverter);
        app.setConverterScript(script);
        const QString pdf = app.folders().pdfFile("my-report.pdf");
        app.writeFile("bin/output/my-report.pdf", "%PDF-1.4 from an earlier run");
        auto request = PdfJobTesting::request(app, CreationMode::Single, {PdfJobTesting::article(app, "a.txt", "A")});
        request.converterTimeLimit = 10s;

        const PdfJobReport report = PdfJobTesting::run(request);
        QCOMPARE(report.stopMessage, QString());
        QCOMPARE(report.outcomes.size(), 1);
        const PdfOutcome& outcome = report.outcomes.first();
        QCOMPARE(outcome.pdf, pdf);
        QCOMPARE(outcome.made, made);
        QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
        QCOMPARE(outcome.converterLine, converterLine);
        QCOMPARE(closingBoxFor(report).text.startsWith("Ready."), made);
    }

    // Past its time limit the converter is ended together with what it started.
    void hangingConverterIsStopped()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString pids = app.path() + "/pids";
        app.setConverterScript(QString("echo $$ > '%1'; sleep 30 & echo $! >> '%1'; wait").arg(pids));
        auto request = PdfJobTesting::request(app, CreationMode::Single, {PdfJobTesting::article(app, "a.txt", "A")});
        request.converterTimeLimit = 1s;

        const PdfJobReport report = PdfJobTesting::run(request, nullptr, 10s);
        QCOMPARE(report.madeCount(), 0);
        QCOMPARE(report.outcomes.value(0).reason, QString("The converter did not finish within 1 s and was stopped."));
        const QList<QByteArray> started = TestAppFolder::readFile(pids).split('\n');
        QCOMPARE(started.size(), 3);
        for (const QByteArray& pid : started.mid(0, 2))
            QTRY_VERIFY_WITH_TIMEOUT(!processAlive(pid.toLongLong()), 5000);
    }

    void missingConverterStopsBeforeAnyPage_data()
    {
        QTest::addColumn<CreationMode>("mode");
        QTest::newRow("single") << CreationMode::Single;
        QTest::newRow("bulk") << CreationMode::Bulk;
    }

    void missingConverterStopsBeforeAnyPage()
    {
        QFETCH(CreationMode, mode);
        TestAppFolder app(TestAppFolder::NoConverter);
        const PdfJobReport report =
            PdfJobTesting::run(PdfJobTesting::request(app, mode, {PdfJobTesting::article(app, "a.txt", "A")}));
        QVERIFY2(report.stopMessage.contains(app.folders().converter()), qPrintable(report.stopMessage));
        QVERIFY(report.outcomes.isEmpty());
        QCOMPARE(QDir(app.folders().bin()).entryList({"*.html"}), QStringList{"template.html"});
        QVERIFY(!closingBoxFor(report).askToOpenOutput);
    }

    // A converter that cannot be started will not start for the next article either.
    void unstartableConverterStopsTheBulkJob()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        app.writeFile("bin/" + Platform::converterFileName(), "not a program");
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            request.articles << PdfJobTesting::article(app, name, name);
        request.converterLimit = 1;

        const PdfJobReport report = PdfJobTesting::run(request);
        QVERIFY2(report.stopMessage.contains(app.folders().converter()), qPrintable(report.stopMessage));
        QCOMPARE(report.outcomes.size(), 1);
        QVERIFY(!closingBoxFor(report).askToOpenOutput);
    }

    void cancelEndsRunningConverters()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString pids = app.path() + "/pids";
        app.setConverterScript(QString("echo $$ >> '%1'; exec sleep 60").arg(pids));
        auto request = PdfJobTesting::request(app, CreationMode::Bulk, {});
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            request.articles << PdfJobTesting::article(app, name, name);
        request.converterLimit = 2;

        PdfJobEngine engine;
        QSignalSpy finished(&engine, &PdfJobEngine::finished);
        QVERIFY(engine.start(request));
        QTRY_COMPARE_WITH_TIMEOUT(TestAppFolder::readFile(pids).count('\n'), 2, 10000);
        engine.cancel();
        QVERIFY(finished.wait(5000));
        QVERIFY(!engine.isRunning());
        const auto report = finished.first().first().value<PdfJobReport>();
        QVERIFY(report.cancelled);
        QCOMPARE(report.madeCount(), 0);
        QCOMPARE(report.outcomes.size(), 2);
        for (const QByteArray& pid : TestAppFolder::readFile(pids).trimmed().split('\n'))
            QTRY_VERIFY_WITH_TIMEOUT(!processAlive(pid.toLongLong()), 5000);
    }
};

QTEST_GUILESS_MAIN(TestConverterProcess)
#include "tst_converter_process.moc"
