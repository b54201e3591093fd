// SPDX-License-Identifier: GPL-3.0-or-later
#include "NmeaParser.h"

#include "DatagramFields.h"

#include <QList>

#include <charconv>

namespace simlink {

namespace {

constexpr qsizetype ChecksumLength = 3;   // "*" and two hexadecimal digits
constexpr qsizetype SentenceIdLength = 5; // talker (two letters) and type (three)
constexpr qsizetype RmcFields = 10;       // up to the date; magnetic variation and mode may follow
constexpr qsizetype GgaFields = 11;       // up to the altitude's unit; geoid and differential data may follow
constexpr double MinutesPerDegree = 60;
constexpr double MaxGroundSpeedKnots = 3000;
constexpr double MinAltitudeMetres = -1000;
constexpr double MaxAltitudeMetres = 60000;

// Reads NMEA fields into a report, remembering the first problem.
class SentenceReader {
public:
    Rejection rejection = Rejection::None;

    // "ddmm.mmmm" with "N"/"S", or "dddmm.mmmm" with "E"/"W".
    std::optional<double> angle(QByteArrayView value, QByteArrayView hemisphere, char positive, char negative,
                                double maxDegrees)
    {
        if (hemisphere != QByteArrayView(&positive, 1) && hemisphere != QByteArrayView(&negative, 1))
            return fail(Rejection::Malformed);
        const std::optional<double> number = bounded(value, 0, maxDegrees * 100);
        if (!number)
            return std::nullopt;
        const double degrees = double(qint64(*number / 100));
        const double minutes = *number - degrees * 100;
        if (minutes >= MinutesPerDegree || degrees + minutes / MinutesPerDegree > maxDegrees)
            return fail(Rejection::OutOfRange);
        const double angle = degrees + minutes / MinutesPerDegree;
        return hemisphere == QByteArrayView(&negative, 1) ? -angle : angle;
    }

    std::optional<airportdata::GeoPosition> position(const QList<QByteArrayView> &fields, qsizetype first)
    {
        const std::optional<double> latitude = angle(fields[first], fields[first + 1], 'N', 'S', 90);
        const std::optional<double> longitude = angle(fields[first + 2], fields[first + 3], 'E', 'W', 180);
        if (!latitude || !longitude)
            return std::nullopt;
        return airportdata::GeoPosition::fromDegrees(*latitude, *longitude);
    }

    std::optional<double> bounded(QByteArrayView field, double low, double high)
    {
        const BoundedNumber number = boundedNumber(field, low, high);
        if (number.status == BoundedNumber::Status::Ok)
            return number.value;
        return fail(number.status == BoundedNumber::Status::OutOfRange ? Rejection::OutOfRange
                                                                       : Rejection::Malformed);
    }

    std::nullopt_t fail(Rejection why)
    {
        if (rejection == Rejection::None)
            rejection = why;
        return std::nullopt;
    }

    bool refuse(Rejection why)
    {
        fail(why);
        return false;
    }

    // The sentence's fields between "$" and "*", when its checksum (the exclusive or of those bytes)
    // matches.
    std::optional<QList<QByteArrayView>> checkedFields(QByteArrayView line)
    {
        if (!line.startsWith('$') || line.size() < 1 + ChecksumLength ||
            line[line.size() - ChecksumLength] != '*')
            return fail(Rejection::Malformed);
        const QByteArrayView body = line.sliced(1, line.size() - 1 - ChecksumLength);
        quint8 sum = 0;
        for (const char c : body)
            sum ^= quint8(c);
        const QByteArrayView digits = line.last(2);
        unsigned stated = 0;
        const auto [end, error] = std::from_chars(digits.begin(), digits.end(), stated, 16);
        if (error != std::errc() || end != digits.end())
            return fail(Rejection::Malformed);
        if (stated != sum)
            return fail(Rejection::BadChecksum);
        return splitAtCommas(body);
    }
};

// $--RMC,time,status,lat,N/S,lon,E/W,speed kt,track true,date[,variation,E/W[,mode]]
bool readRmc(const QList<QByteArrayView> &fields, AircraftReport &report, SentenceReader &reader)
{
    if (fields.size() < RmcFields)
        return reader.refuse(Rejection::Malformed);
    if (fields[2] != "A")
        return reader.refuse(fields[2] == "V" ? Rejection::NoFix : Rejection::Malformed);
    const std::optional<airportdata::GeoPosition> position = reader.position(fields, 3);
    const std::optional<double> knots = reader.bounded(fields[7], 0, MaxGroundSpeedKnots);
    // The track is left empty by receivers that stand still.
    const bool noTrack = fields[8].trimmed().isEmpty();
    const std::optional<double> track = noTrack ? std::nullopt : reader.bounded(fields[8], 0, 360);
    if (!position || !knots || (!noTrack && !track))
        return false;
    report.position = position;
    report.groundSpeed = airportdata::Speed::knots(*knots);
    if (track)
        report.track = airportdata::Bearing::degreesTrue(*track);
    return true;
}

// $--GGA,time,lat,N/S,lon,E/W,quality,satellites,hdop,altitude,M[,geoid,M,age,station]
bool readGga(const QList<QByteArrayView> &fields, AircraftReport &report, SentenceReader &reader)
{
    if (fields.size() < GgaFields || fields[10] != "M")
        return reader.refuse(Rejection::Malformed);
    if (fields[6] == "0")
        return reader.refuse(Rejection::NoFix);
    const std::optional<airportdata::GeoPosition> position = reader.position(fields, 2);
    const std::optional<double> altitude = reader.bounded(fields[9], MinAltitudeMetres, MaxAltitudeMetres);
    if (!position || !altitude)
        return false;
    if (!report.position)
        report.position = position;
    report.altitude = airportdata::Length::metres(*altitude);
    return true;
}

} // namespace

ParsedDatagram parseNmea(QByteArrayView datagram)
{
    SentenceReader reader;
    QList<QList<QByteArrayView>> sentences;
    for (QByteArrayView rest = datagram; !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (std::optional<QList<QByteArrayView>> fields = reader.checkedFields(line))
            sentences.append(*fields);
    }
    const auto isType = [](const QList<QByteArrayView> &fields, QByteArrayView type) {
        return fields.first().size() == SentenceIdLength && fields.first().sliced(2) == type;
    };
    AircraftReport report;
    bool read = false;
    // RMC first: its position wins over GGA's whatever the order of the lines.
    for (const QList<QByteArrayView> &fields : std::as_const(sentences)) {
        if (isType(fields, "RMC"))
            read |= readRmc(fields, report, reader);
    }
    for (const QList<QByteArrayView> &fields : std::as_const(sentences)) {
        if (isType(fields, "GGA"))
            read |= readGga(fields, report, reader);
    }
    if (read)
        return {report, Rejection::None};
    return ParsedDatagram::rejected(reader.rejection == Rejection::None ? Rejection::Unknown
                                                                        : reader.rejection);
}

} // namespace simlink
