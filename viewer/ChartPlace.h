// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageFit.h"

namespace viewer {

// Where a reader is in a chart: the page, how it is fitted or zoomed, how it is turned and whether the
// night colours are on. Both windows hand it on, so the chart keeps its place from one window to the other.
struct ChartPlace {
    int page = 0;
    ZoomMode zoomMode = ZoomMode::FitWidth;
    qreal customScale = PixelsPerPoint; // logical pixels per point, for ZoomMode::Custom
    int quarterTurns = 0;               // clockwise, 0 to 3
    bool night = false;

    friend bool operator==(const ChartPlace &, const ChartPlace &) = default;
};

} // namespace viewer
