// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkGpsParser.h"

#include "DatagramFields.h"

#include <QList>

namespace simlink {

namespace {

constexpr QByteArrayView PositionTag("XGPS");
constexpr QByteArrayView AttitudeTag("XATT");
constexpr qsizetype PositionFields = 6; // the simulator's name, then five values
constexpr qsizetype AttitudeFields = 4; // the simulator's name, then at least three values

struct Range {
    double low;
    double high;
};
constexpr Range Longitude{-180, 180};
constexpr Range Latitude{-90, 90};
constexpr Range AltitudeMetres{-1000, 60000};
constexpr Range Direction{0, 360};
constexpr Range GroundSpeed{0, 1500};
constexpr Range Pitch{-90, 90};
constexpr Range Roll{-180, 180};

// Reads the values of fields 1 onwards against their ranges; the first problem met is the rejection.
template <std::size_t N>
Rejection readValues(const QList<QByteArrayView> &fields, const Range (&ranges)[N], double (&values)[N])
{
    Rejection rejection = Rejection::None;
    for (std::size_t i = 0; i < N; ++i) {
        const BoundedNumber number = boundedNumber(fields[qsizetype(i) + 1], ranges[i].low, ranges[i].high);
        if (number.status == BoundedNumber::Status::NotANumber)
            return Rejection::Malformed;
        if (number.status == BoundedNumber::Status::OutOfRange)
            rejection = Rejection::OutOfRange;
        values[i] = number.value;
    }
    return rejection;
}

ParsedDatagram positionReport(const QList<QByteArrayView> &fields)
{
    if (fields.size() != PositionFields)
        return ParsedDatagram::rejected(Rejection::Malformed);
    double values[5];
    const Rejection rejection =
        readValues(fields, {Longitude, Latitude, AltitudeMetres, Direction, GroundSpeed}, values);
    if (rejection != Rejection::None)
        return ParsedDatagram::rejected(rejection);
    AircraftReport report;
    report.position = airportdata::GeoPosition::fromDegrees(values[1], values[0]);
    report.altitude = airportdata::Length::metres(values[2]);
    report.track = airportdata::Bearing::degreesTrue(values[3]);
    report.groundSpeed = airportdata::Speed::metresPerSecond(values[4]);
    return {report, Rejection::None};
}

ParsedDatagram attitudeReport(const QList<QByteArrayView> &fields)
{
    if (fields.size() < AttitudeFields)
        return ParsedDatagram::rejected(Rejection::Malformed);
    double values[3];
    const Rejection rejection = readValues(fields, {Direction, Pitch, Roll}, values);
    if (rejection != Rejection::None)
        return ParsedDatagram::rejected(rejection);
    AircraftReport report;
    report.heading = airportdata::Bearing::degreesTrue(values[0]);
    return {report, Rejection::None};
}

} // namespace

ParsedDatagram parseNetworkGps(QByteArrayView datagram)
{
    if (datagram.endsWith('\n'))
        datagram.chop(1);
    if (datagram.endsWith('\r'))
        datagram.chop(1);
    if (datagram.contains('\n') || datagram.contains('\r'))
        return ParsedDatagram::rejected(Rejection::Malformed);
    const QList<QByteArrayView> fields = splitAtCommas(datagram);
    if (datagram.startsWith(PositionTag))
        return positionReport(fields);
    if (datagram.startsWith(AttitudeTag))
        return attitudeReport(fields);
    return ParsedDatagram::rejected(Rejection::Unknown);
}

} // namespace simlink
