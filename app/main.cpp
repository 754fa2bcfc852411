#include "main_window/frmMass.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    frmMass window;
    window.show();
    return app.exec();
}
