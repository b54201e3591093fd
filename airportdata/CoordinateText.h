// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"
#include "GeoValues.h"

#include <QByteArrayView>
#include <QStringView>

#include <optional>

namespace airportdata {

enum class Axis { Latitude, Longitude };

// Reads one latitude or longitude as the directory and charts print it: degrees, optionally minutes and
// seconds, the last of them perhaps with a decimal fraction, parted by blanks or by the marks ° ' " (also
// º ′ ″ ’ ”), with the hemisphere letter (N or S, E or W) before or after, or else a sign:
// "N 42 21 43", "W 071 00.5", "E 012 14 20", "42°22'N", "N42 22.0", "-71.0167". Minutes and seconds must
// be below 60, and the whole within ±90° or ±180°. Returns degrees, north and east positive.
std::optional<double> readAngle(QStringView text, Axis axis);
// The same for text in bytes: plain ASCII read as it is, anything else decoded as a directory record.
std::optional<double> readAngle(QByteArrayView text, Axis axis);

// Reads a position as charts print it: a latitude and a longitude, each as readAngle takes it, parted by
// blanks or a comma: "42°22'N 71°01'W", "N42 22.0 W071 01.0", "42.3667 -71.0167". Without hemisphere
// letters the latitude comes first.
std::optional<GeoPosition> readPosition(QStringView text);

// The position of an airport record: its latitude and longitude fields. Nothing when either cannot be read.
std::optional<GeoPosition> recordPosition(const AirportRecord &record);

} // namespace airportdata
