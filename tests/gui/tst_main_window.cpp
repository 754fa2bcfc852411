// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Platform.h"
#include "gui/DesignGeometry.h"
#include "support/PdfJobTesting.h"
#include "support/WindowTesting.h"

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>

#include <optional>

using DesignGeometry::itemsOf;
using WindowTesting::MainWindowDriver;

namespace {
// A page is four paragraphs; with one word in each word list, a paragraph as the text box gives it back, without
// and with the keyword "kw".
const QString plain = "a b c d e . a b c d e . a b c d e . a b c d e . a b c d e . \n\n";
const QString withKeyword = "a b c d e . a b c d e . a b c d e . a b c d kw e . a b c d e . \n\n";
} // namespace

// The main window as the user drives it, Create and the Random Content Generator included; the converter is a
// stand-in, so runs take no time.
class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    // The window over an article folder of five articles in mixed letter case, two other files and a subfolder.
    void start(const QString& converterScript = PdfJobTesting::standInConverter)
    {
        d.emplace(converterScript);
        for (const char* name : {"e.txt", "a.txt", "D.TXT", "c.txt", "b.txt", "notes.doc", "readme"})
            d->writeArticle(name, QByteArray("Text of ") + name);
        QDir(d->articles()).mkdir("drafts.txt");
        d->open();
        d->child<QLineEdit>("txtAdTitle")->setText("Title");
        d->child<QLineEdit>("txtCTAText")->setText("Go");
    }

    static void doubleClick(QListWidget* list, int row)
    {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    QString folder() const { return QDir::toNativeSeparators(d->articles()); }

    std::optional<MainWindowDriver> d;

private slots:
    void cleanup() { d.reset(); }

    // The window starts on its first page over the folder it was given, counting the articles of any letter case.
    // The pages follow the window down to their minimum size, then keep it and scroll (screens() finds every control
    // in reach there). The tabs show their pages, the creation modes their naming frames. The Options menu and Open
    // Output Folder open the folders in the file manager, and a failure to do so is told; Exit closes the window.
    void pagesModesAndOptionsMenu()
    {
        start();
        QCOMPARE(d->child<QLabel>("lblFilesFound")->text(), QString("5"));
        QVERIFY(d->child("frPage_0")->isVisible() && d->child("frPage_1")->isHidden());
        d->window->resize(1400, 900);
        QTRY_COMPARE(d->child("frPage_0")->width(), 1351);
        QCOMPARE(d->child("frPage_2")->height(), 665);
        QCOMPARE(d->child("lstSelectedArticles")->width(), 699);
        d->window->resize(600, 400);
        QTRY_COMPARE(d->child("frPage_0")->width(), 1160);
        QCOMPARE(d->child("frPage_2")->height(), 521);
        QTest::mouseClick(d->child("lblButton_1"), Qt::LeftButton);
        QVERIFY(d->child("frPage_1")->isVisible() && d->child("frPage_0")->isHidden());
        QTest::mouseClick(d->child("vButton_2"), Qt::LeftButton, {}, QPoint(3, 3));
        for (const bool bulk : {true, false}) {
            d->click(bulk ? "optCreationMode_1" : "optCreationMode_0");
            QVERIFY(d->child("frFilename_0")->isVisible() != bulk && d->child("frFilename_1")->isVisible() == bulk);
        }
        d->window->findChild<QAction*>("mnuOpenFolderTXT")->trigger();
        d->click("cmdOutput");
        QCOMPARE(FolderShortcuts::opened(), QStringList({folder(), d->app.folders().output()}));
        FolderShortcuts::setNextResult(false);
        d->click("cmdOutput");
        QVERIFY(MessageBox::last().text.contains(d->app.folders().output()));
        d->window->findChild<QAction*>("mnuExitTXT")->trigger();
        QTRY_VERIFY(!d->window->isVisible());
    }

    // From each page, which key reaches which page and control. A missing entry's message leads to its box.
    void keyboard_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("from"); // the control focused first; empty: the page's tab
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("focused");
        // clang-format off
        QTest::newRow("next page")           << 0 << ""               << (Qt::CTRL | Qt::Key_Tab)                << 1 << "txtAdTitle";
        QTest::newRow("next wraps")          << 2 << ""               << (Qt::CTRL | Qt::Key_PageDown)           << 0 << "vButton_0";
        QTest::newRow("previous wraps")      << 0 << "File1"          << (Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab) << 2 << "vButton_2";
        QTest::newRow("previous")            << 2 << ""               << (Qt::CTRL | Qt::Key_PageUp)             << 1 << "txtAdTitle";
        QTest::newRow("mnemonic")            << 0 << "File1"          << (Qt::ALT | Qt::Key_C)                   << 2 << "vButton_2";
        QTest::newRow("arrow")               << 0 << ""               << QKeyCombination(Qt::Key_Right)          << 0 << "vButton_1";
        QTest::newRow("space")               << 0 << "vButton_2"      << QKeyCombination(Qt::Key_Space)          << 2 << "vButton_2";
        QTest::newRow("tab leaves keywords") << 2 << "txtPDFKeywords" << QKeyCombination(Qt::Key_Tab)            << 2 << "cmdCreateList";
        QTest::newRow("button mnemonic")     << 1 << "txtAdTitle"     << (Qt::ALT | Qt::Key_U)                   << 1 << "txtCTAURL";
        QTest::newRow("missing ad text")     << 2 << ""               << (Qt::ALT | Qt::Key_R)                   << 1 << "txtCTAText";
        // clang-format on
    }
    void keyboard()
    {
        QFETCH(int, page);
        QFETCH(QString, from);
        QFETCH(QKeyCombination, key);
        start();
        d->click("optCreationMode_1");
        d->click("optFilename_1");
        d->child<QLineEdit>("txtCTAText")->clear();
        d->click("cmdSingleMenu_0");
        QVERIFY(QTest::qWaitForWindowActive(d->window.get()));
        d->window->showPage(page);
        QWidget* start = d->child(from.isEmpty() ? QString("vButton_%1").arg(page) : from);
        start->setFocus();
        QTest::keyClick(start, key.key(), key.keyboardModifiers());
        QFETCH(int, shown);
        QTRY_VERIFY(d->child(QString("frPage_%1").arg(shown))->isVisible());
        QFETCH(QString, focused);
        QTRY_COMPARE(QApplication::focusWidget(), d->child(focused));
    }

    // On the screens of laptops, scaled as their systems scale them (the room left in device-independent pixels),
    // every named control of every page and of the generator lies on the scrolling canvas, in reach.
    void screens_data()
    {
        QTest::addColumn<QSize>("room");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1366x768 at 125%") << QSize(1093, 614);
        QTest::newRow("1920x1080 at 150%") << QSize(1280, 720);
    }
    void screens()
    {
        QFETCH(QSize, room);
        start();
        const auto allInReach = [&room](QWidget* window, QScrollArea* scroll) {
            window->resize(room - QSize(40, 40));
            if (window->width() > room.width() || window->height() > room.height())
                return QString("the window");
            for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
                if (control->objectName().isEmpty() || !control->isVisibleTo(scroll->widget()))
                    continue;
                // On the canvas, and wholly in sight once scrolled to unless larger than the window's room.
                if (!scroll->widget()->rect().contains(
                        QRect(control->mapTo(scroll->widget(), QPoint(0, 0)), control->size())))
                    return control->objectName();
                scroll->ensureWidgetVisible(control, 0, 0);
                const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
                if (control->width() <= scroll->viewport()->width() &&
                    control->height() <= scroll->viewport()->height() && !window->rect().contains(place))
                    return control->objectName();
            }
            return QString();
        };
        for (int page = 0; page < 3; ++page) {
            d->window->showPage(page);
            QCOMPARE(allInReach(d->window.get(), d->child<QScrollArea>("scrollPages")), QString());
        }
        GeneratorDialog* generator = d->openGenerator();
        QCOMPARE(allInReach(generator, WindowTesting::child<QScrollArea>(generator, "scrollGenerator")), QString());
    }

    // Articles are added and removed by the single commands and by double clicks; folders open by a double click.
    void choosingArticlesAndFolders()
    {
        start();
        auto* files = d->child<QListWidget>("File1");
        auto* selected = d->child<QListWidget>("lstSelectedArticles");
        QStringList all;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "D.TXT", "e.txt"})
            all << d->article(name);
        // With nothing selected the single commands say so and change nothing.
        d->click("cmdSingleMenu_2");
        d->click("cmdSingleMenu_3");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::last().text, QString("Please select a file first."));
        d->click("cmdSingleMenu_0");
        d->click("cmdSingleMenu_0");
        QCOMPARE(itemsOf(selected), all + all);
        QCOMPARE(files->currentRow(), 4);
        selected->setCurrentRow(1);
        d->click("cmdSingleMenu_3");
        QCOMPARE(itemsOf(selected), QStringList{all[0]} + all.mid(2) + all);
        d->click("cmdSingleMenu_1");
        files->setCurrentRow(2);
        d->click("cmdSingleMenu_2");
        doubleClick(files, 0);
        QCOMPARE(itemsOf(selected), QStringList({all[2], all[0]}));
        doubleClick(selected, 0);
        QCOMPARE(itemsOf(selected), QStringList{all[0]});

        auto* dir = d->child<QListWidget>("Dir1");
        const auto enter = [&](const QString& name) {
            doubleClick(dir, dir->row(dir->findItems(name, Qt::MatchEndsWith).first()));
        };
        files->setCurrentRow(0);
        d->writeArticle("drafts.txt/new.txt", {});
        enter("drafts.txt");
        QCOMPARE(d->window->articleFolder(), d->article("drafts.txt"));
        QCOMPARE(itemsOf(files), QStringList({"new.txt"}));
        QCOMPARE(files->currentRow(), -1);
        // A folder that cannot be read leaves everything as it was.
        enter("articles");
        QDir(d->article("drafts.txt")).removeRecursively();
        enter("drafts.txt");
        QCOMPARE(d->window->articleFolder(), folder());
        // Files added or removed elsewhere show up by themselves; the current file stays current.
        files->setCurrentRow(2);
        d->writeArticle("f.txt", {});
        QFile::remove(d->articles() + "/a.txt");
        QTRY_COMPARE(itemsOf(files), QStringList({"b.txt", "c.txt", "D.TXT", "e.txt", "f.txt"}));
        QCOMPARE(files->currentItem()->text(), QString("c.txt"));
        QCOMPARE(d->child<QLabel>("lblFilesFound")->text(), QString("5"));
    }

    void combiningKeywords_data()
    {
        QTest::addColumn<QByteArray>("patterns"); // lstcombinations.txt; null: missing
        QTest::addColumn<QStringList>("names");
        // clang-format off
        QTest::newRow("patterns")                    << QByteArray("#KEYWORD#\r\nbest #KEYWORD# tips\r\n")
                                                     << QStringList{"dog training", "puppy food", "best dog training tips", "best puppy food tips"};
        QTest::newRow("lstcombinations.txt missing") << QByteArray() << QStringList{"dog training", "puppy food"};
        // clang-format on
    }

    // Without patterns the user is told, and each keyword becomes a name.
    void combiningKeywords()
    {
        QFETCH(QByteArray, patterns);
        QFETCH(QStringList, names);
        start();
        QFile::remove(d->app.folders().keywordList());
        if (!patterns.isNull())
            d->app.writeFile("lstcombinations.txt", patterns);
        d->open();
        d->click("cmdCreateList");
        QCOMPARE(MessageBox::last().text, QString("Please enter some keywords first."));
        d->child<QPlainTextEdit>("txtPDFKeywords")->setPlainText("dog training\npuppy food");
        d->click("cmdCreateList");
        const QString noPatterns = "No combination patterns were found in lstcombinations.txt.";
        QCOMPARE(MessageBox::last().text, patterns.isEmpty() ? noPatterns : "Please enter some keywords first.");
        auto* finalText = d->child<QPlainTextEdit>("txtFinalList");
        QCOMPARE(finalText->toPlainText(), names.join('\n') + '\n');
        QCOMPARE(d->window->finalNames(), names);

        // The count follows the selected articles and the list in force, which typing changes only when Enter is
        // released in it, and Clear List at once.
        auto* info = d->child<QLabel>("lblKeywordsInfo");
        finalText->setPlainText("one\ntwo");
        QTest::keyRelease(finalText, Qt::Key_A);
        QCOMPARE(d->window->finalNames(), names);
        QTest::keyRelease(finalText, Qt::Key_Return);
        QCOMPARE(info->text(), QString("Articles to Create: 0  - Filenames: 2"));
        d->click("cmdSingleMenu_0");
        QCOMPARE(info->text(), QString("Articles to Create: 5  - Filenames: 2"));
        d->click("cmdClearList");
        QVERIFY(finalText->toPlainText().isEmpty());
        QCOMPARE(info->text(), QString("Articles to Create: 5  - Filenames: 0"));
    }

    // A count n makes n + 1 pages. Refused names are named with the reason; a save asks before it replaces an
    // article, and No keeps it. The article gets the system's line endings and shows up in the main window at once.
    // Refusing a count or answering No leaves everything as it was, the keyword pool included, which otherwise keeps
    // its keywords from run to run. The generator is modal and deleted when closed, so that each opening starts
    // afresh. Closing it during a run stops the run, which, working in slices, has not come to its end by then.
    void generatingSavingAndClosing()
    {
        start();
        d->writeArticle("kept.txt", "precious");
        QPointer<GeneratorDialog> generator = d->openGenerator();
        auto* text = WindowTesting::child<QPlainTextEdit>(generator, "RichTextBox1");
        auto* keywords = WindowTesting::child<QPlainTextEdit>(generator, "txtKeywords");
        WindowTesting::save(generator, "");
        QCOMPARE(MessageBox::last().text, QString("There's nothing to save. Please generate some content first."));
        QVERIFY(WindowTesting::generate(generator, "0"));
        QCOMPARE(text->toPlainText(), plain.repeated(4));
        WindowTesting::save(generator, "");
        QCOMPARE(MessageBox::last().text, QString("Please enter a name for the file."));
        WindowTesting::save(generator, "..");
        QVERIFY(MessageBox::last().text.startsWith("The name \"...txt\" cannot be used: "));
        MessageBox::setNextAnswer(MessageBox::No);
        WindowTesting::save(generator, "kept");
        QCOMPARE(MessageBox::last().defaultAnswer, MessageBox::No);
        QCOMPARE(TestAppFolder::readFile(d->articles() + "/kept.txt"), QByteArray("precious"));
        MessageBox::setNextAnswer(MessageBox::Yes);
        WindowTesting::save(generator, "kept");
        WindowTesting::save(generator, "my article");
        QCOMPARE(MessageBox::last().text, QString("Done! You can now close this window."));
        QCOMPARE(d->child<QListWidget>("File1")->findItems("my article.txt", Qt::MatchExactly).size(), 1);
        const QByteArray saved = plain.repeated(4).replace("\n", Platform::lineEnding()).toUtf8();
        QCOMPARE(TestAppFolder::readFile(d->articles() + "/kept.txt"), saved);
        QCOMPARE(TestAppFolder::readFile(d->articles() + "/my article.txt"), saved);

        QVERIFY(WindowTesting::generate(generator, "-1"));
        QVERIFY(text->document()->isEmpty());
        keywords->setPlainText("\nkw\n");
        QVERIFY(WindowTesting::generate(generator, "50"));
        QCOMPARE(text->toPlainText(), withKeyword.repeated(51 * 4));
        MessageBox::clearShown();
        WindowTesting::generate(generator, "32768", true);
        QCOMPARE(MessageBox::last().text, QString("The number of pages must be a whole number from -32768 to 32767."));
        MessageBox::setNextAnswer(MessageBox::No);
        keywords->setPlainText("kw3");
        WindowTesting::generate(generator, "51", true);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(text->toPlainText(), withKeyword.repeated(51 * 4));
        keywords->clear();
        QVERIFY(WindowTesting::generate(generator, "51"));
        QCOMPARE(text->toPlainText(), withKeyword.repeated(52 * 4));
        QVERIFY(WindowTesting::isGeneratorIdle(generator));

        QVERIFY(generator->isModal());
        QSignalSpy generated(generator.data(), &GeneratorDialog::generated);
        keywords->setPlainText("kept only while open");
        WindowTesting::generate(generator, "32767", true);
        QTRY_VERIFY(!text->document()->isEmpty());
        QVERIFY(generator->close());
        QVERIFY(!WindowTesting::child<QTimer>(generator, "tmrPleaseWait")->isActive());
        QTRY_VERIFY(generator.isNull());
        QCOMPARE(generated.size(), 0);
        QVERIFY(WindowTesting::child<QPlainTextEdit>(d->openGenerator(), "txtKeywords")->toPlainText().isEmpty());
    }

    // While a run goes Create and "Open Output Folder" are disabled and the progress blinks; the bulk run ends on
    // "Ready.", with the last article current. In a single run a check that fails shows its one message, deletes no
    // page and leaves the name as typed; the run then clears the old pages, writes the name it used back and hides
    // "Ready."; Yes opens the output folder.
    void bulkAndSingleRuns()
    {
        start();
        d->click("cmdSingleMenu_0");
        d->click("optCreationMode_1");
        MessageBox::setNextAnswer(MessageBox::No);
        d->click("cmdCreate");
        QVERIFY(!d->child("cmdCreate")->isEnabled() && !d->child("cmdOutput")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);
        QCOMPARE(MessageBox::last().text, QString("Ready. Do you want to open the output folder?"));
        QVERIFY(WindowTesting::isMainWindowIdle(d->window.get()));
        QVERIFY(d->child<QLabel>("lblPleaseWait")->isVisible() &&
                d->child<QLabel>("lblPleaseWait")->text() == "Ready.");
        QCOMPARE(d->child<QListWidget>("lstSelectedArticles")->currentRow(), 4);
        QVERIFY(FolderShortcuts::opened().isEmpty());

        d->click("optCreationMode_0");
        const QString stalePage = d->app.writeFile("bin/old.html", "<html>");
        d->child<QLineEdit>("txtCTAText")->clear();
        d->child<QLineEdit>("txtPDFFilename")->setText("my book");
        d->click("cmdCreate");
        QCOMPARE(MessageBox::last().text, QString("Please enter your Ad details."));
        QVERIFY(QFile::exists(stalePage) && WindowTesting::isMainWindowIdle(d->window.get()));
        QCOMPARE(d->child<QLineEdit>("txtPDFFilename")->text(), QString("my book"));
        d->child<QLineEdit>("txtCTAText")->setText("Go");
        d->create();
        QCOMPARE(d->child<QLineEdit>("txtPDFFilename")->text(), QString("my-book"));
        QVERIFY(QFile::exists(d->app.folders().pdfFile("my-book.pdf")) && !QFile::exists(stalePage));
        QVERIFY(d->child<QLabel>("lblPleaseWait")->isHidden());
        QCOMPARE(FolderShortcuts::opened(), QStringList{d->app.folders().output()});
    }

    // Closing during a run, by the menu's Exit or the window's close box, asks first: No keeps the run going; Yes
    // ends the converters and closes the window.
    void closingDuringARunAsksAndStops()
    {
        start("hang {dir}/book.pid");
        d->click("cmdSingleMenu_0");
        d->child<QLineEdit>("txtPDFFilename")->setText("book");
        d->click("cmdCreate");
        const QString pidFile = d->app.folders().pageFile("book.pid");
        QTRY_VERIFY_WITH_TIMEOUT(TestAppFolder::readFile(pidFile).endsWith('\n'), 20000);

        MessageBox::setNextAnswer(MessageBox::No);
        d->window->findChild<QAction*>("mnuExitTXT")->trigger();
        QTRY_VERIFY(!d->window->findChild<QMessageBox*>());
        QVERIFY(d->window->isVisible() && !d->child("cmdCreate")->isEnabled());
        MessageBox::setNextAnswer(MessageBox::Yes);
        d->window->close();
        QTRY_VERIFY_WITH_TIMEOUT(!d->window->isVisible(), 20000);
        QVERIFY(MessageBox::shown().size() == 2 && MessageBox::last().title == "Please Confirm");
        QTRY_VERIFY_WITH_TIMEOUT(!PdfJobTesting::anyAlive(pidFile), 20000);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
