// SPDX-License-Identifier: GPL-3.0-or-later
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
    return QString::fromUtf8(faaIdent).trimmed().toUpper() + QLatin1Char(' ') + runwayEndKey(runwayEnd);
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

std::optional<Localizer> IlsTable::forEnd(QByteArrayView faaIdent, const QString &runwayEnd) const
{
    if (faaIdent.isEmpty() || runwayEnd.isEmpty())
        return std::nullopt;
    const auto found = m_localizers.constFind(key(faaIdent, runwayEnd));
    return found != m_localizers.constEnd() ? std::optional(*found) : std::nullopt;
}

} // namespace import
