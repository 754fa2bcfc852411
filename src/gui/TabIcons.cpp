// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/TabIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace TabIcons {

namespace {
constexpr int Size = 48; // drawn large, shown at 24 pixels, so it stays sharp on high-density screens

void drawPage(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(10, 4);
    sheet.lineTo(30, 4);
    sheet.lineTo(40, 14);
    sheet.lineTo(40, 44);
    sheet.lineTo(10, 44);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(40, 60, 110), 2.5));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(30, 4), QPointF(30, 14));
    p.drawLine(QPointF(30, 14), QPointF(40, 14));
    p.setPen(QPen(QColor(110, 130, 170), 2.5));
    for (int y = 21; y <= 37; y += 5)
        p.drawLine(QPointF(16, y), QPointF(34, y));
}

void drawCoin(QPainter& p)
{
    p.setPen(QPen(QColor(150, 105, 10), 2.5));
    p.setBrush(QColor(245, 190, 40));
    p.drawEllipse(QRectF(5, 5, 38, 38));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(26);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(120, 80, 0));
    p.drawText(QRectF(5, 5, 38, 38), Qt::AlignCenter, QStringLiteral("$"));
}

void drawStart(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(47, 125, 91));
    p.drawEllipse(QRectF(4, 4, 40, 40));
    QPolygonF arrow({QPointF(19, 14), QPointF(35, 24), QPointF(19, 34)});
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}
} // namespace

QIcon forPage(int page)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (page) {
    case 0:
        drawPage(painter);
        break;
    case 1:
        drawCoin(painter);
        break;
    default:
        drawStart(painter);
        break;
    }
    return QIcon(pixmap);
}

} // namespace TabIcons
