// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"

#include <QByteArrayView>
#include <QList>

namespace airportdata {

// A record of a whole directory, with the bytes it takes up in the file.
struct StoredRecord {
    AirportRecord record;
    qsizetype offset = 0; // where its header line starts
    qsizetype size = 0;   // up to and including the empty line that ends it, when there is one
};

// Every record of a directory, in file order, read with the same items and fields as the lookup: a record
// starts at the first item after an empty one (or at the start of the file, after a UTF-8 byte order mark)
// and runs to the next empty item or the end of the file. Each record is decoded as a whole, as UTF-8 when
// all its fields are valid UTF-8, else as Windows-1252.
QList<StoredRecord> readAllRecords(QByteArrayView bytes);

} // namespace airportdata
