// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportSource.h"

#include <QHash>
#include <QList>
#include <QString>

#include <string_view>

namespace import {

// Which airports of OurAirports become directory records, and under which code.
class AirportChoice {
public:
    // The directory code of an airport: ident when it is four letters A-Z, else icao_code, else gps_code;
    // empty when none is.
    static QString codeOf(std::string_view ident, std::string_view icaoCode, std::string_view gpsCode);
    // large_airport ranks highest, then medium_airport, small_airport, seaplane_base, heliport, balloonport;
    // other types lowest.
    static int rankOf(std::string_view type);

    // Keeps the airport unless one already kept has its code and comes first: the larger type, then the
    // lower id. Returns false when one of the two was dropped as a duplicate.
    bool offer(AirportSource airport);

    // The kept airports, by code.
    QHash<QString, AirportSource> &airports() { return m_airports; }

private:
    QHash<QString, AirportSource> m_airports;
};

} // namespace import
