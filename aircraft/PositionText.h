// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FeedState.h"
#include "GeoValues.h"

#include <QString>

#include <optional>

namespace aircraft {

// The position line: "N 42 21.7 W 071 00.5 · 1,250 FT · GS 142 KT · TRK 045° · 2.3 NM 230° KBOS", with
// what the simulator sends (altitude above mean sea level, ground speed, track true) and the way to the
// airport looked up (distance and bearing true) when there is one. Stale, the time of the last data, then the
// last position; "NO SIMULATOR" before any data; "SIMULATOR LINK OFF" when it is switched off.
QString positionLineText(const simlink::FeedState &state, const std::optional<airportdata::Course> &toAirport,
                         const QString &airportCode);

// A latitude and longitude as the line shows them, in degrees and minutes to a tenth: "N 42 21.7 W 071 00.5".
QString positionText(const airportdata::GeoPosition &position);

// Why the feed says what it says, beyond the position: ports that could not be listened on, a second
// simulator that is not followed. Empty when there is nothing to say.
QString feedNote(const simlink::FeedState &state);

} // namespace aircraft
