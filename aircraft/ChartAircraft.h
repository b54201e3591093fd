// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftFix.h"
#include "FeedState.h"

namespace viewer {
class ChartViewer;
}

namespace aircraft {

class SimulatorLink;

// The aircraft as a chart viewer draws it: its last position with its track (else its heading), stale when
// the simulator has fallen silent; nothing before the first position or with the link switched off.
std::optional<viewer::AircraftFix> chartAircraft(const simlink::FeedState &state);

// Keeps the aircraft on the viewer's chart as the link hears of it, for as long as the viewer lives.
void showAircraftOnChart(SimulatorLink &link, viewer::ChartViewer *viewer);

} // namespace aircraft
