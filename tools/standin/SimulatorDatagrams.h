// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TrackFile.h"

#include <QByteArray>
#include <QList>

// What a simulator sends about a point of its track.

// X-Plane's and FlightGear's network GPS text: "XGPS<name>,<lon>,<lat>,<alt m>,<track>,<speed m/s>".
QByteArray networkGpsDatagram(const TrackPoint &point);
// One datagram of NMEA sentences, as FlightGear sends them: $GPRMC, $GPGGA and $GPGSA, each with its
// checksum, at the point's time of the given day.
QByteArray nmeaDatagram(const TrackPoint &point);
// Datagrams that a careful listener ignores: junk, too long, values out of range or not numbers, wrong
// checksums, records of no known kind.
QList<QByteArray> junkDatagrams();
