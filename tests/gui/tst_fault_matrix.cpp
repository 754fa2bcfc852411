// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FolderSnapshot.h"
#include "support/FullDisk.h"
#include "support/ImmutablePath.h"
#include "support/PdfJobTesting.h"
#include "support/WindowTesting.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStringEncoder>

#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace WindowTesting;

namespace {

const QString allMade = "Ready. Do you want to open the output folder?";

// What happens to an article, or to the name of its PDF, between writing it and pressing Create.
enum class Fault { None, Unreadable, Removed, FolderForThePdf };

struct ArticleRow {
    QString name;
    QByteArray bytes;
    Fault fault;
    QString pdf;
    QString made;    // a text the PDF shows
    QString notMade; // or a part of the reason listed
    CreationMode mode = CreationMode::Bulk;
};

// A device that refuses every write as a full disk does. As root a private node of it, so that a save that went
// through the link and replaced the device would replace only that node, never the system's /dev/full.
QString fullDevice(const QString& folder)
{
    const QString node = folder + "/full-device";
    return ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0 ? node : "/dev/full";
}

} // namespace

// Faults and odd input met by the Create command (articles that are missing, unreadable or odd, an application
// folder that is incomplete or oddly named, PDF names that no file may have) and by the Random Content Generator
// (word files without words, saves that fail). Every row keeps one promise: a clear message or a listed failure,
// the windows idle afterwards, and nothing lost: the page template and every article as they were, and no file
// touched outside the output folder and the pages of the bin folder.
class TestFaultMatrix : public QObject
{
    Q_OBJECT

private:
    // Takes the snapshot that shows what the run touched, then presses Create and waits for the closing box.
    void create()
    {
        m_snapshot.emplace(QStringList{d->app.path()});
        d->create();
    }

    // Every row ends here: the window idle, and nothing changed but the PDFs and the pages.
    void verifyIdleAndNothingLost() const
    {
        QVERIFY(isMainWindowIdle(d->window.get()));
        QStringList pdfsAndPages{d->app.folders().output()};
        const QDir bin(d->app.folders().pages());
        for (const QString& name : bin.entryList({"*.html"}, QDir::Files | QDir::Hidden)) {
            if (name.compare("template.html", Qt::CaseInsensitive) != 0)
                pdfsAndPages << bin.filePath(name);
        }
        QCOMPARE(m_snapshot->changesOutside(pdfsAndPages), QStringList());
    }

    void verifyMade(const QString& pdf, const QString& text) const
    {
        const QString content = PdfJobTesting::pdfText(d->app.folders().pdfFile(pdf)).simplified();
        QVERIFY2(content.contains(AdTitle) && content.contains(text), qPrintable(pdf + ": " + content.left(300)));
    }

    std::optional<MainWindowDriver> d;
    std::optional<FolderSnapshot> m_snapshot;

private slots:
    void cleanup()
    {
        m_snapshot.reset();
        d.reset();
    }

    // The real converter on the odd article beside an ordinary one, which bulk mode always makes. The single PDF is
    // all or nothing: an article it cannot read stops it with a message naming the article.
    void bulkArticles_data()
    {
        QTest::addColumn<ArticleRow>("row");
        QByteArray longLine;
        while (longLine.size() < 1024 * 1024)
            longLine += "lorem ipsum dolor sit amet ";
        const QString letters = "Grüße aus Köln. Привет, мир.";
        const QByteArray utf16 = QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(letters);
        // clang-format off
        QTest::newRow("UTF-16 with BOM")    << ArticleRow{"utf16.txt", utf16, Fault::None, "utf16.pdf", letters, ""};
        QTest::newRow("one 1 MB line")      << ArticleRow{"long line.txt", longLine + "TheVeryEnd", Fault::None, "long-line.pdf", "TheVeryEnd", ""};
        QTest::newRow("unreadable")         << ArticleRow{"unreadable.txt", "x", Fault::Unreadable, "unreadable.pdf", "", "unreadable.txt (Input/output error)"};
        QTest::newRow("removed")            << ArticleRow{"gone.txt", "x", Fault::Removed, "gone.pdf", "", "gone.txt (No such file or directory)"};
        QTest::newRow("folder named x.pdf") << ArticleRow{"taken.txt", "x", Fault::FolderForThePdf, "taken.pdf", "", "could not be put in place"};
        QTest::newRow("single, unreadable") << ArticleRow{"unreadable.txt", "x", Fault::Unreadable, "", "", "", CreationMode::Single};
        // clang-format on
    }

    void bulkArticles()
    {
        QFETCH(ArticleRow, row);
        d.emplace();
        d->writeArticle("control.txt", "Control article.");
        d->writeArticle(row.name, row.bytes);
        d->openFilled(row.mode);
        // An article that the browser lists and that opens, but cannot be read, for root too: a link to the memory
        // of the process, whose first page is never mapped.
        const QString path = d->articles() + "/" + row.name;
        if (row.fault == Fault::Unreadable || row.fault == Fault::Removed)
            QFile::remove(path);
        if (row.fault == Fault::Unreadable)
            QFile::link("/proc/self/mem", path);
        if (row.fault == Fault::FolderForThePdf)
            d->app.writeFile("bin/output/" + row.pdf + "/kept.txt", "kept");

        create();
        const QString text = MessageBox::last().text;
        if (row.mode == CreationMode::Single) {
            QVERIFY2(text.startsWith("The article could not be read:\n" + d->article(row.name)), qPrintable(text));
            QVERIFY(QDir(d->app.folders().output()).isEmpty() &&
                    !QFile::exists(d->app.folders().pageFile("report.html")));
        } else if (row.notMade.isEmpty()) {
            QCOMPARE(text, allMade);
            verifyMade(row.pdf, row.made);
        } else {
            QVERIFY2(text.startsWith("1 of 2 PDFs were made.") && text.contains(row.pdf + ": ") &&
                         text.contains(row.notMade),
                     qPrintable(text));
            QVERIFY(!QFileInfo(d->app.folders().pdfFile(row.pdf)).isFile());
        }
        if (row.mode == CreationMode::Bulk)
            verifyMade("control.pdf", "Control article.");
        verifyIdleAndNothingLost();
    }

    // A large article goes through whole, to the page the converter is given; with a stand-in converter, since the
    // real one would take minutes.
    void fiftyMegabyteArticle()
    {
        d.emplace("pdf");
        const QByteArray line = "A line of the big article.\r\n";
        d->writeArticle("big.txt", line.repeated(50 * 1024 * 1024 / line.size() + 1) + "The end.");
        d->writeArticle("small.txt", "Small.");
        d->openFilled(CreationMode::Bulk);

        create();
        QCOMPARE(MessageBox::last().text, allMade);
        const QByteArray page = TestAppFolder::readFile(d->app.folders().pageFile("big.html"));
        QVERIFY(page.size() > 60 * 1024 * 1024 && page.contains("<br><br>The end.<script src="));
        verifyIdleAndNothingLost();
    }

    void applicationFolder_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("box"); // a part of the closing box's text
        // clang-format off
        QTest::newRow("no bin folder")           << "" << "no bin"      << "The converter was not found. It was expected at:";
        QTest::newRow("output is a file")        << "" << "output file" << "The output folder could not be made:";
        QTest::newRow("old page not deletable")  << "" << "stuck page"  << "These pages of an earlier run could not be deleted";
        QTest::newRow("quotes, blanks and non-Latin letters in the path") << R"(Leaf "runner" it's a\b -Ünï Папка)" << "" << allMade;
        QTest::newRow("template named Template.HTML") << "" << "template case" << allMade;
        // clang-format on
    }

    void applicationFolder()
    {
        QFETCH(QString, folderName);
        QFETCH(QString, fault);
        QFETCH(QString, box);
        d.emplace(QString(), folderName);
        d->writeArticle("first.txt", "First article.");
        const AppFolders folders = d->app.folders();
        if (fault == "no bin")
            QDir(folders.pages()).removeRecursively();
        if (fault == "template case")
            QFile::rename(folders.pageTemplate(), folders.pages() + "/Template.HTML");
        if (fault == "output file")
            d->app.writeFile("bin/output", "not a folder");
        d->openFilled(CreationMode::Bulk);
        // Start-up tells of no fault; the first run meets it.
        QCOMPARE(MessageBox::shown().size(), 0);
        std::optional<ImmutablePath> stuck;
        if (fault == "stuck page" && !stuck.emplace(d->app.writeFile("bin/stuck.html", "<html>")).isSet())
            QSKIP("The immutable flag cannot be set here.");

        create();
        QVERIFY2(MessageBox::last().text.contains(box), qPrintable(MessageBox::last().text));
        if (box == allMade)
            verifyMade("first.pdf", "First article.");
        verifyIdleAndNothingLost();
    }

    void namesThatNoFileMayHave_data()
    {
        QTest::addColumn<bool>("finalList");
        QTest::addColumn<QString>("name");
        for (const bool finalList : {false, true}) {
            const char* where = finalList ? "final list" : "single";
            // Dots before each character, so that a separator would lead out of the output folder.
            for (const char* c : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"})
                QTest::addRow("%s %s", where, c) << finalList << QString("..%1escape").arg(QLatin1String(c));
            QTest::addRow("%s, 300 letters", where) << finalList << QString(300, u'x');
        }
    }

    // The single PDF's name, or a final list name after a good one, is refused before anything is written, with
    // a message naming the PDF it would make.
    void namesThatNoFileMayHave()
    {
        QFETCH(bool, finalList);
        QFETCH(QString, name);
        d.emplace(PdfJobTesting::standInConverter);
        d->writeArticle("a.txt", "A.");
        d->writeArticle("b.txt", "B.");
        d->openFilled(finalList ? CreationMode::Bulk : CreationMode::Single);
        if (finalList) {
            d->click("optFilename_1");
            auto* finalText = d->child<QPlainTextEdit>("txtFinalList");
            finalText->setPlainText("good name\n" + name);
            QTest::keyRelease(finalText, Qt::Key_Return);
        } else {
            d->child<QLineEdit>("txtPDFFilename")->setText(name);
        }

        create();
        QCOMPARE(MessageBox::last().title, QString("Error"));
        QVERIFY2(MessageBox::last().text.contains('"' + name + ".pdf\""), qPrintable(MessageBox::last().text));
        QCOMPARE(QDir(d->app.folders().output()).entryList(QDir::Files), QStringList());
        verifyIdleAndNothingLost();
    }

    // Two windows on one application folder: while the first one's page waits for its converter, Create in the
    // second is refused and changes nothing; the first run completes, and then the second may run.
    void secondWindowOnTheSameFolderWaits()
    {
        d.emplace("wait-for {page}.go\npdf");
        d->writeArticle("a.txt", "A.");
        d->openFilled(CreationMode::Bulk);
        const std::unique_ptr<MainWindow> first = std::move(d->window);
        d->openFilled(CreationMode::Bulk);
        MessageBox::clearShown();
        click(first.get(), "cmdCreate");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(d->app.folders().pageFile("a.html")), 20000);

        const FolderSnapshot running({d->app.path()});
        d->click("cmdCreate");
        QCOMPARE(MessageBox::last().title, QString("Busy"));
        QCOMPARE(running.changesOutside({}), QStringList());
        QVERIFY(isMainWindowIdle(d->window.get()));

        d->app.writeFile("bin/a.html.go", {});
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 2, 20000);
        QCOMPARE(MessageBox::last().text, allMade);
        QVERIFY(isMainWindowIdle(first.get()));
        create();
        QCOMPARE(MessageBox::last().text, allMade);
        verifyIdleAndNothingLost();
    }

    // A converter that leaves a cut-off PDF and exits 1 makes nothing: the box says so as an error, offers no
    // folder, and the window shows no "Ready.".
    void nothingMade()
    {
        d.emplace("write {pdf} \"%PDF-1.4{nl}1 0 obj <<\"\nexit 1");
        d->writeArticle("a.txt", "A.");
        d->writeArticle("b.txt", "B.");
        d->openFilled(CreationMode::Bulk);

        create();
        const MessageBox::Shown box = MessageBox::last();
        QVERIFY2(box.text.startsWith("None of the 2 PDFs were made.\n\nNot made:\na.pdf: The converter wrote an "
                                     "incomplete PDF."),
                 qPrintable(box.text));
        QVERIFY(box.title == "Error" && box.buttons == MessageBox::Ok);
        QVERIFY(d->child<QLabel>("lblPleaseWait")->isHidden());
        QCOMPARE(QDir(d->app.folders().output()).entryList(QDir::Files | QDir::Hidden), QStringList());
        verifyIdleAndNothingLost();
    }

    // Word file 3 in each way it can fail to give words: the generator says so when it opens and again on Generate.
    void wordFileWithoutWords_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << "missing";
        QTest::newRow("blank lines only") << "blank lines";
    }

    void wordFileWithoutWords()
    {
        QFETCH(QString, fault);
        d.emplace(PdfJobTesting::standInConverter);
        const QString wordFile = d->app.folders().wordFile(3);
        QFile::remove(wordFile);
        if (fault == "blank lines")
            d->app.writeFile("random/3.txt", "\r\n  \r\n\t\n\n");
        d->open();
        m_snapshot.emplace(QStringList{d->app.path()});
        QWidget* generator = d->openGenerator();
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        const QString told = MessageBox::last().text;
        QVERIFY2(told.contains(wordFile) && !told.contains(d->app.folders().wordFile(2)), qPrintable(told));
        generate(generator, "0", true);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::last().text, told);
        QVERIFY(child<QPlainTextEdit>(generator, "RichTextBox1")->document()->isEmpty() && isGeneratorIdle(generator));
        verifyIdleAndNothingLost();
    }

    // A save that fails says so, never "Done!", names the file and leaves the article folder as it was, an older
    // article of the name included.
    void failedSave_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("existing");
        QTest::newRow("folder removed") << "folder removed" << false;
        QTest::newRow("link to a full device") << "device link" << true;
        QTest::newRow("write error over an article") << "write error" << true;
    }

    void failedSave()
    {
        QFETCH(QString, fault);
        QFETCH(bool, existing);
        d.emplace(PdfJobTesting::standInConverter);
        const QString path = d->articles() + "/name.txt";
        const QString device = fault == "device link" ? fullDevice(d->app.path()) : QString();
        if (!device.isEmpty())
            QVERIFY(QFile::link(device, path));
        else if (existing)
            d->writeArticle("name.txt", "An older article.");
        d->open();
        QWidget* generator = d->openGenerator();
        QVERIFY(generate(generator, "0"));
        if (fault == "folder removed")
            QDir(d->articles()).removeRecursively();
        m_snapshot.emplace(QStringList{d->app.path()});
        if (existing)
            MessageBox::setNextAnswer(MessageBox::Yes); // replace it
        {
            std::optional<FullDisk> fullDisk;
            if (fault == "write error")
                fullDisk.emplace();
            save(generator, "name");
        }
        QVERIFY2(MessageBox::last().text.startsWith(
                     QString("The file \"%1\" could not be saved: ").arg(d->article("name.txt"))),
                 qPrintable(MessageBox::last().text));
        if (!device.isEmpty())
            QVERIFY(QFileInfo(path).symLinkTarget() == device && !QFileInfo(device).isFile());
        QVERIFY(isGeneratorIdle(generator));
        verifyIdleAndNothingLost();
    }
};

QTEST_MAIN(TestFaultMatrix)
#include "tst_fault_matrix.moc"
