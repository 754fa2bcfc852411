// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FolderSnapshot.h"
#include "support/PdfJobTesting.h"

#include <QStandardPaths>
#include <QTest>

// The installed layout: shipped files read from the installation, the user's own copies first, pages and PDFs in
// the user's folders. How the layout is chosen is checked on the real package by tst_package.
class TestInstalled : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

    AppFolders installed(const TestAppFolder& shipped, const QString& documents) const
    {
        return AppFolders::installed(shipped.path(), {}, m_home.filePath("data"), documents, u'/');
    }

private slots:
    // Nothing is written under the installation, and a user's copy goes first from the moment it is there. A user's
    // copy of the template that cannot be read stops the run, named; the shipped one is not used instead.
    void userCopiesGoFirst()
    {
        TestAppFolder shipped(TestAppFolder::NoConverter);
        const FolderSnapshot before({shipped.path()});
        const AppFolders folders = installed(shipped, m_home.filePath("Documents"));
        const QString user = m_home.filePath("data");
        QCOMPARE(folders.output(), m_home.filePath("Documents/Leafrunner"));
        QVERIFY(QFileInfo(folders.output()).isDir());
        QVERIFY(QFileInfo(user + "/assets/js/jquery.min.js").isFile());
        QCOMPARE(folders.converter(), QStandardPaths::findExecutable("wkhtmltopdf"));
        QCOMPARE(folders.pageTemplate(), shipped.path() + "/bin/template.html");
        QDir(user).mkdir("random");
        QFile::copy(shipped.path() + "/random/2.txt", user + "/random/2.txt");
        QCOMPARE(folders.wordFile(1), shipped.path() + "/random/1.txt");
        QCOMPARE(folders.wordFile(2), user + "/random/2.txt");
        QCOMPARE(*folders.editableTemplate(), user + "/template.html");
        QCOMPARE(folders.pageTemplate(), user + "/template.html");
        QCOMPARE(before.changesOutside({}), QStringList());

        // Without a Documents folder that takes files the PDFs go to the user's data folder, and the window says so.
        const AppFolders noDocuments = installed(shipped, shipped.writeFile("Documents", "a file, not a folder"));
        QCOMPARE(noDocuments.output(), user + "/output");
        QVERIFY(noDocuments.isOutputInDataFolder() && QFileInfo(noDocuments.output()).isDir());

        const QString own = user + "/template.html";
        QVERIFY(QFile::remove(own));
        for (bool link : {false, true}) {
            QVERIFY(link ? QFile::link(m_home.filePath("gone.html"), own) : QDir().mkdir(own));
            auto request = PdfJobTesting::request(shipped, CreationMode::Bulk, {shipped.writeFile("a.txt", "A")});
            request.folders = folders;
            const PdfJobReport report = PdfJobTesting::run(request);
            QVERIFY2(report.stopMessage.startsWith("The page template could not be read:\n" + own),
                     qPrintable(report.stopMessage));
            QVERIFY(link ? QFile::remove(own) : QDir().rmdir(own));
        }
    }
};

QTEST_GUILESS_MAIN(TestInstalled)
#include "tst_installed.moc"
