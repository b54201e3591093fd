// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftReport.h"

#include <QByteArrayView>

namespace simlink {

// Reads one datagram of NMEA 0183 sentences, one a line (FlightGear sends $GPRMC, $GPGGA and $GPGSA in
// one datagram). Every sentence needs its checksum ("*" and two hexadecimal digits). Of the sentences, the
// recommended minimum ($--RMC: position, ground speed, track) and the fix data ($--GGA: position, altitude)
// are read, from any talker; others are passed over. A datagram with at least one good RMC or GGA sentence
// gives a report (position from RMC when it has one, altitude from GGA); else the first problem met is the
// rejection. A void RMC (status V) or a GGA of fix quality 0 has no position.
ParsedDatagram parseNmea(QByteArrayView datagram);

} // namespace simlink
