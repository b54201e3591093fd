// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFrame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace chartgen {

MapFrame::MapFrame(const QRectF &world, const QRectF &page)
    : m_worldCentre(world.center())
    , m_pageCentre(page.center())
{
    const double width = std::max(world.width(), 1e-9);
    const double height = std::max(world.height(), 1e-9);
    m_scale = std::min(page.width() / width, page.height() / height);
}

QPointF MapFrame::toPage(QPointF world) const
{
    const QPointF offset = world - m_worldCentre;
    return m_pageCentre + QPointF(offset.x() * m_scale, -offset.y() * m_scale);
}

QPolygonF MapFrame::toPage(const QPolygonF &world) const
{
    QPolygonF page;
    for (const QPointF &point : world)
        page.append(toPage(point));
    return page;
}

QPointF pageDirection(double heading)
{
    const double radians = heading * std::numbers::pi / 180;
    return {std::sin(radians), -std::cos(radians)};
}

QPointF worldDirection(double heading)
{
    const double radians = heading * std::numbers::pi / 180;
    return {std::sin(radians), std::cos(radians)};
}

} // namespace chartgen
