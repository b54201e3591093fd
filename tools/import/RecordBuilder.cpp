#include "RecordBuilder.h"

#include "DirectoryText.h"
#include "DirectoryValues.h"
#include "IlsTable.h"
#include "ImportSummary.h"

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

airportdata::RunwayRecord RecordBuilder::runway(const AirportSource &airport, const RunwaySource &source)
{
    airportdata::RunwayRecord runway;
    const QString lowEnd = source.lowEnd.trimmed();
    const QString highEnd = source.highEnd.trimmed();
    runway.designator =
        safe(lowEnd.isEmpty() || highEnd.isEmpty() ? lowEnd + highEnd : lowEnd + QLatin1Char('/') + highEnd);
    if (airportdata::keepOutOfHeaderSearch(runway.designator))
        m_summary.count(QStringLiteral("runway designators written in lower case from their third letter"));
    runway.surface = safe(source.surface);
    runway.length = valueText(source.lengthFeet, metresText);
    runway.width = valueText(source.widthFeet, metresText);
    if (m_ils) {
        if (const std::optional<Localizer> localizer = m_ils->forRunway(airport.faaIdent, lowEnd, highEnd)) {
            runway.ilsFrequency = localizer->frequency;
            runway.ilsCourse = localizer->course;
            m_summary.count(kLocalizersFilled);
        }
    }
    return runway;
}

airportdata::AirportRecord RecordBuilder::build(const AirportSource &airport)
{
    QList<airportdata::RunwayRecord> runways;
    const qsizetype count = std::min(airport.runways.size(), kMaxRunways);
    for (qsizetype i = 0; i < count; ++i)
        runways.append(runway(airport, airport.runways[i]));
    m_summary.count(kRunwaysWritten, count);
    m_summary.skip(QStringLiteral("runways beyond the twelfth of an airport"),
                   airport.runways.size() - count);
    const airportdata::AirportRecord::Header header{safe(airport.country),
                                                    safe(airport.name),
                                                    valueText(airport.longitude, longitudeText),
                                                    valueText(airport.latitude, latitudeText),
                                                    valueText(airport.elevationFeet, feetText),
                                                    safe(airport.municipality)};
    return airportdata::AirportRecord::compose(airport.code, header, runways);
}

} // namespace import
