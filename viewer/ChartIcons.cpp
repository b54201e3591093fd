// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace viewer {

namespace {

// Figures are drawn on a 32 x 32 grid and scaled to the pixmap.
constexpr int Grid = 32;

void drawMagnifier(QPainter &p, bool plus)
{
    p.drawEllipse(QPointF(13, 13), 9, 9);
    p.drawLine(QPointF(20, 20), QPointF(28, 28));
    p.drawLine(QPointF(8, 13), QPointF(18, 13));
    if (plus)
        p.drawLine(QPointF(13, 8), QPointF(13, 18));
}

void drawFitWidth(QPainter &p)
{
    p.drawRect(QRectF(3, 7, 26, 18));
    p.drawLine(QPointF(8, 16), QPointF(24, 16));
    p.drawPolyline(QPolygonF({QPointF(12, 12), QPointF(8, 16), QPointF(12, 20)}));
    p.drawPolyline(QPolygonF({QPointF(20, 12), QPointF(24, 16), QPointF(20, 20)}));
}

void drawFitPage(QPainter &p)
{
    p.drawRect(QRectF(8, 3, 16, 26));
    p.drawPolyline(QPolygonF({QPointF(12, 11), QPointF(12, 8), QPointF(20, 8), QPointF(20, 11)}));
    p.drawPolyline(QPolygonF({QPointF(12, 21), QPointF(12, 24), QPointF(20, 24), QPointF(20, 21)}));
}

void drawRotate(QPainter &p)
{
    // Clockwise: the arc runs from its tail right of the top round the bottom to its head at the top.
    p.drawArc(QRectF(6, 6, 20, 20), 100 * 16, 280 * 16);
    p.drawPolyline(QPolygonF({QPointF(11.5, 2), QPointF(15.5, 6), QPointF(11.5, 10)}));
}

void drawNight(QPainter &p)
{
    QPainterPath moon;
    moon.addEllipse(QPointF(16, 16), 12, 12);
    QPainterPath bite;
    bite.addEllipse(QPointF(23, 11), 10, 10);
    p.setBrush(p.pen().color());
    p.drawPath(moon.subtracted(bite));
}

void drawPrint(QPainter &p)
{
    p.drawRect(QRectF(9, 3, 14, 9));
    p.drawRect(QRectF(3, 12, 26, 11));
    p.drawRect(QRectF(9, 19, 14, 10));
}

void drawFigure(QPainter &p, ChartIcon kind)
{
    switch (kind) {
    case ChartIcon::PreviousPage:
        p.drawPolyline(QPolygonF({QPointF(20, 6), QPointF(10, 16), QPointF(20, 26)}));
        break;
    case ChartIcon::NextPage:
        p.drawPolyline(QPolygonF({QPointF(12, 6), QPointF(22, 16), QPointF(12, 26)}));
        break;
    case ChartIcon::ZoomOut:
    case ChartIcon::ZoomIn:
        drawMagnifier(p, kind == ChartIcon::ZoomIn);
        break;
    case ChartIcon::FitWidth:
        drawFitWidth(p);
        break;
    case ChartIcon::FitPage:
        drawFitPage(p);
        break;
    case ChartIcon::Rotate:
        drawRotate(p);
        break;
    case ChartIcon::Night:
        drawNight(p);
        break;
    case ChartIcon::Print:
        drawPrint(p);
        break;
    }
}

QPixmap figure(ChartIcon kind, int size, const QColor &colour)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / Grid, qreal(size) / Grid);
    painter.setPen(QPen(colour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    drawFigure(painter, kind);
    return pixmap;
}

} // namespace

QIcon chartIcon(ChartIcon kind)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        icon.addPixmap(figure(kind, size, QColor(0x30, 0x30, 0x30)), QIcon::Normal);
        icon.addPixmap(figure(kind, size, QColor(0xa0, 0xa0, 0xa0)), QIcon::Disabled);
    }
    return icon;
}

} // namespace viewer
