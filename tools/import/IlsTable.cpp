#include "IlsTable.h"

#include "CsvTable.h"
#include "DirectoryValues.h"

namespace import {

namespace {

bool isOutOfService(std::string_view status)
{
    return status == "SHUTDOWN" || status == "DECOMMISSIONED";
}

} // namespace

QString IlsTable::key(QByteArrayView faaIdent, QStringView runwayEnd)
{
    QStringView end = runwayEnd.trimmed();
    while (end.size() > 1 && end.front() == u'0' && end[1].isDigit())
        end = end.mid(1);
    return QString::fromUtf8(faaIdent).trimmed().toUpper() + QLatin1Char(' ') + end.toString().toUpper();
}

Status IlsTable::read(const QString &fileName, QByteArrayView bytes)
{
    int airport = -1, runwayEnd = -1, frequency = -1, bearing = -1, status = -1;
    const auto columns = [&](CsvHeader &header) {
        airport = header.required("ARPT_ID");
        runwayEnd = header.required("RWY_END_ID");
        frequency = header.required("LOC_FREQ");
        bearing = header.required("APCH_BEAR");
        status = header.optional("COMPONENT_STATUS");
        return Status();
    };
    return readTable(fileName, bytes, columns, [&](const CsvRecord &record) -> Status {
        std::optional<double> megahertz, course;
        QString end;
        for (const Status &read : {record.number(frequency, megahertz), record.number(bearing, course),
                                   record.utf8(runwayEnd, end)}) {
            if (!read.ok)
                return read;
        }
        if (!megahertz || isOutOfService(record.text(status)))
            return {};
        // The first localizer given for a runway end is kept.
        const QString runway = key(QByteArrayView(record.text(airport)), end);
        if (!m_localizers.contains(runway))
            m_localizers.insert(runway,
                                {frequencyText(*megahertz), course ? courseText(*course) : QString()});
        return {};
    });
}

std::optional<Localizer> IlsTable::forRunway(QByteArrayView faaIdent, const QString &lowEnd,
                                             const QString &highEnd) const
{
    if (faaIdent.isEmpty())
        return std::nullopt;
    for (const QString &end : {lowEnd, highEnd}) {
        if (end.isEmpty())
            continue;
        const auto found = m_localizers.constFind(key(faaIdent, end));
        if (found != m_localizers.constEnd())
            return *found;
    }
    return std::nullopt;
}

} // namespace import
