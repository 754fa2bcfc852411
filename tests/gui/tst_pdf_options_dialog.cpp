#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "gui/PdfOptionsDialog.h"
#include "support/PdfJobTesting.h"
#include "support/WindowTesting.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

using namespace WindowTesting;

// The PDF Options dialog of the Options menu: a bad margin is refused there with the core's reason, and the options
// taken reach the converter and, with the user's keywords, the PDFs' properties.
class TestPdfOptionsDialog : public QObject
{
    Q_OBJECT

private slots:
    void optionsReachTheRequest()
    {
        MessageBox::setTestMode(true);
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString arguments = app.path() + "/arguments";
        app.setConverterScript(QString(R"(echo "$options" > '%1'; )").arg(arguments) + PdfJobTesting::standInConverter);
        for (const char* name : {"a.txt", "b.txt"})
            app.writeFile(QString("articles/") + name, name);
        MainWindow window(app.folders(), app.path() + "/articles");
        window.show();

        child<QAction>(&window, "mnuPdfOptions")->trigger();
        const QPointer<PdfOptionsDialog> dialog = window.findChild<PdfOptionsDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        child<QComboBox>(dialog, "cboPageSize")->setCurrentText("Letter");
        click(dialog, "optOrientation_1");
        child<QLineEdit>(dialog, "txtMarginTop")->setText("-3");
        click(dialog, "cmdOK");
        QCOMPARE(MessageBox::last().text, QString("The top margin must be a number of millimetres, 0 or more."));
        QVERIFY(dialog->isVisible());
        child<QLineEdit>(dialog, "txtMarginTop")->setText("12.5");
        click(dialog, "chkAllowScripts");
        child<QLineEdit>(dialog, "txtAuthor")->setText("Jane Gardener");
        click(dialog, "cmdOK");
        QTRY_VERIFY(!dialog);

        click(&window, "cmdSingleMenu_0");
        child<QLineEdit>(&window, "txtAdTitle")->setText("Title");
        child<QLineEdit>(&window, "txtCTAText")->setText("Go");
        click(&window, "optCreationMode_1");
        click(&window, "optFilename_1");
        child<QPlainTextEdit>(&window, "txtPDFKeywords")->setPlainText("red");
        click(&window, "cmdCreateList");
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::No);
        click(&window, "cmdCreate");
        QTRY_COMPARE_WITH_TIMEOUT(MessageBox::shown().size(), 1, 20000);
        QCOMPARE(QString(TestAppFolder::readFile(arguments).trimmed()),
                 "--page-size Letter --orientation Landscape -T 12.50mm --allow " + app.folders().bin());
        const QByteArray pdf = TestAppFolder::readFile(app.folders().pdfFile("best-red-tips.pdf"));
        QVERIFY2(pdf.contains("/Author (Jane Gardener)") && pdf.contains("/Keywords (red)"), pdf.constData());
    }
};

QTEST_MAIN(TestPdfOptionsDialog)
#include "tst_pdf_options_dialog.moc"
