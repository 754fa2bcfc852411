#include "gui/GeneratorDialog.h"
#include "gui/MessageBox.h"
#include "support/FolderSnapshot.h"
#include "support/GeneratedText.h"
#include "support/ImmutablePath.h"
#include "support/TestAppFolder.h"
#include "support/WindowTesting.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace WindowTesting;

namespace {

const QString title = "Random Content Generator";
const QString done = "Done! You can now close this window.";

// Writes past the first bytes of a file fail while this lives, as they would on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        // The write is to fail, not to end the process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// A device that refuses every write as a full disk does. As root a private node of it, so that a save that went
// through the link and replaced the device would replace only that node, never the system's /dev/full.
QString fullDevice(const QString& folder)
{
    const QString node = folder + "/full-device";
    if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        return node;
    return "/dev/full";
}

bool isCharacterDevice(const QString& path)
{
    struct stat info {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}

} // namespace

// Faults the Random Content Generator meets: word files that are missing or hold no words, and saves that fail.
// Every row keeps one promise: a clear message (never "Done!" for a file not saved), the window idle afterwards,
// and nothing lost: no file touched but the one the user chose to save.
class TestGeneratorFaults : public QObject
{
    Q_OBJECT

private:
    QString articles() const { return m_app->path() + "/articles"; }
    QString wordFile(int number) const { return m_app->folders().wordFile(number); }

    void open()
    {
        m_snapshot.emplace(QStringList{m_app->path()});
        m_window = std::make_unique<GeneratorDialog>(
            m_app->folders(), [this] { return m_articleFolder; }, [this] { ++m_refreshes; });
        m_window->show();
    }

    bool generate()
    {
        QSignalSpy generated(m_window.get(), &GeneratorDialog::generated);
        child<QComboBox>(m_window.get(), "cboParagraphs")->setEditText("0");
        click(m_window.get(), "Command1");
        return generated.wait(10000);
    }

    void save(const QString& name)
    {
        child<QLineEdit>(m_window.get(), "txtFilename")->setText(name);
        click(m_window.get(), "cmdSave");
    }

    // Every row ends here: the window idle, and no file changed but those allowed.
    void verifyIdleAndNothingLost(const QStringList& allowed = {}) const
    {
        for (const char* button : {"Command1", "cmdSave", "cmdClose"})
            QVERIFY(child<QAbstractButton>(m_window.get(), button)->isEnabled());
        QVERIFY(!child<QTimer>(m_window.get(), "tmrPleaseWait")->isActive());
        QCOMPARE(m_window->windowTitle(), title);
        QCOMPARE(m_snapshot->changesOutside(allowed), QStringList());
    }

    std::unique_ptr<TestAppFolder> m_app;
    QString m_articleFolder;
    int m_refreshes = 0;
    std::optional<FolderSnapshot> m_snapshot;
    std::unique_ptr<GeneratorDialog> m_window;

private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        m_app = std::make_unique<TestAppFolder>(TestAppFolder::NoConverter);
        QDir().mkpath(articles());
        m_articleFolder = QDir::toNativeSeparators(articles());
        m_refreshes = 0;
    }

    void cleanup()
    {
        m_window.reset();
        m_snapshot.reset();
        m_app.reset();
    }

    // Word file 3 in each way it can fail to give words: the window says so when it opens and again on Generate.
    void wordFileWithoutWords_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("missing") << "missing";
        QTest::newRow("empty") << "empty";
        QTest::newRow("blank lines only") << "blank lines";
        QTest::newRow("a folder of its name") << "folder";
    }

    void wordFileWithoutWords()
    {
        QFETCH(QString, fault);
        QFile::remove(wordFile(3));
        if (fault == "empty")
            m_app->writeFile("random/3.txt", {});
        if (fault == "blank lines")
            m_app->writeFile("random/3.txt", "\r\n  \r\n\t\n\n");
        if (fault == "folder")
            QDir().mkpath(wordFile(3));
        open();
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        const MessageBox::Shown told = MessageBox::last();
        QCOMPARE(told.icon, MessageBox::Warning);
        QVERIFY2(told.text.contains(wordFile(3)) && !told.text.contains(wordFile(2)), qPrintable(told.text));

        child<QComboBox>(m_window.get(), "cboParagraphs")->setEditText("0");
        click(m_window.get(), "Command1");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::last().text, told.text);
        QCOMPARE(child<QPlainTextEdit>(m_window.get(), "RichTextBox1")->toPlainText(), QString());
        verifyIdleAndNothingLost();
    }

    // Blank lines among the words are no words: no sentence gets an empty one.
    void blankLinesAmongTheWords()
    {
        RandomText::WordLists words;
        for (int k = 0; k < RandomText::WordListCount; ++k) {
            words[k] = QStringList{QString("w%1a").arg(k), QString("w%1b").arg(k)};
            m_app->writeFile(QString("random/%1.txt").arg(k + 1),
                             ("\r\n" + words[k].join("\r\n\r\n   \r\n") + "\r\n\r\n").toUtf8());
        }
        open();
        QVERIFY(generate());
        QVERIFY(MessageBox::shown().isEmpty());
        const QString text = child<QPlainTextEdit>(m_window.get(), "RichTextBox1")->toPlainText();
        QVERIFY2(isGeneratedText(text, words, {}, 4, QStringLiteral("\n")), qPrintable(text.left(200)));
        verifyIdleAndNothingLost();
    }

    // A save that fails says so, names the file and leaves the article folder as it was, an older article of
    // the name included.
    void failedSave_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("existing");
        QTest::newRow("folder removed") << "folder removed" << false;
        QTest::newRow("read-only folder") << "read-only" << false;
        QTest::newRow("link to a full device") << "device link" << true;
        QTest::newRow("write error") << "write error" << false;
        QTest::newRow("write error over an article") << "write error" << true;
    }

    void failedSave()
    {
        QFETCH(QString, fault);
        QFETCH(bool, existing);
        const QString path = articles() + "/name.txt";
        QString device;
        if (fault == "device link")
            QVERIFY(QFile::link(device = fullDevice(m_app->path()), path));
        else if (existing)
            m_app->writeFile("articles/name.txt", "An older article.");
        if (fault == "folder removed")
            m_articleFolder = QDir::toNativeSeparators(articles() + "/gone");
        open();
        QVERIFY(generate());

        std::optional<ImmutablePath> readOnly;
        if (fault == "read-only" && !readOnly.emplace(articles()).isSet())
            QSKIP("The immutable flag cannot be set here.");
        {
            std::optional<FileSizeLimit> fullDisk;
            if (fault == "write error")
                fullDisk.emplace(64);
            if (existing)
                MessageBox::setNextAnswer(MessageBox::Yes); // replace it
            save("name");
        }

        const QList<MessageBox::Shown> shown = MessageBox::shown();
        QCOMPARE(shown.size(), existing ? 2 : 1);
        QCOMPARE(shown.last().title, QString("Error"));
        QCOMPARE(shown.last().icon, MessageBox::Warning);
        QVERIFY2(shown.last().text.startsWith(
                     QString("The file \"%1\" could not be saved: ").arg(m_articleFolder + "/name.txt")),
                 qPrintable(shown.last().text));
        QCOMPARE(m_refreshes, 0);
        if (!device.isEmpty()) {
            QCOMPARE(QFileInfo(path).symLinkTarget(), device);
            QVERIFY(isCharacterDevice(device));
        }
        verifyIdleAndNothingLost();
    }
};

QTEST_MAIN(TestGeneratorFaults)
#include "tst_generator_faults.moc"
