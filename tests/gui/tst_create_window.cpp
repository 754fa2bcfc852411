#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "support/PdfJobTesting.h"
#include "support/TestAppFolder.h"
#include "support/WindowTesting.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

// The Create command as the user drives it: the window reads its entries, runs the job, shows its progress and
// always ends idle. The converter here is a stand-in script, so these runs take no time.
class TestCreateWindow : public QObject
{
    Q_OBJECT

private:
    template <class Widget = QWidget> Widget* child(const char* name) const
    {
        return WindowTesting::child<Widget>(m_window.get(), name);
    }

    void click(const char* name) { WindowTesting::click(m_window.get(), name); }

    // A window over an article folder of three articles, with the ad block filled and every article selected.
    void start(const QString& converterScript)
    {
        m_app = std::make_unique<TestAppFolder>(TestAppFolder::NoConverter);
        m_app->setConverterScript(converterScript);
        for (const char* name : {"first post.txt", "second_post.txt", "third.txt"})
            m_app->writeFile(QString("articles/") + name, QByteArray("Text of ") + name);
        m_window = std::make_unique<MainWindow>(m_app->folders(), m_app->path() + "/articles");
        m_window->show();
        click("cmdSingleMenu_0");
        child<QLineEdit>("txtAdTitle")->setText("Title");
        child<QLineEdit>("txtCTAText")->setText("Go");
    }

    bool idle() const { return WindowTesting::isMainWindowIdle(m_window.get()); }

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<MainWindow> m_window;

private slots:
    void init() { MessageBox::setTestMode(true); }
    void cleanup()
    {
        m_window.reset();
        m_app.reset();
    }

    void bulkRunShowsProgressAndEndsReady()
    {
        start(PdfJobTesting::standInConverter);
        click("optCreationMode_1");
        QStringList captions;
        auto* pleaseWait = child<QLabel>("lblPleaseWait");
        connect(child<QTimer>("tmrPleaseWait"), &QTimer::timeout, this,
                [&] { captions.removeAll(pleaseWait->text()), captions.append(pleaseWait->text()); });
        MessageBox::setNextAnswer(MessageBox::No);
        click("cmdCreate");
        QVERIFY(!child<QAbstractButton>("cmdCreate")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);

        QCOMPARE(MessageBox::last().text, QString("Ready. Do you want to open the output folder?"));
        QCOMPARE(MessageBox::last().title, QString("Done"));
        QCOMPARE(MessageBox::last().buttons, MessageBox::YesNo);
        QVERIFY(idle());
        QCOMPARE(pleaseWait->text(), QString("Ready."));
        QVERIFY(pleaseWait->isVisible());
        QCOMPARE(child<QListWidget>("lstSelectedArticles")->currentRow(), 2);
        for (const char* pdf : {"first-post.pdf", "second-post.pdf", "third.pdf"})
            QVERIFY2(QFile::exists(m_app->folders().pdfFile(pdf)), pdf);
    }

    void singleRunWritesTheNameBackAndHidesTheLabel()
    {
        start(PdfJobTesting::standInConverter);
        child<QLineEdit>("txtPDFFilename")->setText("my book");
        MessageBox::setNextAnswer(MessageBox::No);
        click("cmdCreate");
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);
        QCOMPARE(MessageBox::last().title, QString("Done"));
        QCOMPARE(child<QLineEdit>("txtPDFFilename")->text(), QString("my-book"));
        QVERIFY(QFile::exists(m_app->folders().pdfFile("my-book.pdf")));
        QVERIFY(child<QLabel>("lblPleaseWait")->isHidden());
        QVERIFY(idle());
    }

    // A check that fails shows its one message, deletes no page and leaves the name as typed.
    void failedCheckChangesNothing()
    {
        start("exit 1");
        const QString stalePage = m_app->writeFile("bin/old.html", "<html>");
        child<QLineEdit>("txtCTAText")->clear();
        child<QLineEdit>("txtPDFFilename")->setText("my book");
        click("cmdCreate");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, QString("Please enter your Ad details."));
        QCOMPARE(MessageBox::last().title, QString("Missing Info"));
        QVERIFY(QFile::exists(stalePage));
        QCOMPARE(child<QLineEdit>("txtPDFFilename")->text(), QString("my book"));
        QVERIFY(idle());
    }

    // Closing during a run, by the menu's Exit or the window's close box, asks first: No keeps the run going; Yes
    // ends the converters and closes the window.
    void closingDuringARunAsksAndStops()
    {
        start("echo $$ > \"${2%/*}/book.pid\"; exec sleep 60");
        child<QLineEdit>("txtPDFFilename")->setText("book");
        click("cmdCreate");
        const QString pidFile = m_app->folders().pdfFile("book.pid");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pidFile) && QFileInfo(pidFile).size() > 0, 20000);

        MessageBox::setNextAnswer(MessageBox::No);
        m_window->findChild<QAction*>("mnuExitTXT")->trigger();
        QVERIFY(m_window->isVisible());
        QVERIFY(!child<QAbstractButton>("cmdCreate")->isEnabled());

        MessageBox::setNextAnswer(MessageBox::Yes);
        m_window->close();
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->isVisible(), 20000);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::last().title, QString("Please Confirm"));
        const qint64 pid = TestAppFolder::readFile(pidFile).trimmed().toLongLong();
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QString("/proc/%1/cmdline").arg(pid)) ||
                                     TestAppFolder::readFile(QString("/proc/%1/cmdline").arg(pid)).isEmpty(),
                                 20000);
    }
};

QTEST_MAIN(TestCreateWindow)
#include "tst_create_window.moc"
