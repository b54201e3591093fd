// SPDX-License-Identifier: GPL-3.0-or-later
#include "OurAirportsReader.h"

#include "CsvTable.h"
#include "DirectoryValues.h"
#include "ImportSummary.h"

#include <QFileInfo>

#include <array>
#include <cmath>

namespace import {

namespace {

constexpr qsizetype kProgressEvery = 4096;

// The United States and the territories whose airports the FAA's files list.
constexpr std::array<std::string_view, 7> kFaaCountries{"US", "PR", "VI", "GU", "AS", "MP", "UM"};

bool isFaaCountry(std::string_view country)
{
    return std::find(kFaaCountries.begin(), kFaaCountries.end(), country) != kFaaCountries.end();
}

// Ids are whole numbers that a double holds exactly.
constexpr double kLargestId = 9007199254740992.0; // 2^53

// Reads a number that must lie within range: one outside is an error naming its place.
Status angle(const CsvRecord &record, int column, ValueRange range, std::optional<double> &value)
{
    if (Status read = record.number(column, value); !read.ok)
        return read;
    if (value && !range.contains(*value)) {
        return Status::failure(QStringLiteral("%1: %2 lies outside %3 to %4")
                                   .arg(record.place(column))
                                   .arg(*value)
                                   .arg(range.lowest)
                                   .arg(range.highest));
    }
    return {};
}

std::optional<qint64> idOf(const std::optional<double> &number)
{
    if (!number || *number != std::floor(*number) || std::abs(*number) > kLargestId)
        return std::nullopt;
    return qint64(*number);
}

Status firstFailure(std::initializer_list<Status> statuses)
{
    for (const Status &status : statuses) {
        if (!status.ok)
            return status;
    }
    return {};
}

} // namespace

OurAirportsReader::OurAirportsReader(ImportSummary &summary, Progress progress)
    : m_summary(summary)
    , m_progress(std::move(progress))
{}

Status OurAirportsReader::readAirports(const QString &fileName, QByteArrayView bytes)
{
    const auto columns = [this](CsvHeader &header) {
        m_airportColumns = {header.required("id"),           header.required("ident"),
                            header.required("type"),         header.required("name"),
                            header.required("latitude_deg"), header.required("longitude_deg"),
                            header.required("elevation_ft"), header.required("iso_country"),
                            header.required("municipality"), header.optional("icao_code"),
                            header.required("gps_code"),     header.optional("local_code")};
        return Status();
    };
    const Status status =
        readTable(fileName, bytes, columns, [this](const CsvRecord &record) { return addAirport(record); });
    m_byId.clear();
    for (AirportSource &airport : m_choice.airports())
        m_byId.insert(airport.id, &airport);
    return status;
}

Status OurAirportsReader::addAirport(const CsvRecord &record)
{
    const AirportColumns &c = m_airportColumns;
    if (++m_rows % kProgressEvery == 0)
        m_progress(m_rows, record.consumed());
    AirportSource airport;
    airport.code =
        AirportChoice::codeOf(record.text(c.ident), record.text(c.icaoCode), record.text(c.gpsCode));
    if (airport.code.isEmpty()) {
        m_summary.skip(QStringLiteral("airports without a four-letter code"));
        return {};
    }
    if (record.text(c.type) == "closed") {
        m_summary.skip(QStringLiteral("closed airports"));
        return {};
    }
    std::optional<double> number;
    const std::optional<qint64> id = record.number(c.id, number).ok ? idOf(number) : std::nullopt;
    if (!id)
        return Status::failure(record.place(c.id) + QStringLiteral(": no airport id"));
    airport.id = *id;
    airport.typeRank = AirportChoice::rankOf(record.text(c.type));
    const Status read =
        firstFailure({record.utf8(c.country, airport.country), record.utf8(c.name, airport.name),
                      record.utf8(c.municipality, airport.municipality),
                      angle(record, c.latitude, kLatitudeRange, airport.latitude),
                      angle(record, c.longitude, kLongitudeRange, airport.longitude),
                      measure(record, c.elevation, kElevationFeetRange, airport.elevationFeet)});
    if (!read.ok)
        return read;
    if (isFaaCountry(record.text(c.country))) {
        const std::string_view local = record.text(c.localCode);
        const std::string_view ident = local.empty() ? record.text(c.ident) : local;
        airport.faaIdent = QByteArray(ident.data(), qsizetype(ident.size()));
    }
    if (!m_choice.offer(std::move(airport)))
        m_summary.skip(QStringLiteral("airports with a code already taken (the larger, else older, kept)"));
    return {};
}

Status OurAirportsReader::readRunways(const QString &fileName, QByteArrayView bytes)
{
    m_rows = 0;
    const auto columns = [this](CsvHeader &header) {
        m_runwayColumns = {header.required("airport_ref"), header.required("length_ft"),
                           header.required("width_ft"),    header.required("surface"),
                           header.required("closed"),      header.required("le_ident"),
                           header.required("he_ident")};
        return Status();
    };
    return readTable(fileName, bytes, columns, [this](const CsvRecord &record) { return addRunway(record); });
}

Status OurAirportsReader::addRunway(const CsvRecord &record)
{
    const RunwayColumns &c = m_runwayColumns;
    if (++m_rows % kProgressEvery == 0)
        m_progress(m_rows, record.consumed());
    std::optional<double> reference;
    if (Status read = record.number(c.airport, reference); !read.ok)
        return read;
    const std::optional<qint64> id = idOf(reference);
    AirportSource *airport = id ? m_byId.value(*id) : nullptr;
    if (!airport) {
        m_summary.skip(QStringLiteral("runways of airports not imported"));
        return {};
    }
    if (record.text(c.closed) == "1") {
        m_summary.skip(QStringLiteral("closed runways"));
        return {};
    }
    RunwaySource runway;
    const Status read =
        firstFailure({record.utf8(c.lowEnd, runway.lowEnd), record.utf8(c.highEnd, runway.highEnd),
                      record.utf8(c.surface, runway.surface),
                      measure(record, c.length, kRunwayFeetRange, runway.lengthFeet),
                      measure(record, c.width, kRunwayFeetRange, runway.widthFeet)});
    if (!read.ok)
        return read;
    airport->runways.append(std::move(runway));
    return {};
}

Status OurAirportsReader::measure(const CsvRecord &record, int column, ValueRange range,
                                  std::optional<double> &value)
{
    if (Status read = record.number(column, value); !read.ok)
        return read;
    if (value && !range.contains(*value)) {
        value.reset();
        m_summary.skip(QStringLiteral("values of %1 \"%2\" outside %3 to %4, left empty")
                           .arg(QFileInfo(record.fileName()).fileName(), record.columnName(column))
                           .arg(range.lowest)
                           .arg(range.highest));
    }
    return {};
}

QList<AirportSource> OurAirportsReader::airports() const
{
    QList<AirportSource> airports;
    airports.reserve(m_byId.size());
    for (const AirportSource *airport : m_byId)
        airports.append(*airport);
    std::sort(airports.begin(), airports.end(),
              [](const AirportSource &a, const AirportSource &b) { return a.code < b.code; });
    return airports;
}

} // namespace import
