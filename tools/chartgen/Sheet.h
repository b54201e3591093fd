// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

namespace chartgen {

struct TextStyle {
    double points = 7.5;
    bool bold = false;
    QColor colour = Qt::black;
    int flags = Qt::AlignLeft | Qt::AlignVCenter;
};

// A page being drawn, in millimetres from its top-left corner: the painter is scaled so that every shape is
// given in millimetres, and text is set at true point sizes whatever the scale.
class Sheet {
public:
    Sheet(QPainter &painter, double unitsPerMm);

    QPainter &painter() { return m_painter; }
    void pen(double widthMm, const QColor &colour = Qt::black, Qt::PenStyle style = Qt::SolidLine);
    void noPen() { m_painter.setPen(Qt::NoPen); }
    void brush(const QColor &colour) { m_painter.setBrush(colour); }
    void noBrush() { m_painter.setBrush(Qt::NoBrush); }

    void text(const QRectF &box, const QString &text, const TextStyle &style = {});
    // Text centred on a point and turned by the angle (degrees, clockwise), as along a runway or a track.
    void turnedText(QPointF centre, double angle, const QString &text, const TextStyle &style = {});
    double textWidth(const QString &text, const TextStyle &style) const;
    // Height of the text wrapped at blanks to the width.
    double wrappedHeight(const QString &text, double width, const TextStyle &style) const;

private:
    QFont font(const TextStyle &style) const;

    QPainter &m_painter;
    double m_unitsPerMm;
};

} // namespace chartgen
