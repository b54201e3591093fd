#pragma once

#include "ImportStatus.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <optional>

namespace import {

// The localizer of one runway end, as the directory writes it.
struct Localizer {
    QString frequency; // "110.30"
    QString course;    // "035", empty when the file gives no bearing
};

// The localizers of the FAA's NASR file ILS_BASE.csv (columns ARPT_ID, RWY_END_ID, LOC_FREQ, APCH_BEAR; rows
// whose COMPONENT_STATUS is SHUTDOWN or DECOMMISSIONED are left out), by airport and runway end.
class IlsTable {
public:
    // Reads the file's bytes; fileName names it in messages.
    Status read(const QString &fileName, QByteArrayView bytes);

    // The localizer of a runway: its low end's (le_ident) when that end has one, else its high end's
    // (he_ident), each with its own course. faaIdent is the airport as ARPT_ID names it. Runway ends match
    // with leading zeros left out ("04R" is "4R").
    std::optional<Localizer> forRunway(QByteArrayView faaIdent, const QString &lowEnd,
                                       const QString &highEnd) const;

private:
    static QString key(QByteArrayView faaIdent, QStringView runwayEnd);

    QHash<QString, Localizer> m_localizers;
};

} // namespace import
