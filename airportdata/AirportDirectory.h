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
LookupResult LookUpAirport(const QString &directoryFile, const QString &code);

} // namespace airportdata
