#include "gui/MainWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The article browser starts in the folder the program was started from.
    MainWindow window(AppFolders::current(), QDir::currentPath());
    window.show();
    return app.exec();
}
