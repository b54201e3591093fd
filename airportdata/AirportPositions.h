// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BlockReader.h"
#include "GeoValues.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

class QIODevice;

namespace airportdata {

// An airport near a place: its code, where it is, the way to it, and where its record starts in the
// directory (its name is read from there when it is shown).
struct NearbyAirport {
    QString code;
    GeoPosition position;
    Course course;
    qint64 recordOffset = 0;
    QString name; // filled in by those who read it
};

// The codes and positions of a directory's airports, and nothing else of them, for finding the airports
// nearest a place. A record counts when its code (characters 3 to 6 of its header line) is four capital
// letters or digits and its latitude and longitude can be read; of several records of one code the first
// counts, as for a lookup. Records start as for readAllRecords.
class AirportPositions {
public:
    static AirportPositions fromBytes(QByteArrayView directory);
    // Reads the device from where it stands to its end; the reading says whether it could be read whole.
    static AirportPositions read(QIODevice &device, BlockReading &reading);

    qsizetype size() const { return qsizetype(m_entries.size()); }
    std::optional<GeoPosition> positionOf(QStringView code) const;
    // Up to count airports, nearest first (by the length of the shortest way on the ellipsoid).
    QList<NearbyAirport> nearest(const GeoPosition &from, int count) const;

private:
    class Collector;
    struct Entry {
        quint32 code = 0; // four bytes, the first in the highest
        float x, y, z;    // earth-centred, in equatorial radii: for a first, rough choice
        GeoPosition position;
        qint64 offset = 0;
    };
    void finish();

    std::vector<Entry> m_entries; // by code
};

} // namespace airportdata
