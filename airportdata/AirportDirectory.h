#pragma once

#include <QString>
#include <QStringList>

namespace airportdata {

enum class LookupStatus { Found, NotFound, Unreadable };

struct LookupResult {
    LookupStatus status = LookupStatus::NotFound;
    QStringList slotTexts; // text for slot n, for exactly the slots the found record fills
    QString error;         // for Unreadable: the file and the reason, in words a user understands
};

// Reads the airport directory file afresh and finds the record of the airport code.
// Every comma-delimited item of the file is a candidate header line: the first whose characters 3 to 6 equal
// the code exactly is the record's header. Its fields after the key, then every field of the items that
// follow up to an empty item or the end of the file, are the slot texts, at most 151; later fields are
// ignored. An empty code or one of more than four characters is NotFound. A record is read as UTF-8 when its
// bytes are valid UTF-8, else as Windows-1252. Unreadable when the file cannot be opened or read; items of up
// to 1 MiB are always read, and a longer one in the part of the file the lookup reads may make it Unreadable
// too rather than take more memory. The file is read in blocks and nothing is kept between lookups.
LookupResult LookUpAirport(const QString &directoryFile, const QString &code);

} // namespace airportdata
