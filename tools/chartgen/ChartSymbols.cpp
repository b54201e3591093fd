// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartSymbols.h"

#include "MapFrame.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace chartgen {

namespace {

const QColor navaidBlue(0, 80, 160);
const QColor shading(225, 225, 225);

QPointF normalised(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF(0, -1);
}

} // namespace

namespace symbols {

void vor(Sheet &sheet, QPointF at, bool withRose)
{
    QPainter &p = sheet.painter();
    if (withRose) {
        sheet.pen(0.2, navaidBlue);
        sheet.noBrush();
        p.drawEllipse(at, 9, 9);
        for (int degrees = 0; degrees < 360; degrees += 10) {
            const QPointF d = pageDirection(degrees);
            p.drawLine(at + d * (degrees % 30 == 0 ? 7.6 : 8.3), at + d * 9);
        }
        sheet.pen(0.35, navaidBlue);
        p.drawLine(at + pageDirection(0) * 9, at + pageDirection(0) * 11);
    }
    QPolygonF hexagon;
    for (int corner = 0; corner < 6; ++corner)
        hexagon << at + pageDirection(30 + 60 * corner) * 2.2;
    sheet.pen(0.35, navaidBlue);
    sheet.brush(Qt::white);
    p.drawRect(QRectF(at - QPointF(2.6, 2.3), QSizeF(5.2, 4.6))); // the DME box around the VOR hexagon
    p.drawPolygon(hexagon);
    sheet.brush(navaidBlue);
    p.drawEllipse(at, 0.45, 0.45);
}

void fix(Sheet &sheet, QPointF at, bool compulsory)
{
    const QPolygonF triangle{at + QPointF(0, -1.9), at + QPointF(1.7, 1.1), at + QPointF(-1.7, 1.1)};
    sheet.pen(0.3);
    sheet.brush(compulsory ? Qt::black : Qt::white);
    sheet.painter().drawPolygon(triangle);
}

void finalApproachFix(Sheet &sheet, QPointF at)
{
    QPolygonF cross;
    for (int arm = 0; arm < 4; ++arm) {
        const double a = arm * std::numbers::pi / 2;
        const QPointF out(std::cos(a), std::sin(a));
        const QPointF side(-out.y(), out.x());
        cross << at + out * 0.5 + side * 0.5 << at + out * 2.2 + side * 1.3 << at + out * 2.2 - side * 1.3
              << at + out * 0.5 - side * 0.5;
    }
    sheet.noPen();
    sheet.brush(Qt::black);
    sheet.painter().drawPolygon(cross);
}

void arrowHead(Sheet &sheet, QPointF tip, QPointF direction, double size)
{
    const QPointF d = normalised(direction);
    const QPointF side(-d.y(), d.x());
    const QPolygonF head{tip, tip - d * size + side * size * 0.35, tip - d * size - side * size * 0.35};
    sheet.noPen();
    sheet.brush(Qt::black);
    sheet.painter().drawPolygon(head);
}

void track(Sheet &sheet, QPointF from, QPointF to, double width, Qt::PenStyle style)
{
    sheet.pen(width, Qt::black, style);
    sheet.painter().drawLine(from, to);
    arrowHead(sheet, from + (to - from) * 0.55, to - from);
}

void northArrow(Sheet &sheet, QPointF top, double height)
{
    const QPolygonF left{top, top + QPointF(-height * 0.22, height), top + QPointF(0, height * 0.78)};
    const QPolygonF right{top, top + QPointF(height * 0.22, height), top + QPointF(0, height * 0.78)};
    sheet.pen(0.25);
    sheet.brush(Qt::black);
    sheet.painter().drawPolygon(left);
    sheet.brush(Qt::white);
    sheet.painter().drawPolygon(right);
    sheet.text(QRectF(top.x() - 4, top.y() - 6, 8, 5), QStringLiteral("N"),
               {9, true, Qt::black, Qt::AlignCenter});
}

void scaleBar(Sheet &sheet, QPointF left, double mmPerUnit, double stepUnits, const QString &unit)
{
    const double step = stepUnits * mmPerUnit;
    QPainter &p = sheet.painter();
    sheet.pen(0.25);
    for (int i = 0; i < 4; ++i) {
        sheet.brush(i % 2 == 0 ? Qt::black : Qt::white);
        p.drawRect(QRectF(left + QPointF(i * step, 0), QSizeF(step, 1.2)));
    }
    for (int i = 0; i <= 4; i += 2) {
        const QString label = QString::number(i * stepUnits) + (i == 4 ? QLatin1Char(' ') + unit : QString());
        sheet.text(QRectF(left.x() + i * step - 10, left.y() + 1.4, 20, 4), label,
                   {6, false, Qt::black, Qt::AlignCenter});
    }
}

void holding(Sheet &sheet, QPointF fix, double inboundHeading, double legMm, bool leftTurns)
{
    const QPointF in = pageDirection(inboundHeading);
    const QPointF side = pageDirection(inboundHeading + (leftTurns ? -90 : 90));
    const double width = legMm * 0.4;
    const QPointF start = fix - in * legMm;
    QPainterPath path(start);
    path.lineTo(fix);
    path.cubicTo(fix + in * width * 0.7, fix + in * width * 0.7 + side * width, fix + side * width);
    path.lineTo(start + side * width);
    path.cubicTo(start + side * width - in * width * 0.7, start - in * width * 0.7, start);
    sheet.pen(0.35);
    sheet.noBrush();
    sheet.painter().drawPath(path);
    arrowHead(sheet, fix - in * legMm * 0.4, in);
    arrowHead(sheet, start + side * width + in * legMm * 0.4, -in);
}

void obstacle(Sheet &sheet, QPointF base, double height, bool lit)
{
    const QPolygonF shape{base + QPointF(-1.2, 0), base + QPointF(0, -height), base + QPointF(1.2, 0)};
    sheet.pen(0.3);
    sheet.noBrush();
    sheet.painter().drawPolyline(shape);
    sheet.brush(Qt::black);
    sheet.painter().drawEllipse(base, 0.35, 0.35);
    if (lit) {
        sheet.pen(0.2);
        for (int ray = -1; ray <= 1; ++ray) {
            const QPointF d = pageDirection(ray * 40);
            sheet.painter().drawLine(base + QPointF(0, -height) + d * 0.6,
                                     base + QPointF(0, -height) + d * 1.6);
        }
    }
}

QRectF boxedNote(Sheet &sheet, QPointF topLeft, const QStringList &lines, const TextStyle &style)
{
    double width = 0;
    for (const QString &line : lines)
        width = std::max(width, sheet.textWidth(line, style));
    const double lineHeight = style.points * 0.48;
    const QRectF box(topLeft, QSizeF(width + 2.4, lineHeight * lines.size() + 1.2));
    sheet.pen(0.2, style.colour);
    sheet.brush(Qt::white);
    sheet.painter().drawRect(box);
    for (qsizetype i = 0; i < lines.size(); ++i)
        sheet.text(QRectF(topLeft.x() + 1.2, topLeft.y() + 0.6 + i * lineHeight, width + 1, lineHeight),
                   lines[i], style);
    return box;
}

} // namespace symbols

double drawTable(Sheet &sheet, QPointF topLeft, const Table &table)
{
    double width = 0;
    for (double w : table.widths)
        width += w;
    QPainter &p = sheet.painter();
    sheet.noPen();
    sheet.brush(shading);
    p.drawRect(QRectF(topLeft, QSizeF(width, table.rowHeight)));

    QList<QStringList> rows{table.heading};
    rows.append(table.rows);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        double x = topLeft.x();
        const double y = topLeft.y() + r * table.rowHeight;
        for (qsizetype c = 0; c < table.widths.size() && c < rows[r].size(); ++c) {
            sheet.text(QRectF(x + 1, y, table.widths[c] - 2, table.rowHeight), rows[r][c],
                       {table.points, r == 0, Qt::black, Qt::AlignCenter | Qt::TextWordWrap});
            x += table.widths[c];
        }
    }
    const double bottom = topLeft.y() + rows.size() * table.rowHeight;
    sheet.pen(0.25);
    sheet.noBrush();
    p.drawRect(QRectF(topLeft, QPointF(topLeft.x() + width, bottom)));
    for (qsizetype r = 1; r < rows.size(); ++r)
        p.drawLine(QPointF(topLeft.x(), topLeft.y() + r * table.rowHeight),
                   QPointF(topLeft.x() + width, topLeft.y() + r * table.rowHeight));
    double x = topLeft.x();
    for (qsizetype c = 0; c + 1 < table.widths.size(); ++c) {
        x += table.widths[c];
        p.drawLine(QPointF(x, topLeft.y()), QPointF(x, bottom));
    }
    return bottom;
}

double drawSectionTitle(Sheet &sheet, QPointF topLeft, double width, const QString &title)
{
    const QRectF bar(topLeft, QSizeF(width, sectionTitleHeight));
    sheet.pen(0.25);
    sheet.brush(QColor(40, 60, 100));
    sheet.painter().drawRect(bar);
    sheet.text(bar.adjusted(2, 0, -2, 0), title, {8, true, Qt::white});
    return bar.bottom();
}

double drawParagraph(Sheet &sheet, const QRectF &box, const QString &text, double points)
{
    const TextStyle style{points, false, Qt::black, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap};
    const double height = sheet.wrappedHeight(text, box.width(), style);
    sheet.text(QRectF(box.topLeft(), QSizeF(box.width(), height + 1)), text, style);
    return box.top() + height;
}

} // namespace chartgen
