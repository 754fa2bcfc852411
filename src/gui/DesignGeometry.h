#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QListWidget;

// Window places are designed in twips, 1/1440 inch: 15 twips are one pixel at 96 dots per inch.
namespace Twips {
constexpr double PerPixel = 15.0;
int toPixels(double twips);
double fromPixels(int pixels);
// left, top, width, height in twips
QRect toPixels(double left, double top, double width, double height);
} // namespace Twips

// What both windows use to build their controls from the design.
namespace Controls {

// Names a control and puts it at its design place, given in twips.
template <class Widget>
Widget* place(Widget* widget, const QString& name, double left, double top, double width, double height)
{
    widget->setObjectName(name);
    widget->setGeometry(Twips::toPixels(left, top, width, height));
    return widget;
}

QFont verdana(double points, bool bold = false, bool italic = false);

QStringList itemsOf(const QListWidget* list);

} // namespace Controls
