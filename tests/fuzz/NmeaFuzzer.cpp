// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the NMEA reader with arbitrary datagrams: it must never crash or hang, and what it accepts must be
// sound. Sentences need their checksums, so the seeds in corpus-nmea carry good ones for the fuzzer to vary.

#include "NmeaParser.h"
#include "ReportChecks.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char *>(data), qsizetype(size));
    requireSound(simlink::parseNmea(datagram), "NMEA fuzzer");
    return 0;
}
