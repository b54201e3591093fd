#pragma once

#include "AirportRecord.h"
#include "AirportSource.h"

namespace import {

class IlsTable;
class ImportSummary;

// Makes the directory record of an airport: the header (country, name, longitude, latitude, height,
// municipality) and one line per runway, up to twelve, designator "04R/22L" (just the one end when the other
// has no ident), surface, length and width in metres and, with an ILS table, the localizer's frequency and
// course (IlsTable::forRunway). Texts are made fit for the directory; each change is counted in the summary,
// as are the runways written, those beyond twelve and the localizers filled in.
class RecordBuilder {
public:
    static constexpr qsizetype kMaxRunways = 12;

    RecordBuilder(const IlsTable *ils, ImportSummary &summary)
        : m_ils(ils)
        , m_summary(summary)
    {}

    airportdata::AirportRecord build(const AirportSource &airport);

private:
    airportdata::RunwayRecord runway(const AirportSource &airport, const RunwaySource &source);
    QString safe(QString text);

    const IlsTable *m_ils;
    ImportSummary &m_summary;
};

} // namespace import
