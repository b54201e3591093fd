#include "AirportDirectory.h"

#include "DirectoryReader.h"

#include <QDir>
#include <QFile>

namespace airportdata {

LookupResult LookUpAirport(const QString &directoryFile, const QString &code, ReadLimits limits)
{
    QFile file(directoryFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {LookupStatus::Unreadable,
                {},
                QStringLiteral("The airport directory %1 could not be opened: %2")
                    .arg(QDir::toNativeSeparators(directoryFile), file.errorString())};
    }
    return searchDirectory(file, directoryFile, code, limits);
}

} // namespace airportdata
