// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>

namespace chartgen {

using airportdata::AirportRecord;
using airportdata::RunwayRecord;

// One runway direction read as numbers: heading in degrees, length in metres, the ILS if it has one.
struct RunwayDirection {
    QString designator; // "16R"
    double heading = 0; // degrees, from the ILS course when given, else from the runway number
    double length = 0;  // metres
    double width = 0;   // metres
    QString surface;    // "ASPH", "CONC"
    QString ilsFrequency;
    QString ilsCourse;
};

RunwayDirection readRunwayDirection(const RunwayRecord &entry);

// A physical runway: two directions on one strip, placed on the aerodrome in metres (x east, y north).
struct RunwayStrip {
    RunwayDirection first; // lands from the `from` end towards `to`
    QString secondDesignator;
    QLineF axis; // from the threshold of `first` to the threshold of the reciprocal
};

// The airport's runways paired into strips and laid out schematically: parallel runways side by side,
// crossing ones offset so that they cross near one end. An airport without runway data gets no strips.
QList<RunwayStrip> layOutRunways(const QList<RunwayDirection> &directions);

// The designator seen from the other end: "16R" gives "34L", "09" gives "27".
QString reciprocalDesignator(const QString &designator);

// The area the strips cover, grown by the margin (metres) on every side; a square around the origin when
// there are no strips.
QRectF runwayBounds(const QList<RunwayStrip> &strips, double margin);

} // namespace chartgen
