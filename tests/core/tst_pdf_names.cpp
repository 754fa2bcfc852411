#include "core/AppFolders.h"
#include "core/FileNames.h"
#include "core/PdfNames.h"

#include <QTest>

class TestPdfNames : public QObject
{
    Q_OBJECT

private slots:
    void articleOutputName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("blanks and underscores") << R"(C:\Articles\My first_article.txt)"
                                                << "My-first-article.txt";
        QTest::newRow("cut at the first dot") << R"(C:\Articles\report.final.TXT)"
                                              << "report.txt";
        QTest::newRow("no dot") << R"(C:\Articles\Notes)"
                                << "Notes.txt";
        QTest::newRow("runs are not merged") << R"(D:\my docs\a  b__c.txt)"
                                             << "a--b--c.txt";
        QTest::newRow("no separator") << "story one.txt"
                                      << "story-one.txt";
        QTest::newRow("dot first") << R"(C:\Articles\.hidden.txt)"
                                   << ".txt";
        QTest::newRow("ends in a separator") << R"(C:\Articles\)"
                                             << ".txt";
        QTest::newRow("dotted folder") << R"(C:\Arti.cles\plain)"
                                       << "plain.txt";
        QTest::newRow("other separator is a character") << "C:/Articles/x y.txt"
                                                        << "C:/Articles/x-y.txt";
        QTest::newRow("non-Latin letters pass")
            << QString::fromUtf8(R"(C:\a\Καλή μέρα.txt)") << QString::fromUtf8("Καλή-μέρα.txt");
    }

    // The same table holds with "/" as the separator once the separators are swapped.
    void articleOutputName()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(PdfNames::articleOutputName(path, u'\\'), name);

        auto swap = [](QString s) {
            for (QChar& c : s)
                c = c == u'\\' ? u'/' : c == u'/' ? u'\\' : c;
            return s;
        };
        QCOMPARE(PdfNames::articleOutputName(swap(path), u'/'), swap(name));
    }

    // Accepted names have no reason; a refused one is named, with its reason.
    void fileNameRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        const QString longest(FileNames::MaxBytes, u'a');
        const QString wide(FileNames::MaxBytes / 2, u'\u00e9');
        // clang-format off
        QTest::newRow("plain")             << "report.pdf" << "";
        QTest::newRow("non-Latin letters") << QString::fromUtf8("Ünï-Привет-日本.pdf") << "";
        QTest::newRow("dot before .pdf")   << "a..pdf" << "";
        QTest::newRow("device in a word")  << "console.txt" << "";
        QTest::newRow("longest")           << longest << "";
        QTest::newRow("longest, 2 bytes a letter") << wide << "";
        QTest::newRow("empty")             << "" << "cannot be empty or only blanks";
        QTest::newRow("blanks")            << "   " << "cannot be empty or only blanks";
        QTest::newRow("dot")               << "." << "cannot be only dots";
        QTest::newRow("dot dot")           << ".." << "cannot be only dots";
        QTest::newRow("dot, then .txt")    << "..txt" << "cannot start with a dot";
        QTest::newRow("dot last")          << "notes." << "cannot end in a dot or a blank";
        QTest::newRow("blank last")        << "notes " << "cannot end in a dot or a blank";
        QTest::newRow("CON")               << "CON" << "Windows reserves it for a device";
        QTest::newRow("con.txt")           << "con.txt" << "Windows reserves it for a device";
        QTest::newRow("Nul")               << "Nul" << "Windows reserves it for a device";
        QTest::newRow("com1 .pdf")         << "com1 .pdf" << "Windows reserves it for a device";
        QTest::newRow("LPT9.tar.gz")       << "LPT9.tar.gz" << "Windows reserves it for a device";
        QTest::newRow("one byte over")     << longest + 'a' << "241 bytes";
        QTest::newRow("two bytes over")    << wide + u'\u00e9' << "242 bytes";
        QTest::newRow("colon")             << "sales: q1.pdf" << "cannot hold any of";
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

    void foldersJoinWithOneSeparator()
    {
        const AppFolders app(R"(C:\App)", u'\\');
        QCOMPARE(app.converter(),
                 QString(R"(C:\App\bin\wkhtmltopdf)") + (app.converter().endsWith(".exe") ? ".exe" : ""));
        QCOMPARE(app.output(), QString(R"(C:\App\bin\output)"));
        QCOMPARE(app.pdfFile("report.pdf"), QString(R"(C:\App\bin\output\report.pdf)"));
        QCOMPARE(app.wordFile(3), QString(R"(C:\App\random\3.txt)"));

        QCOMPARE(AppFolders(R"(D:\)", u'\\').output(), QString(R"(D:\bin\output)"));
        QCOMPARE(AppFolders("/", u'/').keywordList(), QString("/lstcombinations.txt"));
        QCOMPARE(AppFolders::join(R"(C:\)", "a.txt", u'\\'), QString(R"(C:\a.txt)"));
        QCOMPARE(AppFolders::join("/home/u", "a.txt", u'/'), QString("/home/u/a.txt"));
    }
};

QTEST_GUILESS_MAIN(TestPdfNames)
#include "tst_pdf_names.moc"
