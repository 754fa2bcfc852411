#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private:
    QByteArray writeAndRead(const QByteArray& existing, const QStringList& texts)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("out.html");
        if (!existing.isNull()) {
            QFile seed(path);
            seed.open(QIODevice::WriteOnly);
            seed.write(existing);
        }
        TextFile::Writer file;
        if (!file.open(path))
            return "<open failed>";
        for (const QString& text : texts)
            file.write(text);
        file.close();
        QFile back(path);
        back.open(QIODevice::ReadOnly);
        return back.readAll();
    }

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
        QTest::newRow("Windows-1252") << QByteArray("\x93"
                                                    "Caf\xE9\x94 \x80\x97")
                                      << QString::fromUtf8("\xE2\x80\x9C"
                                                           "Caf\xC3\xA9\xE2\x80\x9D \xE2\x82\xAC\xE2\x80\x94");
        QTest::newRow("line breaks kept") << QByteArray("a\r\nb\rc\nd") << QString("a\r\nb\rc\nd");
        QTest::newRow("empty") << QByteArray() << QString();
    }

    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(TextFile::decode(bytes), text);
    }

    void loadListSplitsEveryLineBreak()
    {
        QCOMPARE(TextFile::splitLines("a\r\nb\nc\rd\r\n"), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(TextFile::splitLines("a\n\nb"), QStringList({"a", "", "b"}));
        QCOMPARE(TextFile::splitLines("a\n\n"), QStringList({"a", ""}));
        QCOMPARE(TextFile::splitLines(""), QStringList());
    }

    void saveAndLoadRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("article.txt");
        const QString text = QString::fromUtf8("line one\r\nline \xE2\x80\x94 two");
        QVERIFY(TextFile::save("old text that is longer", path));
        QVERIFY(TextFile::save(text, path));
        QCOMPARE(TextFile::load(path).value(), text);
        QCOMPARE(TextFile::loadList(path).value(),
                 QStringList({"line one", QString::fromUtf8("line \xE2\x80\x94 two")}));

        const Result<QString> missing = TextFile::load(dir.filePath("missing.txt"));
        QVERIFY(!missing);
        QVERIFY(!missing.error().isEmpty());
        QVERIFY(!TextFile::save(text, dir.filePath("no/such/folder.txt")));
    }

    void splitLinesCanSkipEmptyLines()
    {
        using TextFile::EmptyLines;
        QCOMPARE(TextFile::splitLines("one", EmptyLines::Skip), QStringList({"one"}));
        QCOMPARE(TextFile::splitLines("a\r\n\r\nb\r\n", EmptyLines::Skip), QStringList({"a", "b"}));
        QCOMPARE(TextFile::splitLines("", EmptyLines::Skip), QStringList());
    }

    void writer_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain, no byte-order mark") << QByteArray() << QStringList{"abc"} << QByteArray("abc");
        QTest::newRow("two bytes for e acute") << QByteArray() << QStringList{u"\u00e9"_qs} << QByteArray("\xC3\xA9");
        QTest::newRow("empty text adds nothing") << QByteArray() << QStringList{""} << QByteArray("");
        QTest::newRow("replaces an existing file")
            << QByteArray("0123456789") << QStringList{"abc"} << QByteArray("abc");
        QTest::newRow("second write follows the first")
            << QByteArray() << QStringList{"ab", u"c\u4e2d"_qs} << QByteArray("abc\xE4\xB8\xAD");
    }

    void writer()
    {
        QFETCH(QByteArray, existing);
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, bytes);
        QCOMPARE(writeAndRead(existing, texts), bytes);
    }

    void writeErrorsReachTheCaller()
    {
        TextFile::Writer missing;
        const Result<> opened = missing.open("/nonexistent-folder/x.html");
        QVERIFY(!opened);
        QVERIFY(!opened.error().isEmpty());

        QFile full("/dev/full");
        if (!full.exists())
            QSKIP("no /dev/full here");
        TextFile::Writer file;
        QVERIFY(file.open(full.fileName()));
        QVERIFY(!file.write(QString(70000, u'x')));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
