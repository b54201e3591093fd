// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"
#include "AirportSource.h"
#include "Localizer.h"
#include "RunwayRows.h"

#include <optional>

namespace import {

class IlsTable;
class ImportSummary;
class LocalizerTable;

// Where runway ends get their ILS from; either may be missing. Of the two, the FAA's file comes first.
struct IlsSources {
    const IlsTable *faa = nullptr;     // NASR's ILS_BASE.csv, for US airports
    LocalizerTable *navData = nullptr; // the simulators' navigation data, worldwide
};

// Makes the directory record of an airport: the header (country, name, longitude, latitude, height,
// municipality) and its runway rows by the rule of planRunwayRows, each with its designator, surface, length
// and width in metres and the ILS frequency and course of the end it names first. Texts are made fit for the
// directory; each change is counted in the summary, as are the rows written, the runways left out and the
// runway ends given a localizer.
class RecordBuilder {
public:
    RecordBuilder(IlsSources ils, ImportSummary &summary)
        : m_ils(ils)
        , m_summary(summary)
    {}

    airportdata::AirportRecord build(const AirportSource &airport);

private:
    std::optional<Localizer> ilsOf(const AirportSource &airport, const QString &runwayEnd);
    airportdata::RunwayRecord runway(const RunwaySource &source, const RunwayRow &row);
    QString safe(QString text);

    IlsSources m_ils;
    ImportSummary &m_summary;
};

} // namespace import
