#include "core/Product.h"
#include "core/Settings.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {
// Asked for help or the version, the program answers without a window, so without a display too: before the
// application object, which needs one.
bool answered(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::printf("%s\n", qPrintable(Product::label() + ' ' + Product::version()));
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s\n", qPrintable(QCoreApplication::translate(
                                    "main", "Usage: leafrunner [--help | --version]\n"
                                            "Opens the window that turns text articles into PDFs with your ad; "
                                            "leafrunner-cli makes them without a window.")));
            return true;
        }
    }
    return false;
}
} // namespace

int main(int argc, char* argv[])
{
    if (answered(argc, argv))
        return 0;
    QApplication app(argc, argv);
    // They name the folder and the file of the user's settings: see Settings::userFile().
    QCoreApplication::setOrganizationName(QStringLiteral("Leafrunner"));
    QCoreApplication::setApplicationName(QStringLiteral("Leafrunner"));
    // The menu entry's name, by which the desktop finds the window's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("leafrunner"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("leafrunner")));
    // The article browser starts in the folder the program was started from, unless it remembers another.
    MainWindow window(AppFolders::current(), QDir::currentPath(), Settings::userFile());
    window.show();
    return app.exec();
}
