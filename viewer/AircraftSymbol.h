// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>

#include <optional>

class QPainter;

namespace viewer {

// The aircraft as the chart shows it: an arrowhead pointing along its track (a ring when the direction is
// not known), magenta with a dark outline and a light rim, so that it stands out on black-and-white charts in
// day and night colours; grey once the simulator has fallen silent. Sizes are in logical pixels, whatever the
// zoom.
namespace AircraftSymbol {

// The pixels the symbol may cover around its centre.
QRectF bounds(QPointF centre);
// direction: degrees clockwise from the top of the screen.
void draw(QPainter &painter, QPointF centre, std::optional<qreal> direction, bool stale);

} // namespace AircraftSymbol

} // namespace viewer
