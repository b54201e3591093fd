// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geodesy.h"

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

namespace airportdata {

Bearing Bearing::degreesTrue(double degrees)
{
    const double turned = std::fmod(degrees, 360.0);
    const double positive = turned < 0 ? turned + 360.0 : turned;
    return Bearing(positive >= 360.0 ? 0.0 : positive);
}

std::optional<GeoPosition> GeoPosition::fromDegrees(double latitude, double longitude)
{
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::abs(latitude) > 90 ||
        std::abs(longitude) > 180)
        return std::nullopt;
    return GeoPosition(latitude, longitude);
}

Course courseBetween(const GeoPosition &from, const GeoPosition &to)
{
    double metres = 0;
    double startAzimuth = 0;
    double endAzimuth = 0;
    GeographicLib::Geodesic::WGS84().Inverse(from.latitude(), from.longitude(), to.latitude(), to.longitude(),
                                             metres, startAzimuth, endAzimuth);
    return {Length::metres(metres), Bearing::degreesTrue(startAzimuth)};
}

GeoPosition travel(const GeoPosition &from, Bearing bearing, Length distance)
{
    double latitude = 0;
    double longitude = 0;
    GeographicLib::Geodesic::WGS84().Direct(from.latitude(), from.longitude(), bearing.inDegrees(),
                                            distance.inMetres(), latitude, longitude);
    // GeographicLib keeps its results within range.
    return *GeoPosition::fromDegrees(latitude, longitude);
}

} // namespace airportdata
