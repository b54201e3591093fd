// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportDirectory.h"

#include "DirectoryLog.h"
#include "DirectoryReader.h"
#include "Platform.h"

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
    const platform::FileOpening opening =
        platform::openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (opening.problem != platform::FileProblem::None)
        return {LookupStatus::Unreadable, {}, directoryOpeningError(directoryFile, opening)};
    return searchDirectory(file, directoryFile, code, limits);
}

} // namespace

QString directoryProblem(const platform::FileOpening &opening)
{
    switch (opening.problem) {
    case platform::FileProblem::Folder:
        return DirectoryMessages::tr("it is a folder, not a file");
    case platform::FileProblem::NotRegular:
        return DirectoryMessages::tr("it is not a regular file (it is a pipe, a device or a socket)");
    default:
        return opening.reason;
    }
}

QString directoryOpeningError(const QString &directoryFile, const platform::FileOpening &opening)
{
    return DirectoryMessages::tr("The airport directory %1 could not be opened: %2")
        .arg(QDir::toNativeSeparators(directoryFile), directoryProblem(opening));
}

LookupResult LookUpAirport(const QString &directoryFile, const QString &code, ReadLimits limits)
{
    LookupResult result = openAndSearch(directoryFile, code, limits);
    if (result.status == LookupStatus::Unreadable)
        qCInfo(lcDirectory).noquote() << result.error;
    return result;
}

} // namespace airportdata
