// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace chartgen {

// Places a piece of the world (x east, y north, in any unit) north-up and centred in a page area
// (millimetres), at one scale for both axes.
class MapFrame {
public:
    MapFrame(const QRectF &world, const QRectF &page);

    QPointF toPage(QPointF world) const;
    QPolygonF toPage(const QPolygonF &world) const;
    double scale() const { return m_scale; } // millimetres per world unit

private:
    QPointF m_worldCentre;
    QPointF m_pageCentre;
    double m_scale = 1;
};

// The unit vector of a heading (degrees clockwise from north) on the page, where y grows downwards.
QPointF pageDirection(double heading);
// The unit vector of a heading in the world, where y grows northwards.
QPointF worldDirection(double heading);

} // namespace chartgen
