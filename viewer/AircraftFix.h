// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoValues.h"

#include <optional>

namespace viewer {

// Where the simulated aircraft is, as a chart shows it: its position, the direction it moves in (its track
// over the ground, else where its nose points; none when neither is known), and whether the simulator has
// fallen silent, the position being the last one heard.
struct AircraftFix {
    airportdata::GeoPosition position;
    std::optional<airportdata::Bearing> direction;
    bool stale = false;

    friend bool operator==(const AircraftFix &, const AircraftFix &) = default;
};

} // namespace viewer
