#include "core/Settings.h"
#include "gui/DesignGeometry.h"
#include "gui/FolderBrowser.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "gui/TextBox.h"
#include "support/PdfJobTesting.h"
#include "support/TestAppFolder.h"
#include "support/WindowTesting.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace WindowTesting;
using DesignGeometry::itemsOf;

// What a window kept open all day offers: entries remembered across a restart whatever the settings file holds,
// a run's progress with Stop, Retry Failed, the ad preview and articles dropped on the list.
class TestWindowFeatures : public QObject
{
    Q_OBJECT

private:
    void setUp(const QString& converterScript = PdfJobTesting::standInConverter)
    {
        m_app = std::make_unique<TestAppFolder>(TestAppFolder::NoConverter);
        m_app->setConverterScript(converterScript);
        for (const char* name : {"a.txt", "b.txt", "slow.txt", "z.txt"})
            m_app->writeFile(QString("articles/") + name, name);
    }

    void open(const QString& settingsFile = {})
    {
        m_window = std::make_unique<MainWindow>(m_app->folders(), articles(), settingsFile);
        m_window->show();
    }

    // Every article selected, the ad filled, bulk mode, one converter at a time.
    void openForBulkRun()
    {
        open();
        click(m_window.get(), "cmdSingleMenu_0");
        control<QLineEdit>("txtAdTitle")->setText("Title");
        control<QLineEdit>("txtCTAText")->setText("Go");
        click(m_window.get(), "optCreationMode_1");
        control<QSpinBox>("spnConverters")->setValue(1);
    }

    QString articles() const { return QDir::toNativeSeparators(m_app->path() + "/articles"); }
    QString settingsFile() const { return m_app->path() + "/config/leafrunner.ini"; }
    template <class Widget = QWidget> Widget* control(const char* name) const
    {
        return child<Widget>(m_window.get(), name);
    }

    // The defaults of a first start.
    void verifyDefaults() const
    {
        QCOMPARE(control<QLineEdit>("txtAdTitle")->text(), QString());
        QCOMPARE(control<QLineEdit>("txtCTAURL")->text(), QString("http://"));
        QVERIFY(control<QRadioButton>("optCreationMode_0")->isChecked());
        QVERIFY(control<QRadioButton>("optFilename_0")->isChecked());
        QCOMPARE(control<QSpinBox>("spnConverters")->value(), defaultConverterLimit());
        QCOMPARE(m_window->pdfOptions().page.arguments({}), ConverterOptions().arguments({}));
        QCOMPARE(m_window->articleFolder(), articles());
        QCOMPARE(m_window->size(), MainWindow(m_app->folders(), articles()).size());
    }

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<MainWindow> m_window;

private slots:
    void init() { MessageBox::setTestMode(true); }
    void cleanup()
    {
        m_window.reset();
        m_app.reset();
    }

    void everyEntrySurvivesARestart()
    {
        setUp();
        m_app->writeFile("other/c.txt", "c");
        open(settingsFile());
        verifyDefaults();
        const QString title = QString("Grüße, \"@Variant\" #ADTITLE# ").repeated(400);
        control<QLineEdit>("txtAdTitle")->setText(title);
        control<QLineEdit>("txtCTAText")->setText("Read, now");
        control<QLineEdit>("txtCTAURL")->setText("https://example.com/?a=1&b=2");
        click(m_window.get(), "optCreationMode_1");
        click(m_window.get(), "optFilename_1");
        control<QPlainTextEdit>("txtPDFKeywords")->setPlainText("dog training\npuppy food");
        control<QPlainTextEdit>("txtFinalList")->setPlainText("best dog\nbest puppy");
        control<QLineEdit>("txtPDFFilename")->setText("my book");
        control<QSpinBox>("spnConverters")->setValue(3);
        control<FolderList>("Dir1")->setPath(m_app->path() + "/other");
        PdfOptions options;
        options.page.pageSize = "Letter";
        options.page.marginLeft = 12.5;
        options.author = "Ann";
        m_window->setPdfOptions(options);
        m_window->resize(1000, 820);
        QVERIFY(m_window->close());

        open(settingsFile());
        QCOMPARE(control<QLineEdit>("txtAdTitle")->text(), title);
        QCOMPARE(control<QLineEdit>("txtCTAText")->text(), QString("Read, now"));
        QCOMPARE(control<QLineEdit>("txtCTAURL")->text(), QString("https://example.com/?a=1&b=2"));
        QVERIFY(control<QRadioButton>("optCreationMode_1")->isChecked());
        QVERIFY(!control<QWidget>("frFilename_1")->isHidden());
        QVERIFY(control<QRadioButton>("optFilename_1")->isChecked());
        QCOMPARE(control<QPlainTextEdit>("txtPDFKeywords")->toPlainText(), QString("dog training\npuppy food"));
        QCOMPARE(itemsOf(control<QListWidget>("lstFinalList")), QStringList({"best dog", "best puppy"}));
        QCOMPARE(control<QLineEdit>("txtPDFFilename")->text(), QString("my book"));
        QCOMPARE(control<QSpinBox>("spnConverters")->value(), 3);
        QCOMPARE(m_window->articleFolder(), QDir::toNativeSeparators(m_app->path() + "/other"));
        QCOMPARE(m_window->size(), QSize(1000, 820));
        QCOMPARE(m_window->pdfOptions().page.arguments({}), options.page.arguments({}));
        QCOMPARE(m_window->pdfOptions().author, QString("Ann"));

        // Reset asks first (No by default), then brings back a first start's window and file.
        m_window->findChild<QAction*>("mnuResetSettings")->trigger();
        QCOMPARE(MessageBox::last().defaultAnswer, MessageBox::No);
        QCOMPARE(control<QSpinBox>("spnConverters")->value(), 3);
        MessageBox::setNextAnswer(MessageBox::Yes);
        m_window->findChild<QAction*>("mnuResetSettings")->trigger();
        verifyDefaults();
        open(settingsFile());
        verifyDefaults();
    }

    void badSettingsFilesGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QByteArray noise(64 * 1024, '\0');
        QRandomGenerator random(7);
        for (char& byte : noise)
            byte = char(random.bounded(256));
        QTest::newRow("random bytes") << noise;
        QTest::newRow("huge") << "[ad]\ntitle=Huge\nctaUrl=ftp://\n" + QByteArray(Settings::MaximumFileSize, 'x');
        QTest::newRow("wrong types") << QByteArray("[ad]\ntitle=a, b\nctaUrl=@ByteArray(x)\n"
                                                   "[content]\ncreationMode=bulk\narticleFolder=/no/such/folder\n"
                                                   "[create]\nnaming=7\nconverters=-3\n"
                                                   "[window]\ngeometry=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x6QPoint)\n");
    }

    void badSettingsFilesGiveDefaults()
    {
        QFETCH(QByteArray, contents);
        setUp();
        m_app->writeFile("config/leafrunner.ini", contents);
        open(settingsFile());
        verifyDefaults();
        // Closing writes a good file in its place.
        QVERIFY(m_window->close());
        QCOMPARE(Settings(settingsFile()).value(Remembered::CtaUrl), QString("http://"));
        QVERIFY(QFileInfo(settingsFile()).size() < 4096);
    }

    // The bar counts PDFs as they end; Stop (Escape) ends the slow converter, leaves no partial PDF and says how far
    // the run got.
    void progressAndStop()
    {
        // The slow page's converter writes the start of a PDF and waits.
        setUp(R"(case "$1" in *slow*) printf '%%PDF-1.4' > "$2"; echo $$ > "$(dirname "$1")/pid"; )"
              R"(exec sleep 60;; esac; )" +
              PdfJobTesting::standInConverter);
        openForBulkRun();
        auto* progress = control<QProgressBar>("progressCreate");
        QVERIFY(progress->isHidden() && control<QWidget>("cmdStop")->isHidden());
        click(m_window.get(), "cmdCreate");
        QVERIFY(!progress->isHidden() && !control<QWidget>("cmdStop")->isHidden());
        QCOMPARE(progress->maximum(), 4);
        const QString pidFile = m_app->folders().pageFile("pid");
        QTRY_VERIFY_WITH_TIMEOUT(TestAppFolder::readFile(pidFile).endsWith('\n'), 20000);
        QCOMPARE(progress->value(), 2);
        QCOMPARE(control<QLabel>("lblCreateCounts")->text(), QString("2 made, 0 failed"));

        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        MessageBox::setNextAnswer(MessageBox::No);
        QTest::keyClick(m_window.get(), Qt::Key_Escape);
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);
        QCOMPARE(MessageBox::last().text, QString("Stopped: 2 of 4 PDFs were made.\n\nDo you want to open the output "
                                                  "folder?"));
        QVERIFY(!PdfJobTesting::processAlive(TestAppFolder::readFile(pidFile).trimmed().toLongLong()));
        QCOMPARE(QDir(m_app->folders().output()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"a.pdf", "b.pdf"}));
        QVERIFY(isMainWindowIdle(m_window.get()) && progress->isHidden());
        QVERIFY(control<QWidget>("cmdRetryFailed")->isHidden());
    }

    // A page that fails once: Retry Failed converts only it again, under its keyword name, and the report of the
    // retry takes the failed row's place.
    void retryMakesOnlyTheFailedPdf()
    {
        setUp(R"(echo "$1" >> "$(dirname "$1")/converted"; )"
              R"(case "$1" in *b.html) [ -e "$1.once" ] || { : > "$1.once"; exit 1; };; esac; )" +
              PdfJobTesting::standInConverter);
        openForBulkRun();
        click(m_window.get(), "optFilename_1");
        auto* finalList = control<QPlainTextEdit>("txtFinalList");
        finalList->setPlainText("alpha one\nbeta two\ngamma three\ndelta four");
        QTest::keyClick(finalList, Qt::Key_Return);
        MessageBox::setNextAnswer(MessageBox::No);
        click(m_window.get(), "cmdCreate");
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);
        QVERIFY(MessageBox::last().text.startsWith("3 of 4 PDFs were made."));
        QVERIFY(MessageBox::last().offerRetry);
        QVERIFY(!QFile::exists(m_app->folders().pdfFile("beta-two.pdf")));

        QVERIFY(!control<QWidget>("cmdRetryFailed")->isHidden());
        MessageBox::setNextAnswer(MessageBox::No);
        click(m_window.get(), "cmdRetryFailed");
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 2, 20000);
        QCOMPARE(MessageBox::last().text, QString("Ready. Do you want to open the output folder?"));
        QVERIFY(!MessageBox::last().offerRetry);
        const QList<QByteArray> converted = TestAppFolder::readFile(m_app->folders().pageFile("converted")).split('\n');
        QCOMPARE(converted.size(), 6); // four, one, and the empty piece after the last line break
        QVERIFY(converted.at(4).endsWith("/b.html"));
        QVERIFY(QFile::exists(m_app->folders().pdfFile("beta-two.pdf")));
        QVERIFY(control<QWidget>("cmdRetryFailed")->isHidden());
    }

    void previewFollowsTyping()
    {
        setUp();
        QVERIFY(QFile::link(LEAF_SYSTEM_IMAGE_TOOL, m_app->folders().imageTool()));
        open();
        auto* picture = control<QLabel>("Picture3");
        auto* note = control<QLabel>("lblPreviewNote");
        const qint64 example = picture->pixmap().cacheKey();
        QTRY_VERIFY_WITH_TIMEOUT(picture->pixmap().cacheKey() != example, 20000);
        QCOMPARE(note->text(), QString());
        const QPixmap untitled = picture->pixmap();

        QTest::keyClicks(control<QLineEdit>("txtAdTitle"), "Grow Tomatoes Like a Pro");
        QTRY_VERIFY_WITH_TIMEOUT(picture->pixmap().cacheKey() != untitled.cacheKey(), 20000);
        const QImage before = untitled.toImage();
        const QImage after = picture->pixmap().toImage();
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x)
                changed += after.pixel(x, y) != before.pixel(x, y);
        }
        QVERIFY2(changed > 500, qPrintable(QString::number(changed)));
    }

    void missingImageToolKeepsTheExample()
    {
        setUp();
        open();
        auto* picture = control<QLabel>("Picture3");
        const qint64 example = picture->pixmap().cacheKey();
        QTRY_VERIFY(control<QLabel>("lblPreviewNote")->text().contains("wkhtmltoimage"));
        QCOMPARE(picture->pixmap().cacheKey(), example);
    }

    void droppedFilesAndFolders()
    {
        setUp();
        const QString more = m_app->path() + "/more";
        for (const char* name : {"more/b.txt", "more/A.TXT", "more/notes.md", "photo.png"})
            m_app->writeFile(name, "x");
        open();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(articles() + "/z.txt"), QUrl::fromLocalFile(more),
                      QUrl::fromLocalFile(m_app->path() + "/photo.png"), QUrl::fromLocalFile(articles() + "/a.txt")});
        auto* list = control<QListWidget>("lstSelectedArticles");
        // As a drag from a file manager ends: the list takes the drag as it enters, then the drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        QCOMPARE(itemsOf(list),
                 QStringList({articles() + "/z.txt", more + "/A.TXT", more + "/b.txt", articles() + "/a.txt"}));
        QCOMPARE(control<QLabel>("lblDropNote")->text(), QString("Not added, not .txt files: photo.png"));
    }

    void hugePasteIsCutAtALineBreak()
    {
        setUp();
        open();
        QApplication::clipboard()->setText(QString("keyword\n").repeated(1000000));
        auto* keywords = control<QPlainTextEdit>("txtPDFKeywords");
        keywords->paste();
        QVERIFY(keywords->toPlainText().size() <= TextBox::MaximumInsert);
        QVERIFY(keywords->toPlainText().endsWith("keyword\n"));
    }
};

QTEST_MAIN(TestWindowFeatures)
#include "tst_window_features.moc"
