// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportDirectory.h"

class QIODevice;

namespace airportdata {

// Looks the code up in the directory that device reads, from where the device stands to the record's end or
// the end of the device. Reads in blocks into one buffer of one block plus the longest item, so it keeps no
// more than that in memory however long the file is. directoryFile names the directory in error messages.
LookupResult searchDirectory(QIODevice &device, const QString &directoryFile, const QString &code,
                             ReadLimits limits = {});

} // namespace airportdata
