// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Settings.h"
#include "gui/DesignGeometry.h"
#include "gui/FolderBrowser.h"
#include "gui/TextBox.h"
#include "support/PdfJobTesting.h"
#include "support/WindowTesting.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QUrl>

#include <algorithm>
#include <optional>

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
        d.emplace(converterScript);
        for (const char* name : {"a.txt", "b.txt", "slow.txt", "z.txt"})
            d->writeArticle(name, name);
    }

    // Every article selected, the ad filled, bulk mode, one converter at a time.
    void openForBulkRun()
    {
        d->openFilled(CreationMode::Bulk);
        d->child<QSpinBox>("spnConverters")->setValue(1);
    }

    QString articles() const { return QDir::toNativeSeparators(d->articles()); }
    QString settingsFile() const { return d->app.path() + "/config/leafrunner.ini"; }

    // The defaults of a first start.
    void verifyDefaults() const
    {
        QCOMPARE(d->child<QLineEdit>("txtAdTitle")->text(), QString());
        QCOMPARE(d->child<QLineEdit>("txtCTAURL")->text(), QString("http://"));
        QVERIFY(d->child<QRadioButton>("optCreationMode_0")->isChecked());
        QVERIFY(d->child<QRadioButton>("optFilename_0")->isChecked());
        QCOMPARE(d->child<QSpinBox>("spnConverters")->text(), QString("Auto"));
        QCOMPARE(d->window->pdfOptions().page.arguments({}), ConverterOptions().arguments({}));
        QCOMPARE(d->window->articleFolder(), articles());
        QCOMPARE(d->window->size(), MainWindow(d->app.folders(), articles()).size());
    }

    std::optional<MainWindowDriver> d;

private slots:
    void cleanup() { d.reset(); }

    void everyEntrySurvivesARestart()
    {
        setUp();
        d->app.writeFile("other/c.txt", "c");
        d->open(settingsFile());
        verifyDefaults();
        const QList<std::pair<const char*, QString>> lines{
            {"txtAdTitle", QString("Grüße, \"@Variant\" #ADTITLE# ").repeated(400)},
            {"txtCTAText", "Read, now"},
            {"txtCTAURL", "https://example.com/?a=1&b=2"},
            {"txtPDFFilename", "my book"}};
        for (const auto& [name, text] : lines)
            d->child<QLineEdit>(name)->setText(text);
        d->click("optCreationMode_1");
        d->click("optFilename_1");
        d->child<QPlainTextEdit>("txtPDFKeywords")->setPlainText("dog training\npuppy food");
        d->child<QPlainTextEdit>("txtFinalList")->setPlainText("best dog\nbest puppy");
        d->child<QSpinBox>("spnConverters")->setValue(3);
        d->child<FolderList>("Dir1")->setPath(d->app.path() + "/other");
        PdfOptions options;
        options.page.pageSize = "Letter";
        options.page.marginLeft = 12.5;
        options.author = "Ann";
        d->window->setPdfOptions(options);
        d->window->resize(1000, 820);
        QVERIFY(d->window->close());

        d->open(settingsFile());
        for (const auto& [name, text] : lines)
            QCOMPARE(d->child<QLineEdit>(name)->text(), text);
        QVERIFY(d->child<QRadioButton>("optCreationMode_1")->isChecked());
        QVERIFY(!d->child<QWidget>("frFilename_1")->isHidden());
        QVERIFY(d->child<QRadioButton>("optFilename_1")->isChecked());
        QCOMPARE(d->child<QPlainTextEdit>("txtPDFKeywords")->toPlainText(), QString("dog training\npuppy food"));
        QCOMPARE(d->window->finalNames(), QStringList({"best dog", "best puppy"}));
        QCOMPARE(d->child<QSpinBox>("spnConverters")->value(), 3);
        QCOMPARE(d->window->articleFolder(), QDir::toNativeSeparators(d->app.path() + "/other"));
        QCOMPARE(d->window->size(), QSize(1000, 820));
        QCOMPARE(d->window->pdfOptions().page.arguments({}), options.page.arguments({}));
        QCOMPARE(d->window->pdfOptions().author, QString("Ann"));

        // Reset asks first (No by default), then brings back a first start's window and file.
        d->window->findChild<QAction*>("mnuResetSettings")->trigger();
        QCOMPARE(MessageBox::last().defaultAnswer, MessageBox::No);
        QCOMPARE(d->child<QSpinBox>("spnConverters")->value(), 3);
        MessageBox::setNextAnswer(MessageBox::Yes);
        d->window->findChild<QAction*>("mnuResetSettings")->trigger();
        verifyDefaults();
        d->open(settingsFile());
        verifyDefaults();
    }

    void badSettingsFilesGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QByteArray noise(64 * 1024, '\0');
        std::generate(noise.begin(), noise.end(),
                      [random = QRandomGenerator(7)]() mutable { return char(random.bounded(256)); });
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
        d->app.writeFile("config/leafrunner.ini", contents);
        d->open(settingsFile());
        verifyDefaults();
        // The spin box would clamp a number below its range to Auto's 0 itself.
        QCOMPARE(Settings(settingsFile()).value(Remembered::Converters), Remembered::Converters.fallback);
        // Closing writes a good file in its place.
        QVERIFY(d->window->close());
        QCOMPARE(Settings(settingsFile()).value(Remembered::CtaUrl), QString("http://"));
        QVERIFY(QFileInfo(settingsFile()).size() < 4096);
    }

    // The bar counts PDFs as they end; Stop (Escape) ends the slow converter, leaves no partial PDF and says how far
    // the run got.
    void progressAndStop()
    {
        // The slow page's converter writes the start of a PDF and waits.
        setUp("if slow* write {pdf} %PDF-1.4\nif slow* hang {dir}/pid\npdf");
        openForBulkRun();
        auto* progress = d->child<QProgressBar>("progressCreate");
        QVERIFY(progress->isHidden() && d->child<QWidget>("cmdStop")->isHidden());
        d->click("cmdCreate");
        QVERIFY(!progress->isHidden() && !d->child<QWidget>("cmdStop")->isHidden());
        QCOMPARE(progress->maximum(), 4);
        const QString pidFile = d->app.folders().pageFile("pid");
        QTRY_VERIFY_WITH_TIMEOUT(TestAppFolder::readFile(pidFile).endsWith('\n'), 20000);
        // The second PDF's "made" waits for its document properties, which may come after the pid file.
        QTRY_COMPARE(progress->value(), 2);
        QCOMPARE(d->child<QLabel>("lblCreateCounts")->text(), QString("2 made, 0 failed"));

        d->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d->window.get()));
        MessageBox::setNextAnswer(MessageBox::No);
        QTest::keyClick(d->window.get(), Qt::Key_Escape);
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);
        QCOMPARE(MessageBox::last().text, QString("Stopped: 2 of 4 PDFs were made.\n\nDo you want to open the output "
                                                  "folder?"));
        QTRY_VERIFY_WITH_TIMEOUT(!PdfJobTesting::anyAlive(pidFile), 5000);
        QCOMPARE(QDir(d->app.folders().output()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"a.pdf", "b.pdf"}));
        QVERIFY(isMainWindowIdle(d->window.get()) && progress->isHidden());
        QVERIFY(d->child<QWidget>("cmdRetryFailed")->isHidden());
    }

    // A page that fails once: Retry Failed converts only it again, under its keyword name, and the report of the
    // retry takes the failed row's place.
    void retryMakesOnlyTheFailedPdf()
    {
        setUp("append {dir}/converted {page}\nif b.html fail-once {page}.once\npdf");
        openForBulkRun();
        d->click("optFilename_1");
        auto* finalList = d->child<QPlainTextEdit>("txtFinalList");
        finalList->setPlainText("alpha one\nbeta two\ngamma three\ndelta four");
        QTest::keyClick(finalList, Qt::Key_Return);
        MessageBox::setNextAnswer(MessageBox::No);
        d->create();
        QVERIFY(MessageBox::last().text.startsWith("3 of 4 PDFs were made."));
        QVERIFY(MessageBox::last().offerRetry);
        QVERIFY(!QFile::exists(d->app.folders().pdfFile("beta-two.pdf")));

        QVERIFY(!d->child<QWidget>("cmdRetryFailed")->isHidden());
        MessageBox::setNextAnswer(MessageBox::No);
        d->click("cmdRetryFailed");
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 2, 20000);
        QCOMPARE(MessageBox::last().text, QString("Ready. Do you want to open the output folder?"));
        QVERIFY(!MessageBox::last().offerRetry);
        const QList<QByteArray> converted = TestAppFolder::readFile(d->app.folders().pageFile("converted")).split('\n');
        QCOMPARE(converted.size(), 6); // four, one, and the empty piece after the last line break
        QVERIFY(converted.at(4).endsWith("/b.html"));
        QVERIFY(QFile::exists(d->app.folders().pdfFile("beta-two.pdf")));
        QVERIFY(d->child<QWidget>("cmdRetryFailed")->isHidden());
    }

    // Create takes the final list on show, Enter pressed or not, and asks before articles share a PDF name (No makes
    // nothing) and before PDFs already made are replaced: Skip Existing keeps them, and "Don't ask again" keeps the
    // answer until Reset Settings.
    void createAsksBeforeNamesClashOrPdfsAreReplaced()
    {
        setUp();
        openForBulkRun();
        d->click("optFilename_1");
        d->child<QPlainTextEdit>("txtFinalList")->setPlainText("alpha\nbeta\ngamma");
        const auto createAnswering = [this](const QList<MessageBox::Answer>& answers) {
            for (const MessageBox::Answer answer : answers)
                MessageBox::setNextAnswer(answer);
            d->create();
            return MessageBox::shown();
        };
        createAnswering({MessageBox::No});
        QCOMPARE(MessageBox::last().title, QString("Same PDF Names"));
        QVERIFY2(MessageBox::last().text.contains("\nalpha.pdf: " + d->article("a.txt") + ", " + d->article("z.txt")),
                 qPrintable(MessageBox::last().text));
        QVERIFY(QDir(d->app.folders().output()).isEmpty());

        const QString alpha = d->app.folders().pdfFile("alpha.pdf");
        QCOMPARE(createAnswering({MessageBox::Yes, MessageBox::No}).size(), 2);
        QVERIFY2(MessageBox::last().text.contains("alpha: replaced by the PDF of " + d->article("z.txt")),
                 qPrintable(MessageBox::last().text));

        const QByteArray before = TestAppFolder::readFile(alpha);
        MessageBox::setDontAskAgain(true);
        QCOMPARE(createAnswering({MessageBox::Yes, MessageBox::Skip, MessageBox::No}).at(1).buttons,
                 MessageBox::ReplaceSkipCancel);
        QVERIFY2(MessageBox::last().text.contains("Skipped, already in the output folder:\nalpha"),
                 qPrintable(MessageBox::last().text));
        QCOMPARE(TestAppFolder::readFile(alpha), before);
        QCOMPARE(createAnswering({MessageBox::Yes, MessageBox::No}).size(), 2);

        MessageBox::setNextAnswer(MessageBox::Yes);
        d->window->findChild<QAction*>("mnuResetSettings")->trigger();
        d->child<QLineEdit>("txtAdTitle")->setText(AdTitle);
        d->child<QLineEdit>("txtCTAText")->setText("Read more");
        d->click("optCreationMode_1");
        d->click("optFilename_1");
        d->child<QPlainTextEdit>("txtFinalList")->setPlainText("gamma");
        MessageBox::setNextAnswer(MessageBox::Yes);
        MessageBox::setNextAnswer(MessageBox::Cancel);
        d->click("cmdCreate");
        QCOMPARE(MessageBox::last().buttons, MessageBox::ReplaceSkipCancel);
    }

    // A run that ends while closing asks first takes the question away, and the closing box follows as usual.
    void runEndingTakesTheQuitQuestionAway()
    {
        setUp("wait-for {page}.go\npdf");
        d->openFilled(CreationMode::Single);
        d->click("cmdCreate");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(d->app.folders().pageFile("report.html")), 20000);
        d->window->close();
        const QPointer<QMessageBox> question = d->window->findChild<QMessageBox*>();
        QVERIFY(question && MessageBox::last().pending);
        d->app.writeFile("bin/report.html.go", {});
        QTRY_VERIFY_WITH_TIMEOUT(!question, 20000);
        QVERIFY(MessageBox::last().title == "Done" && d->window->isVisible());
    }

    // Without the image tool the example picture stays, saying why; with it, the picture follows the typed title.
    void previewFollowsTyping()
    {
        setUp();
        d->open();
        auto* picture = d->child<QLabel>("Picture3");
        auto* note = d->child<QLabel>("lblPreviewNote");
        const qint64 example = picture->pixmap().cacheKey();
        QTRY_VERIFY(note->text().contains("wkhtmltoimage"));
        QCOMPARE(picture->pixmap().cacheKey(), example);

        QVERIFY(QFile::link(LEAF_SYSTEM_IMAGE_TOOL, d->app.folders().imageTool()));
        auto* title = d->child<QLineEdit>("txtAdTitle");
        QTest::keyClicks(title, "Grow");
        QTRY_VERIFY_WITH_TIMEOUT(picture->pixmap().cacheKey() != example, 20000);
        QCOMPARE(note->text(), QString());
        const QPixmap first = picture->pixmap();
        QTest::keyClicks(title, " Tomatoes Like a Pro");
        QTRY_VERIFY_WITH_TIMEOUT(picture->pixmap().cacheKey() != first.cacheKey(), 20000);
        const QImage before = first.toImage();
        const QImage after = picture->pixmap().toImage();
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x)
                changed += after.pixel(x, y) != before.pixel(x, y);
        }
        QVERIFY2(changed > 500, qPrintable(QString::number(changed)));
    }

    // Dropped files and folders add their articles and name what they leave out; a huge paste goes in cut at a line
    // break.
    void droppedArticlesAndHugePaste()
    {
        setUp();
        const QString more = d->app.path() + "/more";
        for (const char* name : {"more/b.txt", "more/A.TXT", "more/notes.md", "photo.png"})
            d->app.writeFile(name, "x");
        d->open();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(articles() + "/z.txt"), QUrl::fromLocalFile(more),
                      QUrl::fromLocalFile(d->app.path() + "/photo.png"), QUrl::fromLocalFile(articles() + "/a.txt")});
        auto* list = d->child<QListWidget>("lstSelectedArticles");
        // As a drag from a file manager ends: the list takes the drag as it enters, then the drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        QCOMPARE(itemsOf(list),
                 QStringList({articles() + "/z.txt", more + "/A.TXT", more + "/b.txt", articles() + "/a.txt"}));
        QCOMPARE(d->child<QLabel>("lblDropNote")->text(), QString("Not added, not .txt files: photo.png"));

        QApplication::clipboard()->setText(QString("keyword\n").repeated(1000000));
        auto* keywords = d->child<QPlainTextEdit>("txtPDFKeywords");
        keywords->paste();
        QVERIFY(keywords->toPlainText().size() <= TextBox::MaximumInsert);
        QVERIFY(keywords->toPlainText().endsWith("keyword\n"));
    }
};

QTEST_MAIN(TestWindowFeatures)
#include "tst_window_features.moc"
