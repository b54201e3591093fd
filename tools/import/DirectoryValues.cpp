// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryValues.h"

#include <cmath>

namespace import {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kLargest = 1e9;

bool writable(double value)
{
    return std::isfinite(value) && std::abs(value) <= kLargest;
}

QString angleText(double degrees, char positive, char negative, int degreeDigits)
{
    if (!writable(degrees))
        return {};
    const auto seconds = std::llround(std::abs(degrees) * 3600);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(QLatin1Char(degrees < 0 && seconds != 0 ? negative : positive))
        .arg(seconds / 3600, degreeDigits, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString longitudeText(double degrees)
{
    return angleText(degrees, 'E', 'W', 3);
}

QString latitudeText(double degrees)
{
    return angleText(degrees, 'N', 'S', 2);
}

QString feetText(double feet)
{
    if (!writable(feet))
        return {};
    return QString::number(std::llround(feet)) + QStringLiteral(" FT");
}

QString metresText(double feet)
{
    if (!writable(feet))
        return {};
    return QString::number(std::llround(feet * kMetresPerFoot)) + QStringLiteral(" M");
}

QString frequencyText(double megahertz)
{
    if (!writable(megahertz))
        return {};
    return QString::number(megahertz, 'f', 2);
}

QString courseText(double degrees)
{
    if (!writable(degrees))
        return {};
    auto course = std::llround(degrees) % 360;
    if (course <= 0)
        course += 360;
    return QStringLiteral("%1").arg(course, 3, 10, QLatin1Char('0'));
}

} // namespace import
