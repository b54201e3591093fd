// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunwayLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace chartgen {

struct RadioFacts {
    QString tower;
    QString ground;
    QString atis;
    QString approach;
    QString vor;      // frequency of the aerodrome's VOR/DME
    QString vorIdent; // three letters
};

// An airport's record with the made-up but steady details its sample charts need: the same airport always
// gets the same frequencies, fix names and obstacles.
struct AirportFacts {
    AirportRecord record;
    QList<RunwayDirection> directions; // every listed runway direction, in file order
    QList<RunwayStrip> strips;
    RadioFacts radio;
    int variation = 0;          // degrees, east positive
    int transitionAltitude = 0; // feet
    int elevationFeet = 0;
    std::array<int, 4> minimumSectorAltitude{}; // feet, for the quadrants from north clockwise
    QStringList fixNames;                       // five-letter names, all different
    quint32 seed = 0;                           // for anything else that must be steady per airport
};

AirportFacts makeAirportFacts(const AirportRecord &record);

// The direction the approach chart and the procedures are drawn for: the first with an ILS, else the first.
RunwayDirection primaryDirection(const AirportFacts &facts);

} // namespace chartgen
