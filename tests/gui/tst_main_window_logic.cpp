#include "core/ArticleFolder.h"
#include "core/KeywordCombinations.h"
#include "gui/MainLayout.h"
#include "support/TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestMainWindowLogic : public QObject
{
    Q_OBJECT

private slots:
    void keywordListIsReadWhenPresent()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        app.writeFile("lstcombinations.txt", "#KEYWORD#\r\nbest #KEYWORD# tips\r\n #KEYWORD# guide \r\n");
        QCOMPARE(app.folders().keywordPatterns(),
                 QStringList({"#KEYWORD#", "best #KEYWORD# tips", " #KEYWORD# guide "}));

        QVERIFY(QFile::remove(app.folders().keywordList()));
        QVERIFY(app.folders().keywordPatterns().isEmpty());
    }

    void outputFolderIsMadeOnlyUnderAnExistingBin()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        QVERIFY(!QDir(app.folders().output()).exists());
        QVERIFY(app.folders().ensureOutput());
        QVERIFY(QDir(app.folders().output()).exists());
        QVERIFY(app.folders().ensureOutput());

        QTemporaryDir bare;
        const AppFolders noBin(QDir::toNativeSeparators(bare.path()), QDir::separator());
        QVERIFY(!noBin.ensureOutput());
        QVERIFY(!QDir(noBin.bin()).exists());
    }

    void resizeRulesOnAWideWindow()
    {
        const MainLayout layout = applyResizeRules(MainLayout(), 20000, 12000);
        for (int page = 0; page < 3; ++page) {
            QCOMPARE(layout.pageWidth[page], 19200.0);
            QCOMPARE(layout.pageHeight[page], 12000.0 - 1890 - 1700);
        }
        QCOMPARE(layout.singleWidth, 13795.0);
        QCOMPARE(layout.selectedWidth, 9425.0);
        QCOMPARE(layout.pleaseWaitLeft, 20000.0 - 5955 - 800);
        QCOMPARE(layout.filenameLeft[0], 2477.5);
        QCOMPARE(layout.filenameLeft[1], 2477.5);
    }

    void resizeRulesSkipWhatCannotBeApplied()
    {
        const MainLayout wide = applyResizeRules(MainLayout(), 20000, 12000);
        // Narrower than the pages' margin and lower than their top: the page sizes stay, the later rules still run.
        const MainLayout narrow = applyResizeRules(wide, 600, 3000);
        QCOMPARE(narrow.pageWidth[0], 19200.0);
        QCOMPARE(narrow.pageHeight[2], wide.pageHeight[2]);
        QCOMPARE(narrow.singleWidth, 13795.0);
        QCOMPARE(narrow.pleaseWaitLeft, 600.0 - 5955 - 800);
        QCOMPARE(narrow.filenameLeft[0], 300 - 7522.5);

        // A width the list cannot take is skipped on its own.
        const MainLayout middle = applyResizeRules(wide, 9000, 12000);
        QCOMPARE(middle.singleWidth, 8200.0 - 4905 - 500);
        QCOMPARE(middle.selectedWidth, 9425.0);

        QCOMPARE(applyResizeRules(narrow, 20000, 12000), wide);
    }

    void combineKeywords()
    {
        using namespace KeywordCombinations;
        QCOMPARE(combine({"#KEYWORD#", "best #KEYWORD# tips"}, {"dog training", "puppy food"}),
                 QString("dog training\npuppy food\nbest dog training tips\nbest puppy food tips\n"));
        QCOMPARE(combine({"no placeholder"}, {"a", "b"}), QString("no placeholder\nno placeholder\n"));
        QCOMPARE(combine({"#KEYWORD# and #KEYWORD#"}, {"cats"}), QString("cats and cats\n"));
        QCOMPARE(combine({"#KEYWORD#-#keyword#"}, {" Big Dogs "}), QString(" Big Dogs -#keyword#\n"));
        QCOMPARE(combine({}, {"a", "b"}), QString("a\nb\n"));
    }

    void linesOfATextBox()
    {
        using KeywordCombinations::lines;
        QCOMPARE(lines("dog training\n\n  puppy food \n"), QStringList({"dog training", "  puppy food "}));
        QCOMPARE(lines("pasted\r\nfrom\rWindows"), QStringList({"pasted", "from", "Windows"}));
        QVERIFY(lines("").isEmpty());
        QCOMPARE(KeywordCombinations::summaryLine(12, 6), QString("Articles to Create: 12  - Filenames: 6"));
    }

    void articleFilesMatchIgnoringCase()
    {
        QTemporaryDir dir;
        for (const char* name : {"b.txt", "A.TXT", "c.Txt", "notes.doc", "txt", "d.txt.bak"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
        QDir(dir.path()).mkdir("folder.txt");
        QCOMPARE(ArticleFolder::articleFileNames(dir.path()), QStringList({"A.TXT", "b.txt", "c.Txt"}));
        QCOMPARE(ArticleFolder::subFolderNames(dir.path()), QStringList({"folder.txt"}));

        QVERIFY(!ArticleFolder::articleFileNames(dir.filePath("missing")));
        QVERIFY(!ArticleFolder::subFolderNames(dir.filePath("b.txt")));
    }

    void foldersFromTheRootDown()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("one/two");
        const QString two = ArticleFolder::displayPath(dir.filePath("one/two/"));
        QVERIFY(!two.endsWith(QDir::separator()));

        const QStringList chain = ArticleFolder::folderChain(two);
        QCOMPARE(chain.last(), two);
        QCOMPARE(chain.at(chain.size() - 2), ArticleFolder::displayPath(dir.filePath("one")));
        QCOMPARE(chain.first(), QDir::toNativeSeparators(QDir::rootPath()));
        QVERIFY(chain.first().endsWith(QDir::separator()));
    }

    void driveOfAFolder()
    {
        const QStringList drives = {R"(C:\)", R"(D:\)"};
        QCOMPARE(ArticleFolder::driveOf(R"(d:\Articles)", drives), QString(R"(D:\)"));
        QCOMPARE(ArticleFolder::driveOf(R"(\\server\share)", drives), QString(R"(C:\)"));
        QCOMPARE(ArticleFolder::driveOf("/home/me", {"/"}), QString("/"));
    }
};

QTEST_GUILESS_MAIN(TestMainWindowLogic)
#include "tst_main_window_logic.moc"
