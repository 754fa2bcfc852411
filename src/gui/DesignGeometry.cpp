// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/DesignGeometry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QtMath>

namespace Twips {

int toPixels(double twips)
{
    return qRound(twips / PerPixel);
}

double fromPixels(int pixels)
{
    return pixels * PerPixel;
}

QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips

namespace DesignGeometry {

QLabel* label(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width,
              double height)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    if (width < 0) {
        label->move(Twips::toPixels(left), Twips::toPixels(top));
        label->adjustSize();
    } else {
        label->setGeometry(Twips::toPixels(left, top, width, height));
    }
    return label;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, const QFont& font, double left, double top,
              double width, double height)
{
    QLabel* result = label(parent, name, caption, left, top, width, height);
    result->setFont(font);
    return result;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, double left, double top, double width,
                    double height)
{
    auto* button = place(new QPushButton(caption, parent), name, left, top, width, height);
    button->setAutoDefault(false);
    return button;
}

QFont verdana(double points, bool bold, bool italic)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

void setLeftAndWidth(QWidget* widget, double left, double width)
{
    QRect rect = widget->geometry();
    rect.moveLeft(Twips::toPixels(left));
    rect.setWidth(Twips::toPixels(width));
    widget->setGeometry(rect);
}

void setCaptionFont(QWidget* frame, const QFont& caption)
{
    QFont content = frame->font();
    content.setResolveMask(QFont::AllPropertiesResolved);
    for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_SetFont))
            child->setFont(content);
    }
    frame->setFont(caption);
}

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    items.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QSize fittedSize(const QWidget* window, QSize wanted)
{
    constexpr int frameAllowance = 40;
    if (const QScreen* screen = window->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(frameAllowance, frameAllowance));
    return wanted;
}

} // namespace DesignGeometry
