// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"
#include "Platform.h"

#include <QString>

#include <limits>

namespace airportdata {

enum class LookupStatus { Found, NotFound, Unreadable };

struct LookupResult {
    LookupStatus status = LookupStatus::NotFound;
    AirportRecord record; // when Found
    QString error;        // for Unreadable: the file and the reason, in words a user understands
};

// How much of the directory one lookup reads and keeps.
struct ReadLimits {
    // The record ends once it holds this many fields after its key: a reader that places fields keeps no
    // more than it has places for.
    qsizetype maxFields = std::numeric_limits<qsizetype>::max();
    qsizetype blockBytes = qsizetype(1) << 17;
    qsizetype maxItemBytes = qsizetype(1) << 20;
    // The most text the fields of one record may hold: the grid shows short texts, and a real record holds
    // a few hundred bytes.
    qsizetype maxRecordBytes = qsizetype(1) << 16;
};

// Reads the airport directory file afresh and finds the record of the airport code.
// Every comma-delimited item of the file is a candidate header line: the first whose characters 3 to 6 equal
// the code exactly is the record's header line; the items that follow it up to an empty item or the end of
// the file are its lines. An empty code or one of more than four characters is NotFound. A record is read as
// UTF-8 when its bytes are valid UTF-8, else as Windows-1252. Unreadable when the file is not a regular file
// (a folder, a pipe or a device is never opened, so nothing waits) or cannot be opened or read; items of up
// to maxItemBytes are always read, and a longer one in the part of the file the lookup reads may make it
// Unreadable too rather than take more memory, as does a record whose fields hold more than maxRecordBytes.
// The file is read in blocks and nothing is kept between lookups.
LookupResult LookUpAirport(const QString &directoryFile, const QString &code, ReadLimits limits = {});

// Why the airport directory cannot be opened, in words a user understands ("it is a folder, not a file").
QString directoryProblem(const platform::FileOpening &opening);
// The same with the directory's name: "The airport directory … could not be opened: …".
QString directoryOpeningError(const QString &directoryFile, const platform::FileOpening &opening);

} // namespace airportdata
