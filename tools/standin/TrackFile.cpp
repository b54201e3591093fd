// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackFile.h"

#include "Geodesy.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr int Columns = 6;

std::optional<TrackPoint> pointOf(const QString &line)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList columns = line.trimmed().split(separators);
    if (columns.size() != Columns)
        return std::nullopt;
    double values[Columns];
    for (int i = 0; i < Columns; ++i) {
        bool ok = false;
        values[i] = columns[i].toDouble(&ok);
        if (!ok || !std::isfinite(values[i]))
            return std::nullopt;
    }
    const std::optional<airportdata::GeoPosition> position =
        airportdata::GeoPosition::fromDegrees(values[1], values[2]);
    if (!position || values[5] < 0)
        return std::nullopt;
    return TrackPoint{values[0], *position, airportdata::Length::feet(values[3]),
                      airportdata::Bearing::degreesTrue(values[4]), airportdata::Speed::knots(values[5])};
}

double between(double from, double to, double share)
{
    return from + (to - from) * share;
}

// The shorter way round from one direction to the other.
airportdata::Bearing turned(airportdata::Bearing from, airportdata::Bearing to, double share)
{
    const double turn = std::remainder(to.inDegrees() - from.inDegrees(), 360.0);
    return airportdata::Bearing::degreesTrue(from.inDegrees() + turn * share);
}

} // namespace

TrackReading readTrackFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {{}, QStringLiteral("%1: %2").arg(fileName, file.errorString())};
    TrackReading reading;
    for (int number = 1; !file.atEnd(); ++number) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const std::optional<TrackPoint> point = pointOf(line);
        if (!point || (!reading.points.isEmpty() && point->seconds <= reading.points.last().seconds))
            return {{},
                    QStringLiteral("%1:%2: not a point of a track: %3").arg(fileName).arg(number).arg(line)};
        reading.points.append(*point);
    }
    if (reading.points.isEmpty())
        reading.error = QStringLiteral("%1: no point").arg(fileName);
    return reading;
}

TrackPoint pointAt(const QList<TrackPoint> &track, double seconds)
{
    if (seconds <= track.first().seconds)
        return track.first();
    for (qsizetype i = 1; i < track.size(); ++i) {
        const TrackPoint &from = track[i - 1];
        const TrackPoint &to = track[i];
        if (seconds > to.seconds)
            continue;
        const double share = (seconds - from.seconds) / (to.seconds - from.seconds);
        const airportdata::Course way = airportdata::courseBetween(from.position, to.position);
        return {seconds,
                airportdata::travel(from.position, way.bearing,
                                    airportdata::Length::metres(way.distance.inMetres() * share)),
                airportdata::Length::metres(between(from.altitude.inMetres(), to.altitude.inMetres(), share)),
                turned(from.track, to.track, share),
                airportdata::Speed::metresPerSecond(between(from.groundSpeed.inMetresPerSecond(),
                                                            to.groundSpeed.inMetresPerSecond(), share))};
    }
    return track.last();
}
