// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoValues.h"

#include <QPointF>

#include <complex>
#include <optional>

namespace georef {

// A point of a chart's page with the place on the earth it shows. Page points are in PDF points (1/72 inch)
// from the top-left corner of the page as it is printed, unrotated.
struct ReferencePoint {
    QPointF page;
    airportdata::GeoPosition position;

    friend bool operator==(const ReferencePoint &, const ReferencePoint &) = default;
};

// Where places lie on a chart drawn to scale (an airport diagram, a plan view), from two points of it: a
// scale, a rotation and an offset between the page and a transverse Mercator projection of the ellipsoid
// centred between the two points, which keeps true distances and angles across an airport.
class ChartGeoreference {
public:
    // Nothing when the two points are one on the page or on the earth.
    static std::optional<ChartGeoreference> fromPoints(const ReferencePoint &first,
                                                       const ReferencePoint &second);

    const ReferencePoint &first() const { return m_first; }
    const ReferencePoint &second() const { return m_second; }

    QPointF pageOf(const airportdata::GeoPosition &position) const;
    airportdata::GeoPosition positionOf(const QPointF &page) const;
    // The direction on the page, in degrees clockwise from the page's up, of a direction over the ground at a
    // place.
    double pageDirection(const airportdata::GeoPosition &at, airportdata::Bearing bearing) const;
    // The chart's scale: how many metres on the ground one metre of paper shows (the N of 1:N).
    double scaleDenominator() const;

    // Reasons to doubt two points: close to each other on the page (a click's error weighs much), or a scale
    // that no airport chart has (a coordinate mistyped).
    static bool pointsAreClose(const ReferencePoint &first, const ReferencePoint &second);
    bool scaleIsUnlikely() const;

private:
    using Complex = std::complex<double>;

    ChartGeoreference(const ReferencePoint &first, const ReferencePoint &second, double centralMeridian,
                      Complex origin);
    // On the projection, from its origin, east to the right and south down, as the page runs.
    Complex projected(const airportdata::GeoPosition &position) const;

    ReferencePoint m_first;
    ReferencePoint m_second;
    double m_centralMeridian;
    Complex m_origin;       // the projection's easting and northing of the point between the two
    Complex m_scaleTurn{1}; // page = m_scaleTurn * projected + m_offset
    Complex m_offset;
};

} // namespace georef
