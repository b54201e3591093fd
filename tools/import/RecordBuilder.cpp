// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordBuilder.h"

#include "DirectoryText.h"
#include "DirectoryValues.h"
#include "IlsTable.h"
#include "ImportSummary.h"
#include "LocalizerTable.h"

namespace import {

namespace {

template <typename Format> QString valueText(const std::optional<double> &value, Format format)
{
    return value ? format(*value) : QString();
}

} // namespace

QString RecordBuilder::safe(QString text)
{
    m_summary.count(kTextsChanged, airportdata::makeDirectorySafe(text));
    return text;
}

std::optional<Localizer> RecordBuilder::ilsOf(const AirportSource &airport, const QString &runwayEnd)
{
    // The navigation data is asked even when the FAA's file answers, so that its localizer counts as taken.
    const std::optional<Localizer> navData =
        m_ils.navData ? m_ils.navData->take(airport.code, runwayEnd) : std::nullopt;
    const std::optional<Localizer> faa =
        m_ils.faa ? m_ils.faa->forEnd(airport.faaIdent, runwayEnd) : std::nullopt;
    return faa ? faa : navData;
}

airportdata::RunwayRecord RecordBuilder::runway(const RunwaySource &source, const RunwayRow &row)
{
    airportdata::RunwayRecord runway;
    runway.designator = row.designator;
    if (airportdata::keepOutOfHeaderSearch(runway.designator))
        m_summary.count(QStringLiteral("runway designators written in lower case from their third letter"));
    runway.surface = safe(source.surface);
    runway.length = valueText(source.lengthFeet, metresText);
    runway.width = valueText(source.widthFeet, metresText);
    if (row.ils) {
        runway.ilsFrequency = row.ils->frequency;
        runway.ilsCourse = row.ils->course;
        m_summary.count(kLocalizersFilled);
    }
    return runway;
}

airportdata::AirportRecord RecordBuilder::build(const AirportSource &airport)
{
    QList<RunwayEnds> ends;
    ends.reserve(airport.runways.size());
    for (const RunwaySource &source : airport.runways) {
        const QString low = safe(source.lowEnd.trimmed());
        const QString high = safe(source.highEnd.trimmed());
        ends.append({low, high, ilsOf(airport, low), ilsOf(airport, high)});
    }
    const RunwayRowPlan plan = planRunwayRows(ends);
    QList<airportdata::RunwayRecord> runways;
    runways.reserve(plan.rows.size());
    for (const RunwayRow &row : plan.rows)
        runways.append(runway(airport.runways[row.runway], row));
    m_summary.count(kRunwaysWritten, runways.size());
    m_summary.skip(kRunwaysWithoutDesignator, plan.withoutDesignator);
    m_summary.skip(kRowsBeyondTwelve, plan.beyondTwelve);
    const airportdata::AirportRecord::Header header{safe(airport.country),
                                                    safe(airport.name),
                                                    valueText(airport.longitude, longitudeText),
                                                    valueText(airport.latitude, latitudeText),
                                                    valueText(airport.elevationFeet, feetText),
                                                    safe(airport.municipality)};
    return airportdata::AirportRecord::compose(airport.code, header, runways);
}

} // namespace import
