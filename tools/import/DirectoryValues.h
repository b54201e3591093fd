#pragma once

#include <QString>

namespace import {

// Values written the way the airport directory shows them. Angles are rounded to the nearest second,
// lengths and heights to whole units.

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
