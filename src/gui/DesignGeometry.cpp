#include "gui/DesignGeometry.h"

#include <QListWidget>
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

namespace Controls {

QFont verdana(double points, bool bold, bool italic)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    items.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

} // namespace Controls
