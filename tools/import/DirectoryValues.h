// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace import {

// The values a record can hold, each within what is true of airports on Earth. A value outside its range
// is no fact about an airport: readers check against these and leave it out, or refuse the file.
struct ValueRange {
    double lowest;
    double highest;

    bool contains(double value) const { return value >= lowest && value <= highest; }
};

inline constexpr ValueRange kLatitudeRange{-90, 90};
inline constexpr ValueRange kLongitudeRange{-180, 180};
// From the shore of the Dead Sea (-1,410 ft) to above the top of Everest (29,032 ft).
inline constexpr ValueRange kElevationFeetRange{-1500, 30000};
// Lengths and widths of runways; the longest, on a dry lake, is 39,000 ft.
inline constexpr ValueRange kRunwayFeetRange{0, 60000};
// Localizers send on 108.10 to 111.95 MHz.
inline constexpr ValueRange kLocalizerMegahertzRange{108, 112};
inline constexpr ValueRange kCourseDegreesRange{0, 360};

// Values written the way the airport directory shows them. Angles are rounded to the nearest second,
// lengths and heights to whole units. A value that is not finite or lies beyond a billion (no measure of an
// airport does) gives an empty text, never an overflowed number.

// "E 012 14 20", "W 071 00 30": hemisphere, degrees in three digits, minutes, seconds.
QString longitudeText(double degrees);
// "N 41 48 01", "S 33 56 46": hemisphere, degrees in two digits, minutes, seconds.
QString latitudeText(double degrees);
// An elevation in feet: "15 FT".
QString feetText(double feet);
// A length or width given in feet, in metres: "3050 M".
QString metresText(double feet);
// A localizer frequency in MHz with two decimals: "110.30".
QString frequencyText(double megahertz);
// A course in whole degrees, three digits, north as 360: "035".
QString courseText(double degrees);

} // namespace import
