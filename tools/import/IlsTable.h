// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"
#include "Localizer.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <optional>

namespace import {

// The localizers of the FAA's NASR file ILS_BASE.csv (columns ARPT_ID, RWY_END_ID, LOC_FREQ, APCH_BEAR; rows
// whose COMPONENT_STATUS is SHUTDOWN or DECOMMISSIONED are left out), by airport and runway end.
class IlsTable {
public:
    // Reads the file's bytes; fileName names it in messages.
    Status read(const QString &fileName, QByteArrayView bytes);

    // The localizer of a runway end, with the course the file gives. faaIdent is the airport as ARPT_ID
    // names it. Runway ends match with leading zeros left out ("04R" is "4R").
    std::optional<Localizer> forEnd(QByteArrayView faaIdent, const QString &runwayEnd) const;

private:
    static QString key(QByteArrayView faaIdent, QStringView runwayEnd);

    QHash<QString, Localizer> m_localizers;
};

} // namespace import
