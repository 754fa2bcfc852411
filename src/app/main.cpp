#include "core/Settings.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // They name the folder and the file of the user's settings: see Settings::userFile().
    QCoreApplication::setOrganizationName(QStringLiteral("Leafrunner"));
    QCoreApplication::setApplicationName(QStringLiteral("Leafrunner"));
    // The menu entry's name, by which the desktop finds the window's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("leafrunner"));
    // The article browser starts in the folder the program was started from, unless it remembers another.
    MainWindow window(AppFolders::current(), QDir::currentPath(), Settings::userFile());
    window.show();
    return app.exec();
}
