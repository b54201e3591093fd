#include "AirportDirectory.h"

#include "DirectoryLog.h"
#include "DirectoryReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace airportdata {

namespace {

struct DirectoryMessages {
    Q_DECLARE_TR_FUNCTIONS(DirectoryMessages)
};

LookupResult openAndSearch(const QString &directoryFile, const QString &code, ReadLimits limits)
{
    QFile file(directoryFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {LookupStatus::Unreadable,
                {},
                DirectoryMessages::tr("The airport directory %1 could not be opened: %2")
                    .arg(QDir::toNativeSeparators(directoryFile), file.errorString())};
    }
    return searchDirectory(file, directoryFile, code, limits);
}

} // namespace

LookupResult LookUpAirport(const QString &directoryFile, const QString &code, ReadLimits limits)
{
    LookupResult result = openAndSearch(directoryFile, code, limits);
    if (result.status == LookupStatus::Unreadable)
        qCInfo(lcDirectory).noquote() << result.error;
    return result;
}

} // namespace airportdata
