// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportRecord.h"

namespace airportdata {

namespace {

constexpr qsizetype kShownRunwayFields = 6;
constexpr qsizetype kFieldsNotShown = 6;

} // namespace

RunwayRecord RunwayRecord::fromFields(const QStringList &fields)
{
    return {fields.value(0),
            fields.value(1),
            fields.value(2),
            fields.value(3),
            fields.value(4),
            fields.value(5),
            fields.size() > kShownRunwayFields ? fields.sliced(kShownRunwayFields) : QStringList()};
}

QStringList RunwayRecord::fields() const
{
    return QStringList{designator, surface, length, width, ilsFrequency, ilsCourse} + fieldsNotShown;
}

AirportRecord::AirportRecord(QStringList headerFields, QList<QStringList> lines)
    : m_header(std::move(headerFields))
    , m_lines(std::move(lines))
{}

AirportRecord AirportRecord::compose(const QString &code, const Header &header,
                                     const QList<RunwayRecord> &runways)
{
    QList<QStringList> lines;
    lines.reserve(runways.size());
    for (RunwayRecord runway : runways) {
        runway.fieldsNotShown.resize(std::max(runway.fieldsNotShown.size(), kFieldsNotShown));
        lines.append(runway.fields());
    }
    return AirportRecord({QStringLiteral("01") + code, header.country, header.name, header.longitude,
                          header.latitude, header.height, header.municipality},
                         std::move(lines));
}

AirportRecord::Header AirportRecord::header() const
{
    return {m_header.value(1), name(), longitude(), latitude(), height(), m_header.value(6)};
}

QList<RunwayRecord> AirportRecord::runways() const
{
    QList<RunwayRecord> runways;
    runways.reserve(m_lines.size());
    for (const QStringList &line : m_lines)
        runways.append(RunwayRecord::fromFields(line));
    return runways;
}

QStringList AirportRecord::fields() const
{
    QStringList fields = m_header.mid(1);
    for (const QStringList &line : m_lines)
        fields += line;
    return fields;
}

} // namespace airportdata
