// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunwayDrawing.h"

#include <algorithm>
#include <cmath>

namespace chartgen {

namespace {

QPolygonF stripOutline(QPointF from, QPointF to, double halfWidth)
{
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF side = length > 0 ? QPointF(-along.y(), along.x()) / length * halfWidth : QPointF();
    return {from + side, to + side, to - side, from - side};
}

void drawDesignator(Sheet &sheet, QPointF at, const QString &designator)
{
    const TextStyle style{8, true, Qt::black, Qt::AlignCenter};
    const double width = sheet.textWidth(designator, style) + 1.6;
    const QRectF box(at - QPointF(width / 2, 2.2), QSizeF(width, 4.4));
    sheet.pen(0.25);
    sheet.brush(Qt::white);
    sheet.painter().drawRect(box);
    sheet.text(box, designator, style);
}

} // namespace

double readableAngle(double heading)
{
    double angle = std::fmod(heading - 90 + 360, 180.0);
    if (angle > 90)
        angle -= 180;
    return angle;
}

void drawRunwayStrips(Sheet &sheet, const MapFrame &map, const QList<RunwayStrip> &strips,
                      double metresPerUnit, RunwayLabels labels)
{
    for (const RunwayStrip &strip : strips) {
        const QPointF from = map.toPage(strip.axis.p1() / metresPerUnit);
        const QPointF to = map.toPage(strip.axis.p2() / metresPerUnit);
        const double halfWidth = std::max(strip.first.width / metresPerUnit * map.scale() / 2, 0.7);
        const QPointF along = pageDirection(strip.first.heading);
        const QPointF side(-along.y(), along.x());

        sheet.pen(0.2);
        sheet.brush(QColor(60, 60, 60));
        sheet.painter().drawPolygon(stripOutline(from, to, halfWidth));
        if (halfWidth > 1.2) {
            sheet.pen(0.15, Qt::white, Qt::DashLine);
            sheet.painter().drawLine(from + along * 1.5, to - along * 1.5);
            sheet.pen(0.15, Qt::white);
            for (double s : {-0.6, -0.3, 0.3, 0.6}) {
                sheet.painter().drawLine(from + side * halfWidth * s + along * 0.3,
                                         from + side * halfWidth * s + along * 1.1);
                sheet.painter().drawLine(to + side * halfWidth * s - along * 0.3,
                                         to + side * halfWidth * s - along * 1.1);
            }
        }
        if (labels == RunwayLabels::None)
            continue;
        drawDesignator(sheet, from - along * 4.5, strip.first.designator);
        drawDesignator(sheet, to + along * 4.5, strip.secondDesignator);
        if (labels == RunwayLabels::DesignatorsAndLengths) {
            const QString label =
                QStringLiteral("%1 x %2 M").arg(qRound(strip.first.length)).arg(qRound(strip.first.width));
            sheet.turnedText(from + (to - from) * 0.3 + side * (halfWidth + 2.2),
                             readableAngle(strip.first.heading), label, {6.5, true});
        }
    }
}

} // namespace chartgen
