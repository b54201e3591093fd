// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoValues.h"

#include <QList>
#include <QString>

// One point of a track: when the aircraft is there, and what a simulator would send about it.
struct TrackPoint {
    double seconds = 0;
    airportdata::GeoPosition position;
    airportdata::Length altitude;
    airportdata::Bearing track;
    airportdata::Speed groundSpeed;
};

// A track file: one point a line, "seconds latitude longitude altitude-ft track-degrees ground-speed-kt",
// numbers parted by blanks or commas; empty lines and lines starting with "#" are passed over. Times must
// grow from line to line.
struct TrackReading {
    QList<TrackPoint> points;
    QString error; // the file and line, when it cannot be read
};
TrackReading readTrackFile(const QString &fileName);

// Where the aircraft is at a time: between two points, along the shortest way from one to the other, with
// altitude, track and ground speed in proportion; before the first point at the first, after the last at
// the last.
TrackPoint pointAt(const QList<TrackPoint> &track, double seconds);
