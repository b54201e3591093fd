// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartGeoreference.h"

#include "Geodesy.h"

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/TransverseMercator.hpp>

#include <cmath>
#include <numbers>

namespace georef {

namespace {

constexpr double MetresPerPoint = 0.0254 / 72;
// Closer than this on the page, a click that misses by a pixel turns the chart by degrees.
constexpr double ClosePagePoints = 144; // two inches
constexpr double CloseMetres = 300;
// Airport diagrams are drawn at some 1:5,000 to 1:30,000, plan views and area charts at up to 1:1,000,000.
constexpr double LargestScale = 1000;
constexpr double SmallestScale = 2000000;
// How far along a direction it is measured on the page.
constexpr double DirectionMetres = 100;

const GeographicLib::TransverseMercator &projection()
{
    static const GeographicLib::TransverseMercator mercator(GeographicLib::Constants::WGS84_a(),
                                                            GeographicLib::Constants::WGS84_f(), 1);
    return mercator;
}

std::complex<double> pageComplex(const QPointF &point)
{
    return {point.x(), point.y()};
}

} // namespace

ChartGeoreference::ChartGeoreference(const ReferencePoint &first, const ReferencePoint &second,
                                     double centralMeridian, Complex origin)
    : m_first(first)
    , m_second(second)
    , m_centralMeridian(centralMeridian)
    , m_origin(origin)
{}

std::optional<ChartGeoreference> ChartGeoreference::fromPoints(const ReferencePoint &first,
                                                               const ReferencePoint &second)
{
    // The projection is centred on the point halfway between the two.
    const airportdata::Course way = airportdata::courseBetween(first.position, second.position);
    const airportdata::GeoPosition middle = airportdata::travel(
        first.position, way.bearing, airportdata::Length::metres(way.distance.inMetres() / 2));
    double easting = 0;
    double northing = 0;
    projection().Forward(middle.longitude(), middle.latitude(), middle.longitude(), easting, northing);
    ChartGeoreference georeference(first, second, middle.longitude(), {easting, -northing});
    const Complex ground = georeference.projected(second.position) - georeference.projected(first.position);
    const Complex page = pageComplex(second.page) - pageComplex(first.page);
    if (std::abs(ground) < 1e-3 || std::abs(page) < 1e-6)
        return std::nullopt;
    georeference.m_scaleTurn = page / ground;
    georeference.m_offset =
        pageComplex(first.page) - georeference.m_scaleTurn * georeference.projected(first.position);
    return georeference;
}

ChartGeoreference::Complex ChartGeoreference::projected(const airportdata::GeoPosition &position) const
{
    double easting = 0;
    double northing = 0;
    projection().Forward(m_centralMeridian, position.latitude(), position.longitude(), easting, northing);
    return Complex(easting, -northing) - m_origin;
}

QPointF ChartGeoreference::pageOf(const airportdata::GeoPosition &position) const
{
    const Complex page = m_scaleTurn * projected(position) + m_offset;
    return {page.real(), page.imag()};
}

airportdata::GeoPosition ChartGeoreference::positionOf(const QPointF &page) const
{
    const Complex ground = (pageComplex(page) - m_offset) / m_scaleTurn + m_origin;
    double latitude = 0;
    double longitude = 0;
    projection().Reverse(m_centralMeridian, ground.real(), -ground.imag(), latitude, longitude);
    return *airportdata::GeoPosition::fromDegrees(latitude, longitude);
}

double ChartGeoreference::pageDirection(const airportdata::GeoPosition &at,
                                        airportdata::Bearing bearing) const
{
    const QPointF from = pageOf(at);
    const QPointF to = pageOf(airportdata::travel(at, bearing, airportdata::Length::metres(DirectionMetres)));
    // Clockwise from up: the page's y runs down.
    const double degrees = std::atan2(to.x() - from.x(), from.y() - to.y()) * 180 / std::numbers::pi;
    return airportdata::Bearing::degreesTrue(degrees).inDegrees();
}

double ChartGeoreference::scaleDenominator() const
{
    return 1 / (std::abs(m_scaleTurn) * MetresPerPoint);
}

bool ChartGeoreference::pointsAreClose(const ReferencePoint &first, const ReferencePoint &second)
{
    return std::abs(pageComplex(second.page) - pageComplex(first.page)) < ClosePagePoints ||
           airportdata::courseBetween(first.position, second.position).distance.inMetres() < CloseMetres;
}

bool ChartGeoreference::scaleIsUnlikely() const
{
    const double scale = scaleDenominator();
    return scale < LargestScale || scale > SmallestScale;
}

} // namespace georef
