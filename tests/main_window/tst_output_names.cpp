#include "main_window/AppFolders.h"
#include "main_window/ArticleOutputName.h"

#include <QTest>

class TestOutputNames : public QObject
{
    Q_OBJECT

private slots:
    void articleOutputName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("blanks and underscores") << R"(C:\Articles\My first_article.txt)" << "My-first-article.txt";
        QTest::newRow("cut at the first dot") << R"(C:\Articles\report.final.TXT)" << "report.txt";
        QTest::newRow("no dot") << R"(C:\Articles\Notes)" << "Notes.txt";
        QTest::newRow("runs are not merged") << R"(D:\my docs\a  b__c.txt)" << "a--b--c.txt";
        QTest::newRow("no separator") << "story one.txt" << "story-one.txt";
        QTest::newRow("dot first") << R"(C:\Articles\.hidden.txt)" << ".txt";
        QTest::newRow("ends in a separator") << R"(C:\Articles\)" << ".txt";
        QTest::newRow("dotted folder") << R"(C:\Arti.cles\plain)" << "plain.txt";
        QTest::newRow("other separator is a character") << "C:/Articles/x y.txt" << "C:/Articles/x-y.txt";
        QTest::newRow("non-Latin letters pass") << QString::fromUtf8(R"(C:\a\Καλή μέρα.txt)")
                                                << QString::fromUtf8("Καλή-μέρα.txt");
    }

    // The same table holds with "/" as the separator once the separators are swapped.
    void articleOutputName()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(ArticleOutputName(path, u'\\'), name);

        auto swap = [](QString s) {
            for (QChar& c : s)
                c = c == u'\\' ? u'/' : c == u'/' ? u'\\' : c;
            return s;
        };
        QCOMPARE(ArticleOutputName(swap(path), u'/'), swap(name));
    }

    void foldersJoinWithOneSeparator()
    {
        const AppFolders app(R"(C:\App)", u'\\');
        QCOMPARE(app.converter(), QString(R"(C:\App\bin\wkhtmltopdf)") + (app.converter().endsWith(".exe") ? ".exe" : ""));
        QCOMPARE(app.output(), QString(R"(C:\App\bin\output)"));
        QCOMPARE(app.pdfFile("report.pdf"), QString(R"(C:\App\bin\output\report.pdf)"));
        QCOMPARE(app.wordFile(3), QString(R"(C:\App\random\3.txt)"));

        QCOMPARE(AppFolders(R"(D:\)", u'\\').output(), QString(R"(D:\bin\output)"));
        QCOMPARE(AppFolders("/", u'/').keywordList(), QString("/lstcombinations.txt"));
        QCOMPARE(AppFolders::join(R"(C:\)", "a.txt", u'\\'), QString(R"(C:\a.txt)"));
        QCOMPARE(AppFolders::join("/home/u", "a.txt", u'/'), QString("/home/u/a.txt"));
    }
};

QTEST_GUILESS_MAIN(TestOutputNames)
#include "tst_output_names.moc"
