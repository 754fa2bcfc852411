#include "core/modGeneral.h"
#include "core/modUTF8.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestModules : public QObject
{
    Q_OBJECT

private:
    QByteArray writeAndRead(const QByteArray& existing, const QStringList& texts, bool lineBreak)
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("out.html");
        if (!existing.isNull()) {
            QFile seed(path);
            seed.open(QIODevice::WriteOnly);
            seed.write(existing);
        }
        auto file = OpenForAppend(path);
        if (!file)
            return "<open failed>";
        for (const QString& text : texts)
            WriteUtf8(*file, text, lineBreak);
        CloseFile(*file);
        QFile back(path);
        back.open(QIODevice::ReadOnly);
        return back.readAll();
    }

private slots:
    void writeUtf8_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("lineBreak");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain, no byte-order mark") << QByteArray() << QStringList{"abc"} << false << QByteArray("abc");
        QTest::newRow("two bytes for e acute") << QByteArray() << QStringList{u"\u00e9"_qs} << false
                                               << QByteArray("\xC3\xA9");
        QTest::newRow("empty text adds nothing") << QByteArray() << QStringList{""} << false << QByteArray("");
        QTest::newRow("empty text with line break") << QByteArray() << QStringList{""} << true << QByteArray("\r\n");
        QTest::newRow("line break follows the text") << QByteArray() << QStringList{"abc"} << true
                                                     << QByteArray("abc\r\n");
        QTest::newRow("appends after existing bytes") << QByteArray("0123456789") << QStringList{"abc"} << false
                                                      << QByteArray("0123456789abc");
        QTest::newRow("second write follows the first") << QByteArray() << QStringList{"ab", u"c\u4e2d"_qs} << false
                                                        << QByteArray("abc\xE4\xB8\xAD");
    }

    void writeUtf8()
    {
        QFETCH(QByteArray, existing);
        QFETCH(QStringList, texts);
        QFETCH(bool, lineBreak);
        QFETCH(QByteArray, bytes);
        QCOMPARE(writeAndRead(existing, texts, lineBreak), bytes);
    }

    void writeErrorsReachTheCaller()
    {
        QString error;
        QVERIFY(!OpenForAppend("/nonexistent-folder/x.html", &error));
        QVERIFY(!error.isEmpty());

        QFile full("/dev/full");
        if (!full.exists())
            QSKIP("no /dev/full here");
        auto file = OpenForAppend(full.fileName(), &error);
        QVERIFY(file);
        QVERIFY(!WriteUtf8(*file, QString(70000, u'x'), false, &error));
    }

    void replaceText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("result");
        QTest::newRow("doubled separator") << R"(C:\\app\bin\output)" << R"(\\)" << R"(\)" << 0
                                           << R"(C:\app\bin\output)";
        QTest::newRow("three backslashes give two") << R"(a\\\b)" << R"(\\)" << R"(\)" << 0 << R"(a\\b)";
        QTest::newRow("no rescan of inserted text") << "banana" << "a" << "aa" << 0 << "baanaanaa";
        QTest::newRow("not found") << "banana" << "x" << "y" << 0 << "banana";
        QTest::newRow("empty text") << "" << "a" << "b" << 0 << "";
        QTest::newRow("case kept in mode 0") << "ab AB" << "AB" << "x" << 0 << "ab x";
        QTest::newRow("case ignored in mode 1") << "ab AB" << "AB" << "x" << 1 << "x x";
        QTest::newRow("empty find") << "abc" << "" << "x" << 0 << "abc";
    }

    void replaceText()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(int, mode);
        QFETCH(QString, result);
        QCOMPARE(ReplaceText(text, find, replacement, mode), result);
    }

    void folderExists()
    {
        QTemporaryDir dir;
        QFile(dir.filePath("file.txt")).open(QIODevice::WriteOnly);
        QVERIFY(FolderExists(dir.path(), true));
        QVERIFY(FolderExists(dir.filePath("file.txt"), true));
        QVERIFY(!FolderExists(dir.filePath("missing"), true));
        QVERIFY(!FolderExists(dir.path(), false));
    }
};

QTEST_GUILESS_MAIN(TestModules)
#include "tst_modules.moc"
