#include "AirportDirectory.h"

#include "DirectoryReader.h"
#include "Platform.h"

#include <QDir>
#include <QFile>

namespace airportdata {

namespace {

QString openingProblem(const platform::FileOpening &opening)
{
    switch (opening.problem) {
    case platform::FileProblem::Folder:
        return QStringLiteral("it is a folder, not a file");
    case platform::FileProblem::NotRegular:
        return QStringLiteral("it is not a regular file (it is a pipe, a device or a socket)");
    default:
        return opening.reason;
    }
}

} // namespace

LookupResult LookUpAirport(const QString &directoryFile, const QString &code, ReadLimits limits)
{
    QFile file(directoryFile);
    const platform::FileOpening opening =
        platform::openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (opening.problem != platform::FileProblem::None) {
        return {LookupStatus::Unreadable,
                {},
                QStringLiteral("The airport directory %1 could not be opened: %2")
                    .arg(QDir::toNativeSeparators(directoryFile), openingProblem(opening))};
    }
    return searchDirectory(file, directoryFile, code, limits);
}

} // namespace airportdata
