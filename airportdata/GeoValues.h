// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace airportdata {

// A length, kept in metres; made from and read in the units pilots and simulators use.
class Length {
public:
    constexpr Length() = default;
    static constexpr Length metres(double value) { return Length(value); }
    static constexpr Length feet(double value) { return Length(value * MetresPerFoot); }
    static constexpr Length nauticalMiles(double value) { return Length(value * MetresPerNauticalMile); }

    constexpr double inMetres() const { return m_metres; }
    constexpr double inFeet() const { return m_metres / MetresPerFoot; }
    constexpr double inNauticalMiles() const { return m_metres / MetresPerNauticalMile; }

    friend constexpr bool operator==(const Length &, const Length &) = default;
    friend constexpr bool operator<(const Length &a, const Length &b) { return a.m_metres < b.m_metres; }

private:
    static constexpr double MetresPerFoot = 0.3048;
    static constexpr double MetresPerNauticalMile = 1852.0;

    explicit constexpr Length(double metres)
        : m_metres(metres)
    {}

    double m_metres = 0;
};

// A speed over the ground, kept in metres a second.
class Speed {
public:
    constexpr Speed() = default;
    static constexpr Speed metresPerSecond(double value) { return Speed(value); }
    static constexpr Speed knots(double value) { return Speed(value * MetresPerSecondPerKnot); }

    constexpr double inMetresPerSecond() const { return m_metresPerSecond; }
    constexpr double inKnots() const { return m_metresPerSecond / MetresPerSecondPerKnot; }

    friend constexpr bool operator==(const Speed &, const Speed &) = default;
    friend constexpr bool operator<(const Speed &a, const Speed &b)
    {
        return a.m_metresPerSecond < b.m_metresPerSecond;
    }

private:
    static constexpr double MetresPerSecondPerKnot = 1852.0 / 3600.0;

    explicit constexpr Speed(double metresPerSecond)
        : m_metresPerSecond(metresPerSecond)
    {}

    double m_metresPerSecond = 0;
};

// A direction over the ground in degrees clockwise from true north, from 0 up to (not including) 360.
class Bearing {
public:
    constexpr Bearing() = default;
    // Any finite number of degrees, turned into 0 to 360.
    static Bearing degreesTrue(double degrees);

    constexpr double inDegrees() const { return m_degrees; }

    friend constexpr bool operator==(const Bearing &, const Bearing &) = default;

private:
    explicit constexpr Bearing(double degrees)
        : m_degrees(degrees)
    {}

    double m_degrees = 0;
};

// A place on the earth: latitude and longitude in degrees on the WGS 84 ellipsoid, north and east positive.
class GeoPosition {
public:
    constexpr GeoPosition() = default;
    // Nothing unless both are finite, the latitude within ±90° and the longitude within ±180°.
    static std::optional<GeoPosition> fromDegrees(double latitude, double longitude);

    constexpr double latitude() const { return m_latitude; }
    constexpr double longitude() const { return m_longitude; }

    friend constexpr bool operator==(const GeoPosition &, const GeoPosition &) = default;

private:
    constexpr GeoPosition(double latitude, double longitude)
        : m_latitude(latitude)
        , m_longitude(longitude)
    {}

    double m_latitude = 0;
    double m_longitude = 0;
};

// The way from one place to another along the shortest line on the ellipsoid: its length and the bearing
// it starts on.
struct Course {
    Length distance;
    Bearing bearing;
};

} // namespace airportdata
