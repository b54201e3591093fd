// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the reader of the network GPS text (XGPS, XATT) with arbitrary datagrams: it must never crash or
// hang, and what it accepts must be sound.

#include "NetworkGpsParser.h"
#include "ReportChecks.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView datagram(reinterpret_cast<const char *>(data), qsizetype(size));
    requireSound(simlink::parseNetworkGps(datagram), "network GPS fuzzer");
    return 0;
}
