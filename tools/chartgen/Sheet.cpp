// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheet.h"

#include <QFontMetricsF>

namespace chartgen {

Sheet::Sheet(QPainter &painter, double unitsPerMm)
    : m_painter(painter)
    , m_unitsPerMm(unitsPerMm)
{
    m_painter.resetTransform();
    m_painter.scale(unitsPerMm, unitsPerMm);
    m_painter.setRenderHint(QPainter::Antialiasing);
}

void Sheet::pen(double widthMm, const QColor &colour, Qt::PenStyle style)
{
    QPen pen(colour, widthMm, style, Qt::FlatCap, Qt::MiterJoin);
    m_painter.setPen(pen);
}

QFont Sheet::font(const TextStyle &style) const
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(style.points);
    font.setBold(style.bold);
    return font;
}

void Sheet::text(const QRectF &box, const QString &text, const TextStyle &style)
{
    m_painter.save();
    m_painter.scale(1 / m_unitsPerMm, 1 / m_unitsPerMm);
    m_painter.setFont(font(style));
    m_painter.setPen(style.colour);
    const QRectF deviceBox(box.topLeft() * m_unitsPerMm, box.size() * m_unitsPerMm);
    m_painter.drawText(deviceBox, style.flags, text);
    m_painter.restore();
}

void Sheet::turnedText(QPointF centre, double angle, const QString &text, const TextStyle &style)
{
    m_painter.save();
    m_painter.translate(centre);
    m_painter.rotate(angle);
    const double width = textWidth(text, style) + 2;
    TextStyle centred = style;
    centred.flags = Qt::AlignCenter;
    this->text(QRectF(-width / 2, -5, width, 10), text, centred);
    m_painter.restore();
}

double Sheet::textWidth(const QString &text, const TextStyle &style) const
{
    const QFontMetricsF metrics(font(style), m_painter.device());
    return metrics.horizontalAdvance(text) / m_unitsPerMm;
}

double Sheet::wrappedHeight(const QString &text, double width, const TextStyle &style) const
{
    const QFontMetricsF metrics(font(style), m_painter.device());
    const QRectF deviceBox(0, 0, width * m_unitsPerMm, 1e7);
    return metrics.boundingRect(deviceBox, Qt::TextWordWrap, text).height() / m_unitsPerMm;
}

} // namespace chartgen
