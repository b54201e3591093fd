// SPDX-License-Identifier: GPL-3.0-or-later
#include "AircraftSymbol.h"

#include <QPainter>
#include <QPainterPath>

namespace viewer::AircraftSymbol {

namespace {

// Half the arrowhead's length; its rim and outline reach a little beyond.
constexpr qreal HalfLength = 13;
constexpr qreal Reach = HalfLength + 4;
constexpr qreal RingRadius = 7;
const QColor Live(0xe0, 0x00, 0xe0);
const QColor Stale(0x9a, 0x9a, 0x9a);
const QColor Outline(0x20, 0x20, 0x20);
const QColor Rim(0xff, 0xff, 0xff);

QPainterPath arrowhead()
{
    QPainterPath path;
    path.moveTo(0, -HalfLength);
    path.lineTo(9, HalfLength - 2);
    path.lineTo(0, HalfLength - 7);
    path.lineTo(-9, HalfLength - 2);
    path.closeSubpath();
    return path;
}

} // namespace

QRectF bounds(QPointF centre)
{
    return {centre - QPointF(Reach, Reach), QSizeF(2 * Reach, 2 * Reach)};
}

void draw(QPainter &painter, QPointF centre, std::optional<qreal> direction, bool stale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    QPainterPath shape;
    if (direction) {
        painter.rotate(*direction);
        shape = arrowhead();
    } else {
        shape.addEllipse(QPointF(), RingRadius, RingRadius);
    }
    painter.strokePath(shape, QPen(Rim, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setPen(QPen(Outline, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(stale ? Stale : Live);
    painter.drawPath(shape);
    painter.restore();
}

} // namespace viewer::AircraftSymbol
