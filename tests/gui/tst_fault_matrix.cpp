#include "gui/FolderShortcuts.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "support/FolderSnapshot.h"
#include "support/ImmutablePath.h"
#include "support/PdfJobTesting.h"
#include "support/TestAppFolder.h"
#include "support/WindowTesting.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTest>

#include <memory>
#include <optional>

using namespace WindowTesting;

namespace {

const QString adTitle = "Fault Matrix Ad";
const QString allMade = "Ready. Do you want to open the output folder?";

// What happens to an article between writing it and pressing Create.
enum class Fault { None, Unreadable, RemovedAfterSelection, FolderAfterSelection };

QString madeCount(int made, int planned)
{
    return QString("%1 of %2 PDFs were made.").arg(made).arg(planned);
}

} // namespace

// Faults and odd input met by the Create command: articles that are missing, unreadable or odd, an application
// folder that is incomplete or oddly named, PDF names that no file may have. Every row keeps one promise: a clear
// message or a listed failure, the window idle afterwards, and nothing lost: the page template and every article
// as they were, and no file touched outside the output folder and the pages of the bin folder.
class TestFaultMatrix : public QObject
{
    Q_OBJECT

private:
    // An application folder (named folderName inside a temporary folder, when given) with the real converter or a
    // stand-in script, and an empty article folder inside it.
    void setUp(const QString& converterScript = {}, const QString& folderName = {})
    {
        m_app = std::make_unique<TestAppFolder>(
            converterScript.isEmpty() ? TestAppFolder::RealConverter : TestAppFolder::NoConverter, folderName);
        if (!converterScript.isEmpty())
            m_app->setConverterScript(converterScript);
        QDir().mkpath(articles());
    }

    QString articles() const { return m_app->path() + "/articles"; }
    QString article(const QString& name) const { return QDir::toNativeSeparators(articles() + "/" + name); }
    void writeArticle(const QString& name, const QByteArray& bytes) const
    {
        m_app->writeFile("articles/" + name, bytes);
    }

    template <class Widget = QWidget> Widget* control(const char* name) const
    {
        return child<Widget>(m_window.get(), name);
    }

    // The window over the article folder with all its articles selected, the ad block filled and a PDF name.
    void openWindow(CreationMode mode)
    {
        m_window = std::make_unique<MainWindow>(m_app->folders(), articles());
        m_window->show();
        click(m_window.get(), "cmdSingleMenu_0");
        control<QLineEdit>("txtAdTitle")->setText(adTitle);
        control<QLineEdit>("txtCTAText")->setText("Read more");
        control<QLineEdit>("txtPDFFilename")->setText("report");
        click(m_window.get(), mode == CreationMode::Single ? "optCreationMode_0" : "optCreationMode_1");
    }

    // An article that the browser lists and that opens, but cannot be read, for root too: it is a link to the
    // memory of the process, whose first page is never mapped.
    void makeUnreadable(const QString& name) const
    {
        QFile::remove(articles() + "/" + name);
        QFile::link("/proc/self/mem", articles() + "/" + name);
    }

    // What becomes of a selected article before Create is pressed.
    void spoil(Fault fault, const QString& name) const
    {
        const QString path = articles() + "/" + name;
        if (fault == Fault::RemovedAfterSelection || fault == Fault::FolderAfterSelection)
            QFile::remove(path);
        if (fault == Fault::FolderAfterSelection)
            QDir().mkdir(path);
    }

    // Takes the snapshot that shows what the run touched, presses Create and waits for the box that ends the run.
    void create()
    {
        m_snapshot.emplace(QStringList{m_app->path()});
        MessageBox::clearShown();
        click(m_window.get(), "cmdCreate");
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 60000);
    }

    // Every row ends here: the window idle, and nothing changed but the PDFs and the pages.
    void verifyIdleAndNothingLost() const
    {
        QVERIFY(isMainWindowIdle(m_window.get()));
        QStringList pdfsAndPages{m_app->folders().output()};
        const QDir bin(m_app->folders().bin());
        for (const QString& name : bin.entryList({"*.html"}, QDir::Files | QDir::Hidden)) {
            if (name.compare("template.html", Qt::CaseInsensitive) != 0)
                pdfsAndPages << bin.filePath(name);
        }
        QCOMPARE(m_snapshot->changesOutside(pdfsAndPages), QStringList());
    }

    void verifyMade(const QString& pdf, const QString& text) const
    {
        const QString content = PdfJobTesting::pdfText(m_app->folders().pdfFile(pdf));
        QVERIFY2(content.contains(adTitle) && content.contains(text), qPrintable(pdf + ": " + content.left(300)));
    }

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<MainWindow> m_window;
    std::optional<FolderSnapshot> m_snapshot;

private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        FolderShortcuts::setTestMode(true);
    }

    void cleanup()
    {
        m_window.reset();
        m_snapshot.reset();
        m_app.reset();
    }

    // Bulk mode with the real converter: the odd article beside an ordinary one, which is always made.
    void bulkArticles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<bool>("made");
        // Made: a text the PDF shows. Not made: a part of the reason listed.
        QTest::addColumn<QString>("detail");

        QByteArray longLine;
        while (longLine.size() < 1024 * 1024)
            longLine += "lorem ipsum dolor sit amet ";
        longLine += "TheVeryEnd";
        const QString letters = "Grüße aus Köln. Привет, мир.";
        QStringEncoder toUtf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        const QByteArray utf16 = toUtf16(letters);

        // clang-format off
        QTest::newRow("zero bytes")         << "empty.txt" << QByteArray() << Fault::None << "empty.pdf" << true << "";
        QTest::newRow("invalid UTF-8")      << "latin.txt" << QByteArray("Caf\xE9 cr\xE8me, na\xEFve.") << Fault::None
                                            << "latin.pdf" << true << "Café crème, naïve.";
        QTest::newRow("UTF-16 with BOM")    << "utf16.txt" << utf16 << Fault::None << "utf16.pdf" << true << letters;
        QTest::newRow("one 1 MB line")      << "long line.txt" << longLine << Fault::None << "long-line.pdf" << true
                                            << "TheVeryEnd";
        QTest::newRow("blanks in the name") << "my first_article.txt" << QByteArray("Blanks.") << Fault::None
                                            << "my-first-article.pdf" << true << "Blanks.";
        QTest::newRow("apostrophe")         << "it's here.txt" << QByteArray("Apostrophe.") << Fault::None
                                            << "it's-here.pdf" << true << "Apostrophe.";
        QTest::newRow("quote marks")        << "say \"hi\".txt" << QByteArray("Quotes.") << Fault::None
                                            << "say-\"hi\".pdf" << false << "cannot be used";
        QTest::newRow("non-Latin letters")  << "Ünïcödé Привет 日本.txt" << QByteArray("Letters.") << Fault::None
                                            << "Ünïcödé-Привет-日本.pdf" << true << "Letters.";
        QTest::newRow("leading --")         << "--help.txt" << QByteArray("Not an option.") << Fault::None
                                            << "--help.pdf" << true << "Not an option.";
        QTest::newRow("leading -")          << "-q out.txt" << QByteArray("Not quiet.") << Fault::None
                                            << "-q-out.pdf" << true << "Not quiet.";
        QTest::newRow("unreadable")         << "unreadable.txt" << QByteArray("x") << Fault::Unreadable
                                            << "unreadable.pdf" << false << "unreadable.txt (Input/output error)";
        QTest::newRow("removed")            << "gone.txt" << QByteArray("x") << Fault::RemovedAfterSelection
                                            << "gone.pdf" << false << "gone.txt (No such file or directory)";
        QTest::newRow("folder named x.txt") << "folder.txt" << QByteArray("x") << Fault::FolderAfterSelection
                                            << "folder.pdf" << false << "folder.txt (";
        // clang-format on
    }

    void bulkArticles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(Fault, fault);
        QFETCH(QString, pdf);
        QFETCH(bool, made);
        QFETCH(QString, detail);
        setUp();
        writeArticle("control.txt", "Control article.");
        writeArticle(name, bytes);
        if (fault == Fault::Unreadable)
            makeUnreadable(name);
        openWindow(CreationMode::Bulk);
        QCOMPARE(control<QListWidget>("lstSelectedArticles")->count(), 2);
        spoil(fault, name);
        if (fault == Fault::FolderAfterSelection) {
            // The browser offers files alone.
            m_window->refreshArticleFiles();
            QVERIFY(control<QListWidget>("File1")->findItems(name, Qt::MatchExactly).isEmpty());
        }

        create();
        const QString text = MessageBox::last().text;
        if (made) {
            QCOMPARE(text, allMade);
            verifyMade(pdf, detail);
        } else {
            QVERIFY2(text.startsWith(madeCount(1, 2)) && text.contains(pdf + ": ") && text.contains(detail),
                     qPrintable(text));
            QVERIFY(!QFile::exists(m_app->folders().pdfFile(pdf)));
        }
        verifyMade("control.pdf", "Control article.");
        verifyIdleAndNothingLost();
    }

    // The single PDF is all or nothing: an article it cannot read stops it with a message naming the article.
    void singleArticleUnreadable_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("unreadable") << Fault::Unreadable;
        QTest::newRow("removed") << Fault::RemovedAfterSelection;
        QTest::newRow("folder named x.txt") << Fault::FolderAfterSelection;
    }

    void singleArticleUnreadable()
    {
        QFETCH(Fault, fault);
        setUp();
        writeArticle("a.txt", "First.");
        writeArticle("b.txt", "Second.");
        if (fault == Fault::Unreadable)
            makeUnreadable("b.txt");
        openWindow(CreationMode::Single);
        spoil(fault, "b.txt");

        create();
        QCOMPARE(MessageBox::last().title, QString("Error"));
        QVERIFY2(MessageBox::last().text.startsWith("The article could not be read:\n" + article("b.txt")),
                 qPrintable(MessageBox::last().text));
        QCOMPARE(QDir(m_app->folders().output()).entryList(QDir::Files), QStringList());
        QVERIFY(!QFile::exists(m_app->folders().pageFile("report.html")));
        verifyIdleAndNothingLost();
    }

    // A large article goes through whole; the stand-in converter, since rendering it would take the real one minutes.
    void fiftyMegabyteArticle()
    {
        setUp(PdfJobTesting::standInConverter);
        const QByteArray line = "A line of the big article.\r\n";
        QByteArray big;
        big.reserve(50 * 1024 * 1024 + line.size());
        while (big.size() < 50 * 1024 * 1024)
            big += line;
        big += "The end.";
        writeArticle("big.txt", big);
        big.clear();
        writeArticle("small.txt", "Small.");
        openWindow(CreationMode::Bulk);

        create();
        QCOMPARE(MessageBox::last().text, allMade);
        QVERIFY(QFile::exists(m_app->folders().pdfFile("big.pdf")));
        QFile page(m_app->folders().pageFile("big.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.size() > 60 * 1024 * 1024);
        QVERIFY(page.seek(page.size() - 2 * PageBuilder::scriptTail().size()));
        QVERIFY(page.readAll().endsWith("<br><br>The end." + PageBuilder::scriptTail().toUtf8()));
        verifyIdleAndNothingLost();
    }

    void applicationFolder_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<QString>("fault");
        // Made: the box says all were made. Otherwise a part of the box's text.
        QTest::addColumn<QString>("outcome");

        // clang-format off
        QTest::newRow("no bin folder")           << "" << "no bin"      << "The converter was not found.";
        QTest::newRow("no page template")        << "" << "no template" << "The page template could not be read:";
        QTest::newRow("output folder read-only") << "" << "immutable"   << "No file can be written into the output folder:";
        QTest::newRow("output is a file")        << "" << "output file" << "The output folder could not be made:";
        QTest::newRow("blanks and non-Latin letters in the path") << "Leaf runner Ünï Папка" << "" << "made";
        QTest::newRow("template named Template.HTML") << "" << "template case" << "made";
        // clang-format on
    }

    void applicationFolder()
    {
        QFETCH(QString, folderName);
        QFETCH(QString, fault);
        QFETCH(QString, outcome);
        setUp({}, folderName);
        writeArticle("first.txt", "First article.");
        writeArticle("second.txt", "Second article.");
        const AppFolders folders = m_app->folders();
        std::optional<ImmutablePath> readOnly;
        if (fault == "no bin")
            QDir(folders.bin()).removeRecursively();
        if (fault == "no template")
            QFile::remove(folders.pageTemplate());
        if (fault == "template case")
            QFile::rename(folders.pageTemplate(), folders.bin() + "/Template.HTML");
        if (fault == "output file")
            m_app->writeFile("bin/output", "not a folder");
        openWindow(CreationMode::Bulk);
        // Start-up tells of no fault; the first run meets it.
        QCOMPARE(MessageBox::shown().size(), 0);
        if (fault == "immutable" && !readOnly.emplace(folders.output()).isSet())
            QSKIP("The immutable flag cannot be set here.");

        create();
        const QString text = MessageBox::last().text;
        if (outcome == "made") {
            QCOMPARE(text, allMade);
            verifyMade("first.pdf", "First article.");
            verifyMade("second.pdf", "Second article.");
        } else {
            QVERIFY2(text.contains(outcome), qPrintable(text));
        }
        if (fault == "no bin")
            QVERIFY2(text.contains(folders.converter()) && !QFileInfo::exists(folders.bin()), qPrintable(text));
        if (fault == "no template")
            QVERIFY(text.contains(folders.pageTemplate()));
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
        setUp(PdfJobTesting::standInConverter);
        writeArticle("a.txt", "A.");
        writeArticle("b.txt", "B.");
        openWindow(finalList ? CreationMode::Bulk : CreationMode::Single);
        if (finalList) {
            click(m_window.get(), "optFilename_1");
            auto* finalText = control<QPlainTextEdit>("txtFinalList");
            finalText->setPlainText("good name\n" + name);
            QTest::keyRelease(finalText, Qt::Key_Return);
        } else {
            control<QLineEdit>("txtPDFFilename")->setText(name);
        }

        create();
        QCOMPARE(MessageBox::last().title, QString("Error"));
        QVERIFY2(MessageBox::last().text.contains('"' + name + ".pdf\""), qPrintable(MessageBox::last().text));
        QCOMPARE(QDir(m_app->folders().output()).entryList(QDir::Files), QStringList());
        verifyIdleAndNothingLost();
    }

    // Two windows on one application folder: while the first one's page waits for its converter, Create in the
    // second is refused and changes nothing; the first run completes, and then the second may run.
    void secondWindowOnTheSameFolderWaits()
    {
        setUp(PdfJobTesting::standInConverter);
        m_app->setConverterScript(R"(while [ ! -e "$1.go" ]; do sleep 0.05; done; )" + PdfJobTesting::standInConverter);
        writeArticle("a.txt", "A.");
        openWindow(CreationMode::Bulk);
        const std::unique_ptr<MainWindow> first = std::move(m_window);
        openWindow(CreationMode::Bulk);
        MessageBox::clearShown();
        click(first.get(), "cmdCreate");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_app->folders().pageFile("a.html")), 20000);

        const FolderSnapshot running({m_app->path()});
        click(m_window.get(), "cmdCreate");
        QCOMPARE(MessageBox::last().title, QString("Busy"));
        QCOMPARE(running.changesOutside({}), QStringList());
        QVERIFY(isMainWindowIdle(m_window.get()));

        m_app->writeFile("bin/a.html.go", {});
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
        setUp(R"(printf '%%PDF-1.4\n1 0 obj <<' > "$2"; exit 1)");
        writeArticle("a.txt", "A.");
        writeArticle("b.txt", "B.");
        openWindow(CreationMode::Bulk);

        create();
        const MessageBox::Shown box = MessageBox::last();
        QVERIFY2(box.text.startsWith("None of the 2 PDFs were made.\n\nNot made:\na.pdf: The converter wrote an "
                                     "incomplete PDF."),
                 qPrintable(box.text));
        QCOMPARE(box.title, QString("Error"));
        QCOMPARE(box.buttons, MessageBox::Ok);
        QVERIFY(control<QLabel>("lblPleaseWait")->isHidden());
        QCOMPARE(QDir(m_app->folders().output()).entryList(QDir::Files | QDir::Hidden), QStringList());
        verifyIdleAndNothingLost();
    }

    // The converter is given absolute paths, so a name starting with "-" is never taken for an option.
    void singleNameWithLeadingHyphens()
    {
        setUp();
        writeArticle("a.txt", "Hyphens first.");
        openWindow(CreationMode::Single);
        control<QLineEdit>("txtPDFFilename")->setText("--help");

        create();
        QCOMPARE(MessageBox::last().text, allMade);
        verifyMade("--help.pdf", "Hyphens first.");
        verifyIdleAndNothingLost();
    }
};

QTEST_MAIN(TestFaultMatrix)
#include "tst_fault_matrix.moc"
