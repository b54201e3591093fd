// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftReport.h"

#include <QByteArrayView>

namespace simlink {

// Reads one datagram of the network-GPS text format that X-Plane ("send to ForeFlight") and FlightGear
// (its foreflight-xgps and foreflight-xatt protocols) send:
//   XGPS<simulator>,<longitude>,<latitude>,<altitude MSL, m>,<track, ° true>,<ground speed, m/s>
//   XATT<simulator>,<heading, ° true>,<pitch, °>,<roll, °>[,<more values>]
// A line end after the record is allowed. Longitude and latitude must be within ±180° and ±90°, the
// altitude within -1,000 m and 60,000 m, track and heading within 0° and 360°, the ground speed within 0 and
// 1,500 m/s, pitch within ±90° and roll within ±180°.
ParsedDatagram parseNetworkGps(QByteArrayView datagram);

} // namespace simlink
