#include "gui/DesignGeometry.h"
#include "gui/FolderShortcuts.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "gui/PageTab.h"
#include "support/TestAppFolder.h"
#include "support/WindowTesting.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using DesignGeometry::itemsOf;

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    template <class Widget = QWidget> Widget* child(const char* name) const
    {
        return WindowTesting::child<Widget>(m_window.get(), name);
    }

    // A window started in an article folder with five articles, two other files and a subfolder.
    void start(TestAppFolder::Converter converter = TestAppFolder::NoConverter)
    {
        m_app = std::make_unique<TestAppFolder>(converter);
        m_articles = std::make_unique<QTemporaryDir>();
        for (const char* name : {"e.txt", "a.txt", "D.TXT", "c.txt", "b.txt", "notes.doc", "readme"})
            QFile(m_articles->filePath(name)).open(QIODevice::WriteOnly);
        QDir(m_articles->path()).mkdir("drafts");
        startWindow(m_app->folders(), m_articles->path());
    }

    void startWindow(const AppFolders& folders, const QString& startFolder)
    {
        m_window = std::make_unique<MainWindow>(folders, startFolder);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QString article(const QString& name) const { return QDir::toNativeSeparators(m_articles->filePath(name)); }

    void click(const char* name) { WindowTesting::click(m_window.get(), name); }

    void doubleClick(QListWidget* list, int row)
    {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    void verifySelectFileFirst()
    {
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, QString("Please select a file first."));
        QCOMPARE(MessageBox::last().title, QString("Error"));
        QCOMPARE(MessageBox::last().icon, MessageBox::Information);
        QCOMPARE(MessageBox::last().buttons, MessageBox::Ok);
        MessageBox::clearShown();
    }

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<QTemporaryDir> m_articles;
    std::unique_ptr<MainWindow> m_window;

private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        FolderShortcuts::setTestMode(true);
    }

    void cleanup()
    {
        m_window.reset();
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void startUp()
    {
        m_app = std::make_unique<TestAppFolder>(TestAppFolder::NoConverter);
        m_app->writeFile("lstcombinations.txt", "one #KEYWORD#\r\ntwo #KEYWORD#\r\nthree #KEYWORD#\r\n");
        m_articles = std::make_unique<QTemporaryDir>();
        for (const char* name : {"a.txt", "b.TXT", "c.txt", "d.txt", "e.txt", "f.html", "g.doc"})
            QFile(m_articles->filePath(name)).open(QIODevice::WriteOnly);
        startWindow(m_app->folders(), m_articles->path());

        QVERIFY(m_window->windowTitle().startsWith("Leafrunner Pro 2.2 by "));
        QCOMPARE(child<QLabel>("lblAppName")->text(), QString("Leafrunner Pro"));
        QVERIFY(QDir(m_app->folders().output()).exists());
        QCOMPARE(itemsOf(child<QListWidget>("lstKeywordCombinations")),
                 QStringList({"one #KEYWORD#", "two #KEYWORD#", "three #KEYWORD#"}));
        QCOMPARE(child<QLabel>("lblFilesFound")->text(), QString("5"));
        QCOMPARE(m_window->articleFolder(), QDir::toNativeSeparators(m_articles->path()));

        QVERIFY(child("frPage_0")->isVisible());
        QVERIFY(child("frPage_1")->isHidden());
        QVERIFY(child("frPage_2")->isHidden());
        QCOMPARE(child("frPage_1")->pos(), child("frPage_0")->pos());
        QCOMPARE(child("frPage_2")->pos(), child("frPage_0")->pos());
        QVERIFY(!child<PageTab>("vButton_0")->isSelectable());
        QVERIFY(child<PageTab>("vButton_1")->isSelectable());
        QCOMPARE(child<QGroupBox>("frSinglePDFCreation")->title(), QString("  Single PDF Creation  "));
        QVERIFY(child("frFilename_0")->isVisibleTo(child("frPage_2")));
        QVERIFY(!child("frFilename_1")->isVisibleTo(child("frPage_2")));
        // The lowest control of the PDF Content page shows whole.
        QVERIFY(child("lblFilesFound")->geometry().bottom() < child("frPage_0")->height());
    }

    void startUpWithoutBinOrKeywordList()
    {
        QTemporaryDir bare;
        const AppFolders folders(QDir::toNativeSeparators(bare.path()), QDir::separator());
        startWindow(folders, bare.path());
        QVERIFY(QDir(bare.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
        QCOMPARE(child<QListWidget>("lstKeywordCombinations")->count(), 0);
        QCOMPARE(child<QLabel>("lblFilesFound")->text(), QString("0"));
        QVERIFY(child("frPage_0")->isVisible());
    }

    void tabsShowTheirPage()
    {
        start();
        QTest::mouseClick(child("lblButton_1"), Qt::LeftButton);
        QVERIFY(child("frPage_1")->isVisible());
        QVERIFY(child("frPage_0")->isHidden());
        QCOMPARE(m_window->focusWidget(), child("txtAdTitle"));
        QVERIFY(!child<PageTab>("vButton_1")->isSelectable());
        QVERIFY(child<PageTab>("vButton_0")->isSelectable());
        QTest::keyClicks(child("txtAdTitle"), "Free Guide");

        QTest::mouseClick(child("vButton_2"), Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(child("frPage_2")->isVisible());
        QVERIFY(child("frPage_1")->isHidden());

        m_window->showPage(3);
        m_window->showPage(-1);
        QVERIFY(child("frPage_2")->isVisible());
        m_window->showPage(1);
        QCOMPARE(child<QLineEdit>("txtAdTitle")->text(), QString("Free Guide"));
    }

    void creationModeSwitchesCaptionsAndNamingFrames()
    {
        start();
        QWidget* createPage = child("frPage_2");
        click("optCreationMode_1");
        QCOMPARE(child<QGroupBox>("frSinglePDFCreation")->title(), QString("Bulk PDF Creation"));
        QCOMPARE(child<QLabel>("lblPDFContentHeadline")->text(),
                 QString("The Software Will Create 1 PDF For Each One of these Articles:"));
        QVERIFY(!child("frFilename_0")->isVisibleTo(createPage));
        QVERIFY(child("frFilename_1")->isVisibleTo(createPage));

        click("optCreationMode_0");
        QCOMPARE(child<QGroupBox>("frSinglePDFCreation")->title(), QString("Single PDF Creation"));
        QCOMPARE(child<QLabel>("lblPDFContentHeadline")->text(),
                 QString("The Software Will Create 1 PDF From Each One of these Articles:"));
        QVERIFY(child("frFilename_0")->isVisibleTo(createPage));
        QVERIFY(!child("frFilename_1")->isVisibleTo(createPage));
    }

    void resizingFollowsTheWindowAndSkipsANarrowOne()
    {
        start();
        // The rules take the outer size, frame included, in twips.
        const auto twips = [](int pixels) { return pixels * 15.0; };
        const auto pixels = [](double twips) { return qRound(twips / 15); };
        m_window->resize(1400, 900);
        QTRY_COMPARE(m_window->width(), 1400);
        const QSize outer = m_window->frameGeometry().size();
        const int pageWidth = pixels(twips(outer.width()) - 800);
        QCOMPARE(child("frPage_0")->width(), pageWidth);
        QCOMPARE(child("frPage_2")->height(), pixels(twips(outer.height()) - 1890 - 1700));
        QCOMPARE(child("lstSelectedArticles")->width(), pixels(twips(outer.width()) - 800 - 4905 - 500 - 3870 - 500));
        QCOMPARE(child("frFilename_1")->x(), pixels(twips(outer.width()) / 2 - 15045 / 2.0));

        // A window below the pages' minimum keeps their minimum layout and scrolls to the rest, so that Create can
        // be reached on a small screen.
        m_window->resize(600, 400);
        QTRY_COMPARE(m_window->width(), 600);
        QCOMPARE(child("frPage_0")->width(), pixels(17220 - 800));
        QCOMPARE(child("frPage_2")->height(), pixels(11465 - 1890 - 1700));
        m_window->showPage(2);
        QWidget* create = child("cmdCreate");
        QVERIFY(!m_window->rect().contains(create->mapTo(m_window.get(), create->rect().bottomRight())));
        child<QScrollArea>("scrollPages")->ensureWidgetVisible(create);
        QVERIFY(m_window->rect().contains(create->mapTo(m_window.get(), create->rect().bottomRight())));
    }

    void busyStateBlinksAndDisables()
    {
        start();
        m_window->setBusy(true);
        QVERIFY(!child("cmdCreate")->isEnabled());
        QVERIFY(!child("cmdOutput")->isEnabled());
        QWidget* label = child("lblPleaseWait");
        QTRY_VERIFY(label->isVisible());
        QTRY_VERIFY(label->isHidden());
        m_window->setBusy(false);
        QVERIFY(child("cmdCreate")->isEnabled());
        QVERIFY(child("cmdOutput")->isEnabled());
    }

    void addingAndRemovingArticles()
    {
        start();
        auto* files = child<QListWidget>("File1");
        auto* selected = child<QListWidget>("lstSelectedArticles");
        const QStringList all = {article("a.txt"), article("b.txt"), article("c.txt"), article("D.TXT"),
                                 article("e.txt")};

        click("cmdSingleMenu_2");
        verifySelectFileFirst();
        click("cmdSingleMenu_3");
        verifySelectFileFirst();
        click("cmdSingleMenu_1");

        click("cmdSingleMenu_0");
        click("cmdSingleMenu_0");
        QCOMPARE(itemsOf(selected), all + all);
        QCOMPARE(files->currentRow(), 4);
        QCOMPARE(child<QLabel>("lblFilesFound")->text(), QString("5"));

        click("cmdSingleMenu_3");
        verifySelectFileFirst();
        selected->setCurrentRow(1);
        click("cmdSingleMenu_3");
        QCOMPARE(selected->count(), 9);
        QCOMPARE(selected->item(1)->text(), article("c.txt"));

        click("cmdSingleMenu_1");
        QCOMPARE(selected->count(), 0);

        files->setCurrentRow(2);
        click("cmdSingleMenu_2");
        QCOMPARE(itemsOf(selected), QStringList({article("c.txt")}));
        QCOMPARE(files->currentRow(), 2);

        doubleClick(files, 0);
        QCOMPARE(itemsOf(selected), QStringList({article("c.txt"), article("a.txt")}));
        doubleClick(selected, 0);
        QCOMPARE(itemsOf(selected), QStringList({article("a.txt")}));
    }

    void browsingFolders()
    {
        start();
        auto* dir = child<QListWidget>("Dir1");
        auto* files = child<QListWidget>("File1");
        files->setCurrentRow(0);

        QList<QListWidgetItem*> drafts = dir->findItems("drafts", Qt::MatchEndsWith);
        QCOMPARE(drafts.size(), 1);
        QFile(m_articles->filePath("drafts/new.txt")).open(QIODevice::WriteOnly);
        doubleClick(dir, dir->row(drafts.first()));
        QCOMPARE(m_window->articleFolder(), article("drafts"));
        QCOMPARE(itemsOf(files), QStringList({"new.txt"}));
        QCOMPARE(child<QLabel>("lblFilesFound")->text(), QString("1"));
        // After a folder change no file is current.
        click("cmdSingleMenu_2");
        verifySelectFileFirst();

        // Up again through the folder's own entry on the way down from the root.
        doubleClick(dir, dir->row(dir->findItems(QDir(m_articles->path()).dirName(), Qt::MatchEndsWith).first()));
        QCOMPARE(m_window->articleFolder(), article(""));
        QCOMPARE(files->count(), 5);

        // A folder that cannot be read leaves everything as it was.
        QVERIFY(QDir(m_articles->path()).rmdir("drafts") || QDir(m_articles->filePath("drafts")).removeRecursively());
        doubleClick(dir, dir->row(dir->findItems("drafts", Qt::MatchEndsWith).first()));
        QCOMPARE(m_window->articleFolder(), article(""));
        QCOMPARE(files->count(), 5);
        QCOMPARE(child<QLabel>("lblFilesFound")->text(), QString("5"));

        // Files added or removed outside the program show up by themselves; the current file stays current.
        files->setCurrentRow(2);
        QFile(m_articles->filePath("f.txt")).open(QIODevice::WriteOnly);
        QTRY_COMPARE_WITH_TIMEOUT(files->count(), 6, 5000);
        QVERIFY(QFile::remove(m_articles->filePath("a.txt")));
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>("lblFilesFound")->text(), QString("5"), 5000);
        QCOMPARE(files->currentItem()->text(), QString("c.txt"));
        QVERIFY(files->currentItem()->isSelected());

        // A root keeps its separator.
        doubleClick(dir, 0);
        QCOMPARE(m_window->articleFolder(), QDir::toNativeSeparators(QDir::rootPath()));
    }

    void combiningKeywords()
    {
        start();
        m_app->writeFile("lstcombinations.txt", "#KEYWORD#\r\nbest #KEYWORD# tips\r\n");
        startWindow(m_app->folders(), m_articles->path());
        auto* keywords = child<QPlainTextEdit>("txtPDFKeywords");
        auto* finalText = child<QPlainTextEdit>("txtFinalList");
        auto* finalList = child<QListWidget>("lstFinalList");
        auto* info = child<QLabel>("lblKeywordsInfo");

        click("cmdCreateList");
        QCOMPARE(MessageBox::last().text, QString("Please enter some keywords first."));
        QCOMPARE(MessageBox::last().title, QString("Missing Info"));
        MessageBox::clearShown();
        QVERIFY(info->text().isEmpty());

        keywords->setPlainText("dog training\npuppy food");
        click("cmdCreateList");
        const QStringList names = {"dog training", "puppy food", "best dog training tips", "best puppy food tips"};
        QCOMPARE(finalText->toPlainText(), names.join('\n') + '\n');
        QCOMPARE(itemsOf(finalList), names);

        // The count is of the selected articles, and follows them and the final list.
        const auto summary = [](int articles, int filenames) {
            return QString("Articles to Create: %1  - Filenames: %2").arg(articles).arg(filenames);
        };
        QCOMPARE(info->text(), summary(0, 4));
        click("cmdSingleMenu_0");
        QCOMPARE(info->text(), summary(5, 4));
        child<QListWidget>("lstSelectedArticles")->setCurrentRow(0);
        click("cmdSingleMenu_3");
        QCOMPARE(info->text(), summary(4, 4));

        // Typing changes nothing in force until Enter is released; Clear List clears the list in force at once.
        QTest::keyClicks(finalText, "my own name");
        QTest::keyRelease(finalText, Qt::Key_A);
        QCOMPARE(itemsOf(finalList), names);
        finalText->setPlainText("my own name");
        QTest::keyRelease(finalText, Qt::Key_Return);
        QCOMPARE(itemsOf(finalList), QStringList({"my own name"}));
        QCOMPARE(info->text(), summary(4, 1));
        click("cmdClearList");
        QVERIFY(finalText->toPlainText().isEmpty());
        QCOMPARE(info->text(), summary(4, 0));
        click("cmdSingleMenu_1");
        QCOMPARE(info->text(), summary(0, 0));
    }

    void combiningWithoutPatterns_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::newRow("lstcombinations.txt missing") << true;
        QTest::newRow("lstcombinations.txt empty") << false;
    }

    // The user is told, and each keyword becomes a name.
    void combiningWithoutPatterns()
    {
        QFETCH(bool, missing);
        start();
        if (missing)
            QVERIFY(QFile::remove(m_app->folders().keywordList()));
        else
            m_app->writeFile("lstcombinations.txt", {});
        startWindow(m_app->folders(), m_articles->path());
        child<QPlainTextEdit>("txtPDFKeywords")->setPlainText("dog training\npuppy food");
        click("cmdCreateList");
        QCOMPARE(MessageBox::last().text, QString("No combination patterns were found in lstcombinations.txt."));
        QCOMPARE(MessageBox::last().icon, MessageBox::Information);
        MessageBox::clearShown();
        QCOMPARE(itemsOf(child<QListWidget>("lstFinalList")), QStringList({"dog training", "puppy food"}));
    }

    void folderShortcutsAndMenu()
    {
        start();
        m_window->findChild<QAction*>("mnuOpenFolderTXT")->trigger();
        click("cmdOutput");
        QCOMPARE(FolderShortcuts::opened(), QStringList({article(""), m_app->folders().output()}));

        FolderShortcuts::setNextResult(false);
        click("cmdOutput");
        QCOMPARE(MessageBox::last().icon, MessageBox::Warning);
        QVERIFY(MessageBox::last().text.contains(m_app->folders().output()));
        MessageBox::clearShown();
        QVERIFY(m_window->isVisible());

        QCOMPARE(FolderShortcuts::explorerCommandLine(R"(C:\My Articles\dogs)"),
                 QString(R"(explorer C:\My Articles\dogs)"));

        m_window->findChild<QAction*>("mnuExitTXT")->trigger();
        QVERIFY(!m_window->isVisible());
    }

    // Each opening loads the generator afresh; the one closed before is gone.
    void generatorOpensModallyAndFresh()
    {
        start();
        m_window->findChild<QAction*>("mnuDummy")->trigger();
        QPointer<QDialog> generator = m_window->findChild<QDialog*>("frmRC");
        QVERIFY(generator);
        QVERIFY(generator->isVisible());
        QVERIFY(generator->isModal());
        QCOMPARE(generator->windowTitle(), QString("Random Content Generator"));
        generator->findChild<QPlainTextEdit*>("txtKeywords")->setPlainText("kept only while open");
        generator->close();
        QTRY_VERIFY(!generator);

        m_window->openGenerator();
        const QList<QDialog*> open = m_window->findChildren<QDialog*>("frmRC");
        QCOMPARE(open.size(), 1);
        QVERIFY(open.first()->findChild<QPlainTextEdit*>("txtKeywords")->toPlainText().isEmpty());
        open.first()->close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
