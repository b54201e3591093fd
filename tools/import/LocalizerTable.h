// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"
#include "Localizer.h"
#include "NavDataFile.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

namespace import {

class ImportSummary;

// Where the navigation data comes from and what its courses are worked out with.
struct NavDataSource {
    QString file;           // nav.dat, plain or gzip
    QString magneticFolder; // the folder of the magnetic model's files
    QDate date;             // the day the magnetic courses are for: the day of the import
};

// The localizers of the navigation data by airport and runway end, each with its frequency and magnetic
// course. Of two localizers for one runway end the ILS is kept, else the first. Remembers which ones a
// record took, so that the summary can list those for runway ends the library does not have.
class LocalizerTable {
public:
    // Reads the file and works out each localizer's magnetic course from its true bearing with the World
    // Magnetic Model at the source's date.
    Status load(const NavDataSource &source, ImportSummary &summary);

    bool hasAirport(const QString &airport) const;
    // The localizer of a runway end of an airport (by its ICAO code), taken by a record.
    std::optional<Localizer> take(const QString &airport, const QString &runwayEnd);
    // The airport's localizers are not to be listed as untaken: its record was left as it was.
    void setAside(const QString &airport);

    // Counts the airports and runway ends that got a localizer, the airports of the data without a record
    // (airportsWithRecord holds those with one; notInLibrary is the reason the summary gives), and lists
    // each localizer of an airport with a record that no runway end took.
    void summarise(const QSet<QString> &airportsWithRecord, const QString &notInLibrary,
                   ImportSummary &summary) const;

private:
    struct Entry {
        NavLocalizer source;
        Localizer localizer;
        bool taken = false;
    };
    static QString key(const QString &airport, const QString &runwayEnd);
    void add(NavLocalizer source, Localizer localizer, ImportSummary &summary);

    QString m_fileName;
    QHash<QString, Entry> m_entries; // by ICAO code and runwayEndKey: "KBOS 4R"
    QSet<QString> m_airports;
    QSet<QString> m_setAside;
};

} // namespace import
