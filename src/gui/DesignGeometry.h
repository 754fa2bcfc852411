// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

// Window places are designed in twips, 1/1440 inch: 15 twips are one pixel at 96 dots per inch.
namespace Twips {
constexpr double PerPixel = 15.0;
int toPixels(double twips);
double fromPixels(int pixels);
// left, top, width, height in twips
QRect toPixels(double left, double top, double width, double height);
} // namespace Twips

// What the windows use to build their controls from the design.
namespace DesignGeometry {

// Names a control and puts it at its design place, given in twips.
template <class Widget>
Widget* place(Widget* widget, const QString& name, double left, double top, double width, double height)
{
    widget->setObjectName(name);
    widget->setGeometry(Twips::toPixels(left, top, width, height));
    return widget;
}

// A label at its design place; one without a design size (width below 0) is as large as its caption.
QLabel* label(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width = -1,
              double height = -1);
QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QFont& font, double left, double top,
              double width, double height);
// A button at its design place. Enter in a text box does not press it.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width,
                    double height);

QFont verdana(double points, bool bold = false, bool italic = false);

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color);
// Gives a frame its caption font; the controls inside keep the font they had, which they would otherwise take
// from the frame.
void setCaptionFont(QWidget* frame, const QFont& caption);
// Moves a control sideways and sets its width, in twips; its top and height stay.
void setLeftAndWidth(QWidget* widget, double left, double width);

QStringList itemsOf(const QListWidget* list);

// A window's size bounded by its screen's available room, leaving space for the frame and title bar, which are
// not known before the window is first shown.
QSize fittedSize(const QWidget* window, QSize wanted);

} // namespace DesignGeometry
