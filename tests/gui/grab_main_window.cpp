// Renders the main window's pages to PNG files, to look at them as a user would:
//   grab_main_window <folder>
// writes page-content.png, page-monetization.png, page-create-single.png and page-create-bulk.png there.
#include "gui/MainWindow.h"
#include "support/TestAppFolder.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

namespace {
template <class Widget> Widget* child(const MainWindow& window, const char* name)
{
    return window.findChild<Widget*>(QLatin1String(name));
}

bool save(MainWindow& window, const QString& folder, const QString& name)
{
    QCoreApplication::processEvents();
    return window.grab().save(QDir(folder).filePath(name));
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: grab_main_window <folder>\n";
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(target);

    TestAppFolder appFolder(TestAppFolder::NoConverter);
    static const char* const articles[] = {
        "dog-training-basics.txt", "puppy-food-guide.txt", "house-training.txt", "leash-walking.txt",
        "crate-training.txt",      "grooming-at-home.txt", "notes.doc"};
    for (const char* article : articles)
        appFolder.writeFile(QStringLiteral("articles/") + article, "An article.\r\n");
    QDir(appFolder.path()).mkpath("articles/drafts");

    MainWindow window(appFolder.folders(), appFolder.path() + "/articles");
    window.show();

    auto* files = child<QListWidget>(window, "File1");
    for (int row : {0, 2, 4}) {
        files->setCurrentRow(row);
        child<QPushButton>(window, "cmdSingleMenu_2")->click();
    }
    bool saved = save(window, target, "page-content.png");

    window.showPage(1);
    child<QLineEdit>(window, "txtAdTitle")->setText("Train Your Dog in 7 Days");
    child<QLineEdit>(window, "txtCTAText")->setText("Get the Free Guide");
    child<QLineEdit>(window, "txtCTAURL")->setText("http://example.com/guide");
    saved &= save(window, target, "page-monetization.png");

    window.showPage(2);
    child<QLineEdit>(window, "txtPDFFilename")->setText("dog-training-collection");
    saved &= save(window, target, "page-create-single.png");

    child<QRadioButton>(window, "optCreationMode_1")->click();
    child<QRadioButton>(window, "optFilename_1")->click();
    child<QPlainTextEdit>(window, "txtPDFKeywords")->setPlainText("dog training\npuppy food");
    child<QPushButton>(window, "cmdCreateList")->click();
    saved &= save(window, target, "page-create-bulk.png");

    window.showPage(0);
    saved &= save(window, target, "page-content-bulk.png");
    return saved ? 0 : 1;
}
