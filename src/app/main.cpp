// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Product.h"
#include "core/Settings.h"
#include "gui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Answered before the window system is asked for, so that it needs no display.
    if (argc == 2 && (qstrcmp(argv[1], "--version") == 0 || qstrcmp(argv[1], "-v") == 0)) {
        std::fputs(Product::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (argc == 2 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        std::fputs(qPrintable(QCoreApplication::translate(
                       "main", "Usage: leafrunner [--help | --version]\n"
                               "Opens the window that turns text articles into PDFs with your ad; leafrunner-cli "
                               "makes them without a window.\n")),
                   stdout);
        return 0;
    }
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
