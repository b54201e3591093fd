// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportPositions.h"

#include <QDateTime>
#include <QString>

namespace airportdata {

// The airports of one directory file nearest a place. Keeps only the codes and positions of its airports,
// read when first asked and read again whenever the file has changed since (its size, its time of change or
// its modification time); the names of the airports found are read from their records then.
class NearestAirports {
public:
    explicit NearestAirports(QString directoryFile);

    struct Answer {
        QList<NearbyAirport> airports; // nearest first, with their names
        QString error;                 // when the directory could not be read, in words a user understands
    };
    Answer nearest(const GeoPosition &from, int count);
    // Where the airport of this code is; nothing when the directory has no readable position for it.
    std::optional<GeoPosition> positionOf(const QString &code);

private:
    struct FileStamp {
        qint64 size = -1;
        QDateTime changed;
        QDateTime modified;
        friend bool operator==(const FileStamp &, const FileStamp &) = default;
    };

    void refresh();
    void readNames(QList<NearbyAirport> &airports) const;

    QString m_file;
    std::optional<FileStamp> m_stamp; // of the file that m_positions was read from
    AirportPositions m_positions;
    QString m_error;
};

} // namespace airportdata
