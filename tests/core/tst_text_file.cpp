#include "core/TextFile.h"
#include "core/vParser.h"
#include "core/vTools.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestComponent : public QObject
{
    Q_OBJECT

private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString cafe = QString::fromUtf8("caf\xC3\xA9 \xE2\x80\x94 \xCE\xB1\xCE\xB2");
        QTest::newRow("UTF-8") << cafe.toUtf8() << cafe;
        QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + cafe.toUtf8() << cafe;
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (const QChar c : cafe) {
            le += char(c.unicode() & 0xFF);
            le += char(c.unicode() >> 8);
            be += char(c.unicode() >> 8);
            be += char(c.unicode() & 0xFF);
        }
        QTest::newRow("UTF-16 LE") << le << cafe;
        QTest::newRow("UTF-16 BE") << be << cafe;
        // Bytes that are not UTF-8 are read as Windows-1252: curly quotes, euro, e acute, em dash.
        QTest::newRow("Windows-1252") << QByteArray("\x93" "Caf\xE9\x94 \x80\x97")
                                      << QString::fromUtf8("\xE2\x80\x9C" "Caf\xC3\xA9\xE2\x80\x9D \xE2\x82\xAC\xE2\x80\x94");
        QTest::newRow("line breaks kept") << QByteArray("a\r\nb\rc\nd") << QString("a\r\nb\rc\nd");
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(vFile::DecodeText(bytes), text);
    }

    void loadListSplitsEveryLineBreak()
    {
        QCOMPARE(vFile::SplitLines("a\r\nb\nc\rd\r\n"), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(vFile::SplitLines("a\n\nb"), QStringList({"a", "", "b"}));
        QCOMPARE(vFile::SplitLines("a\n\n"), QStringList({"a", ""}));
        QCOMPARE(vFile::SplitLines(""), QStringList());
    }

    void saveAndLoadRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("article.txt");
        const QString text = QString::fromUtf8("line one\r\nline \xE2\x80\x94 two");
        QVERIFY(vFile::SaveText("old text that is longer", path));
        QVERIFY(vFile::SaveText(text, path));
        QCOMPARE(vFile::LoadText(path).value(), text);
        QCOMPARE(vFile::LoadList(path).value(), QStringList({"line one", QString::fromUtf8("line \xE2\x80\x94 two")}));

        QString error;
        QVERIFY(!vFile::LoadText(dir.filePath("missing.txt"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!vFile::SaveText(text, dir.filePath("no/such/folder.txt"), &error));
    }

    void replaceMatchesCaseAndDoesNotRescan()
    {
        QCOMPARE(vParser::Replace(R"(C:\\a.txt)", R"(\\)", R"(\)"), QString(R"(C:\a.txt)"));
        QCOMPARE(vParser::Replace("#keyword# #KEYWORD#", "#KEYWORD#", "x"), QString("#keyword# x"));
        QCOMPARE(vParser::Replace("abc", "z", "y"), QString("abc"));
    }

    void splitToListAppendsNonEmptyPieces()
    {
        QStringList list{"kept"};
        vTools::SplitToList("one", "\r\n", list);
        vTools::SplitToList("a\r\n\r\nb\r\n", "\r\n", list);
        vTools::SplitToList("", "\r\n", list);
        QCOMPARE(list, QStringList({"kept", "one", "a", "b"}));
    }

    void shuffleKeepsItemsAndVaries()
    {
        QStringList one{"x"};
        vTools::ShuffleList(one);
        QCOMPARE(one, QStringList{"x"});

        QStringList items;
        for (int i = 0; i < 10; ++i)
            items << QString::number(i);
        QRandomGenerator random(7);
        QSet<QString> orders;
        for (int i = 0; i < 20; ++i) {
            QStringList copy = items;
            vTools::ShuffleList(copy, random);
            QStringList sorted = copy;
            sorted.sort();
            QCOMPARE(sorted, items);
            orders.insert(copy.join(","));
        }
        QVERIFY(orders.size() > 15);
    }

    void fileExistsOnlyForFiles()
    {
        QTemporaryDir dir;
        QFile(dir.filePath("a.txt")).open(QIODevice::WriteOnly);
        QVERIFY(vTools::FileExists(dir.filePath("a.txt")));
        QVERIFY(!vTools::FileExists(dir.path()));
        QVERIFY(!vTools::FileExists(dir.filePath("b.txt")));
    }
};

QTEST_GUILESS_MAIN(TestComponent)
#include "tst_text_file.moc"
