#include "core/GeneratedArticle.h"
#include "core/RandomText.h"
#include "support/GeneratedText.h"
#include "support/TestAppFolder.h"

#include <QTest>

namespace {
const RandomText::WordLists words = {
    QStringList{"Alpha", "alpha", "beta"}, {"gamma"}, {"de lta", "eps"}, {"zeta"}, {"eta", "theta"}};

QString generate(int lastPage, const RandomText::WordLists& words, const QStringList& keywords,
                 QRandomGenerator& random)
{
    RandomText pages(lastPage, words, keywords, random);
    QString text;
    while (!pages.atEnd())
        text += pages.nextPage();
    return text;
}
} // namespace

class TestRandomText : public QObject
{
    Q_OBJECT

private slots:
    // 11 pages: 44 paragraphs, 220 sentences, 1,100 words, and 44 keywords when there are any.
    void tenGivesElevenPages_data()
    {
        QTest::addColumn<QStringList>("keywords");
        QTest::newRow("no keywords") << QStringList();
        QTest::newRow("keywords") << QStringList{"key one", "KEY2"};
    }

    void tenGivesElevenPages()
    {
        QFETCH(QStringList, keywords);
        QRandomGenerator random(7);
        const QString text = generate(10, words, keywords, random);
        QVERIFY(isGeneratedText(text, words, keywords, 44));
        QCOMPARE(text.count(". "), 220);
        for (const QString& keyword : keywords)
            QVERIFY(text.contains(keyword));
    }

    void oneWordPerList()
    {
        QRandomGenerator random(1);
        const QString paragraph = "a b c d e . a b c d e . a b c d e . a b c d k e . a b c d e . \r\r";
        QCOMPARE(generate(0, {QStringList{"a"}, {"b"}, {"c"}, {"d"}, {"e"}}, {"k"}, random), paragraph.repeated(4));
    }

    // Seeded, so the counts are fixed; a pick that favours or never reaches an end of the list falls outside.
    void picksAreUniform()
    {
        QRandomGenerator random(42);
        const QStringList four{"w0", "w1", "w2", "w3"};
        const QString text = generate(199, {four, {"x"}, {"x"}, {"x"}, {"x"}}, four, random);
        QCOMPARE(text.count("w"), 200 * 4 * 5 + 200 * 4);
        for (const QString& word : four) {
            const qsizetype count = text.count(word + ' ');
            QVERIFY2(count > 1100 && count < 1300, qPrintable(word + ": " + QString::number(count)));
        }

        QRandomGenerator same(42);
        QCOMPARE(generate(199, {four, {"x"}, {"x"}, {"x"}, {"x"}}, four, same), text);
    }

    void wordFilesSkipBlankLines()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString path = app.writeFile("random/1.txt", "one\r\n\r\n \t\r\n two \nthree\r\n\r\n");
        QCOMPARE(RandomText::loadWords(path), (QStringList{"one", " two ", "three"}));
        QCOMPARE(RandomText::loadWords(app.path() + "/random/missing.txt"), QStringList());
    }

    void pageCounts()
    {
        QCOMPARE(RandomText::parsePageCount("10").value(), 10);
        QCOMPARE(RandomText::parsePageCount(" 51 ").value(), 51);
        QCOMPARE(RandomText::parsePageCount("-1").value(), -1);
        QCOMPARE(RandomText::parsePageCount("-32768").value(), -32768);
        QCOMPARE(RandomText::parsePageCount("32767").value(), 32767);
        for (const char* refused : {"", " ", "32768", "-32769", "1.5", "ten", "1e2", "0x10", "1 0"})
            QVERIFY2(!RandomText::parsePageCount(refused), refused);
    }

    void articlePath()
    {
        using GeneratedArticle::path;
        QCOMPARE(path("C:\\", "notes", u'\\'), QString("C:\\notes.txt"));
        QCOMPARE(path("D:\\My Articles", "new one.txt", u'\\'), QString("D:\\My Articles\\new one.txt.txt"));
        QCOMPARE(path("/", "notes", u'/'), QString("/notes.txt"));
        QCOMPARE(path("/home/ann/articles", "notes", u'/'), QString("/home/ann/articles/notes.txt"));
    }
};

QTEST_GUILESS_MAIN(TestRandomText)
#include "tst_random_text.moc"
