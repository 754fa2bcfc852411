#include "core/CreateFlow.h"
#include "support/TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {
PdfJobRequest filled()
{
    PdfJobRequest request;
    request.articles = {"C:\\texts\\a.txt"};
    request.ad = {"Title", "Go", "http://"};
    request.singlePdfName = "report";
    return request;
}

// A file that even root cannot delete (immutable), or failing that a folder that its owner cannot change.
bool lock(const QString& file, bool on)
{
    if (QProcess::execute("chattr", {on ? "+i" : "-i", file}) == 0)
        return true;
    const QString folder = QFileInfo(file).path();
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteUser;
    return QFile::setPermissions(folder,
                                 on ? QFile::permissions(folder) & ~writable : QFile::permissions(folder) | writable);
}
} // namespace

class TestCreateFlow : public QObject
{
    Q_OBJECT

private slots:
    // One message, the first gap in the order articles, ad block, names; nothing trimmed.
    void checksInOrder_data()
    {
        QTest::addColumn<PdfJobRequest>("request");
        QTest::addColumn<QString>("message");
        PdfJobRequest r;
        r.singlePdfName.clear();
        QTest::newRow("everything empty") << r << "Please select one or more articles first.";
        r = filled();
        r.ad.ctaText.clear();
        QTest::newRow("call-to-action text empty") << r << "Please enter your Ad details.";
        r.mode = CreationMode::Bulk;
        QTest::newRow("call-to-action text empty, bulk") << r << "Please enter your Ad details.";
        r = filled();
        r.ad.title = "   ";
        QTest::newRow("blanks and the start URL pass") << r << "";
        r = filled();
        r.mode = CreationMode::Bulk;
        r.singlePdfName.clear();
        QTest::newRow("bulk, original names, no list, no name") << r << "";
        r.naming = PdfNaming::Keywords;
        QTest::newRow("bulk, keyword names, empty list") << r << "Please enter one or more keywords first.";
        r = filled();
        r.singlePdfName.clear();
        r.naming = PdfNaming::Keywords;
        r.finalNames = {"red widget"};
        QTest::newRow("single, no name, full list") << r << "Please enter a filename for your PDF file.";
    }

    void checksInOrder()
    {
        QFETCH(PdfJobRequest, request);
        QFETCH(QString, message);
        const Result<void, Message> shown = CreateFlow::check(request);
        QCOMPARE(!shown, !message.isEmpty());
        if (!shown) {
            QCOMPARE(shown.error().text, message);
            QCOMPARE(shown.error().title, QString("Missing Info"));
        }
    }

    void singleNameThatNoFileMayHaveIsRefused()
    {
        PdfJobRequest request = filled();
        request.singlePdfName = "sales: q1";
        const Result<void, Message> shown = CreateFlow::check(request);
        QVERIFY(!shown);
        QVERIFY2(shown.error().text.contains("\"sales:-q1.pdf\""), qPrintable(shown.error().text));
        request.mode = CreationMode::Bulk;
        QVERIFY(CreateFlow::check(request));
    }

    // Only pages go; the page template stays whatever the letter case of its name, and so do other files.
    void clearOldPagesKeepsTheTemplate_data()
    {
        QTest::addColumn<QString>("templateName");
        QTest::newRow("template.html") << "template.html";
        QTest::newRow("Template.HTML") << "Template.HTML";
    }

    void clearOldPagesKeepsTheTemplate()
    {
        QFETCH(QString, templateName);
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString bin = app.folders().bin();
        if (templateName != "template.html")
            QVERIFY(QFile::rename(app.folders().pageTemplate(), bin + "/" + templateName));
        for (const char* page : {"page.html", "Other.HTML", "etemplate.html", ".html"})
            app.writeFile(QString("bin/") + page, "<html>");
        for (const char* kept : {"notes.txt", "style.css", "page.html.bak"})
            app.writeFile(QString("bin/") + kept, "kept");
        QDir(bin).mkdir("folder.html");

        QCOMPARE(CreateFlow::clearOldPages(app.folders()), QStringList());
        QCOMPARE(
            QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase),
            QStringList({"assets", "folder.html", "notes.txt", "page.html.bak", "style.css", templateName}));
    }

    void pageThatCannotBeDeletedIsNamed()
    {
        TestAppFolder app(TestAppFolder::NoConverter);
        const QString page = app.writeFile("bin/stuck.html", "<html>");
        if (!lock(page, true))
            QSKIP("this system cannot make a file that cannot be deleted");
        const QStringList remaining = CreateFlow::clearOldPages(app.folders());
        PdfJobRequest request = filled();
        request.folders = app.folders();
        CreateFlow flow;
        const Result<QString, Message> started = flow.start(request);
        QVERIFY(lock(page, false));

        QCOMPARE(remaining, QStringList{app.folders().pageFile("stuck.html")});
        QVERIFY(!started);
        QVERIFY(!flow.isRunning());
        QVERIFY(started.error().text.contains(app.folders().pageFile("stuck.html")));
        QVERIFY(QFile::exists(app.folders().pageTemplate()));
    }
};

QTEST_GUILESS_MAIN(TestCreateFlow)
#include "tst_create_flow.moc"
