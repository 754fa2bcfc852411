#include "core/Platform.h"
#include "gui/GeneratorDialog.h"
#include "gui/MessageBox.h"
#include "support/GeneratedText.h"
#include "support/TestAppFolder.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const RandomText::WordLists words = {QStringList{"Alpha", "beta"}, {"gamma"}, {"delta", "Eps"}, {"zeta"}, {"eta"}};
const QString title = "Random Content Generator";
const QString working = title + " (Working, Please Wait ...";

// The main window's file list: the folder's articles, read again on refresh.
class ArticleFiles : public QListWidget
{
public:
    explicit ArticleFiles(const QString& folder)
        : m_folder(folder)
    {}
    void refresh()
    {
        clear();
        addItems(QDir(m_folder).entryList({"*.txt"}, QDir::Files));
    }

private:
    QString m_folder;
};

} // namespace

class TestGeneratorDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        m_app = std::make_unique<TestAppFolder>(TestAppFolder::NoConverter);
        for (int k = 0; k < RandomText::WordListCount; ++k)
            m_app->writeFile(QString("random/%1.txt").arg(k + 1), (words[k].join("\r\n\r\n") + "\r\n").toUtf8());
        QDir(m_app->path()).mkdir("articles");
        m_articleFolder = QDir::toNativeSeparators(articles());
        m_files = std::make_unique<ArticleFiles>(articles());
    }

    void cleanup()
    {
        m_window.reset();
        MessageBox::setTestMode(false);
    }

    void opensWithWordListsAndPageCounts()
    {
        open();
        QCOMPARE(combo()->count(), 200);
        QCOMPARE(combo()->itemText(0), QString("1"));
        QCOMPARE(combo()->itemText(199), QString("200"));
        QCOMPARE(combo()->currentText(), QString("10"));
        QCOMPARE(box()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(child<QListWidget>("lstContent_0")->count(), 2);
        QVERIFY(child<QListWidget>("lstContent_4")->isHidden());
    }

    void keywordsStayInThePool()
    {
        open();
        const QStringList keywords{"kw one", "kw2"};
        child<QPlainTextEdit>("txtKeywords")->setPlainText("kw one\n\nkw2");
        QVERIFY(generate("10"));
        QVERIFY(isGeneratedText(text(), words, keywords, 44, QStringLiteral("\n")));
        child<QPlainTextEdit>("txtKeywords")->clear();
        QVERIFY(generate("10"));
        QVERIFY(isGeneratedText(text(), words, keywords, 44, QStringLiteral("\n")));
        QCOMPARE(text().count("kw"), 44);
    }

    void zeroAndMinusOne()
    {
        open();
        QVERIFY(generate("0"));
        QVERIFY(isGeneratedText(text(), words, {}, 4, QStringLiteral("\n")));
        QVERIFY(generate("-1"));
        QCOMPARE(text(), QString());
    }

    // Refusing a count or answering No leaves everything as it was, the keyword pool included.
    void pageCountChecks()
    {
        open();
        QVERIFY(generate("50"));
        QVERIFY(MessageBox::shown().isEmpty());
        const QString fiftyPages = text();
        QVERIFY(isGeneratedText(fiftyPages, words, {}, 51 * 4, QStringLiteral("\n")));

        child<QPlainTextEdit>("txtKeywords")->setPlainText("kw");
        for (const char* refused : {"ten", "32768"}) {
            clickGenerate(refused);
            QCOMPARE(MessageBox::last().text,
                     QString("The number of pages must be a whole number from -32768 to 32767."));
        }
        MessageBox::setNextAnswer(MessageBox::No);
        clickGenerate("51");
        QCOMPARE(MessageBox::shown().size(), 3);
        QCOMPARE(MessageBox::last().text, QString("Please notice that over 50 pages make a long text that can take a "
                                                  "few seconds to show. Want to go on?"));
        QCOMPARE(MessageBox::last().title, QString("Please Confirm"));
        QCOMPARE(MessageBox::last().icon, MessageBox::Question);
        verifyIdle();
        QCOMPARE(text(), fiftyPages);
        QCOMPARE(child<QListWidget>("lstRandomKeywords")->count(), 0);

        QVERIFY(generate("51"));
        QVERIFY(isGeneratedText(text(), words, {"kw"}, 52 * 4, QStringLiteral("\n")));
    }

    // The animation goes on from where the last run left it and starts afresh in a newly opened window.
    void titleAnimation()
    {
        open();
        tick();
        QCOMPARE(m_window->windowTitle(), working + "..)");
        QSignalSpy generated(m_window.get(), &GeneratorDialog::generated);
        clickGenerate("1");
        QVERIFY(!child<QPushButton>("cmdClose")->isEnabled());
        QVERIFY(child<QTimer>("tmrPleaseWait")->isActive());
        QVERIFY(generated.wait());
        verifyIdle();
        QCOMPARE(m_window->windowTitle(), title);
        tick();
        QCOMPARE(m_window->windowTitle(), working + "....)");
        tick();
        QCOMPARE(m_window->windowTitle(), working + "..)");

        open();
        tick();
        QCOMPARE(m_window->windowTitle(), working + "..)");
    }

    void savesIntoTheBrowsedFolder()
    {
        open();
        save("");
        QCOMPARE(MessageBox::last().text, QString("There's nothing to save. Please generate some content first."));
        QVERIFY(generate("0"));
        save("");
        QCOMPARE(MessageBox::last().text, QString("Please enter a name for the file."));
        QCOMPARE(MessageBox::last().title, QString("Missing Info"));
        // Each refused with the reason, even a name of dots that holds no character a file name cannot.
        for (const QString name : {"a/b", "c:d", ".", ".."}) {
            save(name);
            QVERIFY2(MessageBox::last().text.startsWith("The name \"" + name + ".txt\" cannot be used: "),
                     qPrintable(MessageBox::last().text));
        }
        QVERIFY(QDir(articles()).isEmpty());

        save("my article");
        QCOMPARE(MessageBox::shown().size(), 7);
        QCOMPARE(MessageBox::last().text, QString("Done! You can now close this window."));
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_files->count(), 1);
        QCOMPARE(m_files->item(0)->text(), QString("my article.txt"));
        QVERIFY(isGeneratedText(QString::fromUtf8(TestAppFolder::readFile(articles() + "/my article.txt")), words, {},
                                4, Platform::lineEnding()));
    }

    void replacingAnArticleIsConfirmed()
    {
        const QString path = m_app->writeFile("articles/kept.txt", "precious");
        open();
        QVERIFY(generate("0"));
        MessageBox::setNextAnswer(MessageBox::No);
        save("kept");
        QCOMPARE(MessageBox::last().text,
                 QString("\"%1\" already exists. Do you want to replace it?").arg(QDir::toNativeSeparators(path)));
        QCOMPARE(MessageBox::last().icon, MessageBox::Question);
        QCOMPARE(MessageBox::last().defaultAnswer, MessageBox::No);
        QCOMPARE(TestAppFolder::readFile(path), QByteArray("precious"));

        MessageBox::setNextAnswer(MessageBox::Yes);
        save("kept");
        QCOMPARE(MessageBox::last().text, QString("Done! You can now close this window."));
        QVERIFY(
            isGeneratedText(QString::fromUtf8(TestAppFolder::readFile(path)), words, {}, 4, Platform::lineEnding()));
    }

    // Opened as the main window opens it: modal over it, and deleted when closed.
    void closingDuringARunStopsIt()
    {
        QWidget mainWindow;
        mainWindow.show();
        QPointer<GeneratorDialog> window = GeneratorDialog::launch(
            m_app->folders(), [this] { return m_articleFolder; }, [] {}, &mainWindow);
        QVERIFY(window->isModal());
        QSignalSpy generated(window.data(), &GeneratorDialog::generated);
        clickGenerate("32767", window);
        QVERIFY(window->close());
        QVERIFY(!child<QTimer>("tmrPleaseWait", window)->isActive());
        QTRY_VERIFY(window.isNull());
        QCOMPARE(generated.size(), 0);
    }

private:
    void open()
    {
        m_window = std::make_unique<GeneratorDialog>(
            m_app->folders(), [this] { return m_articleFolder; }, [this] { m_files->refresh(); });
        m_window->show();
    }

    template <typename Widget> Widget* child(const QString& name, QWidget* window = nullptr)
    {
        auto* widget = (window ? window : m_window.get())->findChild<Widget*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QComboBox* combo() { return child<QComboBox>("cboParagraphs"); }
    QPlainTextEdit* box() { return child<QPlainTextEdit>("RichTextBox1"); }
    QString text() { return box()->toPlainText(); }
    // The folder the main window browses.
    QString articles() const { return m_app->path() + "/articles"; }

    void clickGenerate(const QString& pages, QWidget* window = nullptr)
    {
        child<QComboBox>("cboParagraphs", window)->setEditText(pages);
        QTest::mouseClick(child<QPushButton>("Command1", window), Qt::LeftButton);
    }

    bool generate(const QString& pages)
    {
        QSignalSpy generated(m_window.get(), &GeneratorDialog::generated);
        clickGenerate(pages);
        return generated.wait(10000);
    }

    void save(const QString& name)
    {
        child<QLineEdit>("txtFilename")->setText(name);
        QTest::mouseClick(child<QPushButton>("cmdSave"), Qt::LeftButton);
    }

    void tick() { QMetaObject::invokeMethod(child<QTimer>("tmrPleaseWait"), "timeout"); }

    void verifyIdle()
    {
        for (const char* button : {"Command1", "cmdSave", "cmdClose"})
            QVERIFY(child<QPushButton>(button)->isEnabled());
        QVERIFY(!child<QTimer>("tmrPleaseWait")->isActive());
        QCOMPARE(m_window->windowTitle(), title);
    }

    std::unique_ptr<TestAppFolder> m_app;
    QString m_articleFolder;
    std::unique_ptr<ArticleFiles> m_files;
    std::unique_ptr<GeneratorDialog> m_window;
};

QTEST_MAIN(TestGeneratorDialog)
#include "tst_generator_dialog.moc"
