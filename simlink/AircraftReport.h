// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoValues.h"

#include <optional>

namespace simlink {

// What one datagram of a simulator says about the aircraft. A position report carries the position and
// whatever else its format gives; an attitude report carries only the heading.
struct AircraftReport {
    std::optional<airportdata::GeoPosition> position;
    std::optional<airportdata::Length> altitude; // above mean sea level
    std::optional<airportdata::Bearing> track;   // over the ground, true
    std::optional<airportdata::Speed> groundSpeed;
    std::optional<airportdata::Bearing> heading; // where the nose points, true
};

// Why a datagram was ignored.
enum class Rejection {
    None,
    TooLong,     // over the largest datagram a simulator sends
    Unknown,     // not a record of the port's format
    Malformed,   // a record of the format, but with fields missing or not numbers
    OutOfRange,  // a value that is not finite or lies outside what it can be
    BadChecksum, // an NMEA sentence whose checksum does not match
    NoFix,       // an NMEA sentence that says the receiver has no position
};

// A report, or why there is none.
struct ParsedDatagram {
    std::optional<AircraftReport> report;
    Rejection rejection = Rejection::None;

    static ParsedDatagram rejected(Rejection why) { return {std::nullopt, why}; }
};

} // namespace simlink
