#include "frmMass.h"

frmMass::frmMass(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("frmMass");
    setWindowTitle("Leafrunner Pro 2.2");
}
