// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MapFrame.h"
#include "RunwayLayout.h"
#include "Sheet.h"

#include <QList>

namespace chartgen {

enum class RunwayLabels { None, Designators, DesignatorsAndLengths };

// Draws runway strips (laid out in metres) on a map whose world unit is the given number of metres: the paved
// strip, its centre line and threshold bars, and as asked the designators beyond both ends and the length.
void drawRunwayStrips(Sheet &sheet, const MapFrame &map, const QList<RunwayStrip> &strips,
                      double metresPerUnit, RunwayLabels labels);

// The angle (degrees, clockwise) that turns text to run along a heading and still read left to right.
double readableAngle(double heading);

} // namespace chartgen
