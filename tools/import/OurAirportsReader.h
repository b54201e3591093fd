// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportChoice.h"
#include "DirectoryValues.h"
#include "ImportStatus.h"

#include <QByteArrayView>
#include <QList>

#include <functional>

namespace import {

class CsvRecord;
class ImportSummary;

// Reads OurAirports' airports.csv and runways.csv into the airports the directory takes: those with a
// four-letter code (AirportChoice), open ones only, one per code, each with its open runways in file order.
// Rows left out are counted in the summary with the reason. A latitude or longitude out of range is an
// error; a height, length or width out of range (DirectoryValues.h) is left empty and counted.
class OurAirportsReader {
public:
    // Called now and then with the rows read so far and the bytes of the file used, for a progress line.
    using Progress = std::function<void(qsizetype rows, qsizetype bytesDone)>;

    OurAirportsReader(ImportSummary &summary, Progress progress);

    Status readAirports(const QString &fileName, QByteArrayView bytes);
    // After readAirports: gives each airport its runways.
    Status readRunways(const QString &fileName, QByteArrayView bytes);

    // The airports read, by code.
    QList<AirportSource> airports() const;

private:
    Status addAirport(const CsvRecord &record);
    Status addRunway(const CsvRecord &record);
    // Reads a number that should lie within range; one outside is left out and counted.
    Status measure(const CsvRecord &record, int column, ValueRange range, std::optional<double> &value);

    ImportSummary &m_summary;
    Progress m_progress;
    AirportChoice m_choice;
    QHash<qint64, AirportSource *> m_byId;
    qsizetype m_rows = 0;

    struct AirportColumns {
        int id, ident, type, name, latitude, longitude, elevation, country, municipality, icaoCode, gpsCode,
            localCode;
    } m_airportColumns{};
    struct RunwayColumns {
        int airport, length, width, surface, closed, lowEnd, highEnd;
    } m_runwayColumns{};
};

} // namespace import
