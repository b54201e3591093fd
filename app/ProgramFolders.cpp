// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolders.h"

#include "DirectoryLog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

namespace {

QString sourceName(airportdata::LibrarySource source)
{
    switch (source) {
    case airportdata::LibrarySource::CommandLine:
        return QStringLiteral("--library");
    case airportdata::LibrarySource::Environment:
        return QStringLiteral("VARNELOX_LIBRARY");
    case airportdata::LibrarySource::ProgramFolder:
        return QStringLiteral("the program folder");
    case airportdata::LibrarySource::UserDataFolder:
        return QStringLiteral("the user's data folder");
    case airportdata::LibrarySource::Installed:
        return QStringLiteral("the installed sample library");
    }
    return {};
}

} // namespace

QString installedDataFolder(const QString &programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(VARNELOX_DATA_FROM_PROGRAM)));
}

QString soundFolder(const QString &programFolder)
{
    const bool beside = QFileInfo(QDir(programFolder).filePath(QStringLiteral("of1297.wav"))).isFile();
    return beside ? programFolder : installedDataFolder(programFolder);
}

QString magneticModelFolder(const QString &programFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("magnetic"));
    return QFileInfo(beside).isDir() ? beside
                                     : installedDataFolder(programFolder) + QStringLiteral("/magnetic");
}

QString soundHelper(const QString &programFolder)
{
    const QString name = QStringLiteral("varnelox-sound");
    const QString beside = QDir(programFolder).filePath(name);
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed = QDir::cleanPath(
        QDir(programFolder).filePath(QStringLiteral(VARNELOX_HELPER_FROM_PROGRAM "/") + name));
    return QFileInfo(installed).isFile() ? installed : beside;
}

airportdata::LibraryLocation locateProgramLibrary(const QString &programFolder, const QString &libraryOption)
{
    return airportdata::locateLibrary({libraryOption, qEnvironmentVariable("VARNELOX_LIBRARY"), programFolder,
                                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                       installedDataFolder(programFolder)});
}

void logLibraryChoice(const airportdata::LibraryLocation &location)
{
    if (location.ok && airportdata::directoryFileProblem(location.folder).isEmpty())
        qCInfo(airportdata::lcDirectory)
            << "library" << location.folder << "from" << sourceName(location.source);
    else if (location.ok)
        qCInfo(airportdata::lcDirectory)
            << "library" << location.folder << "from" << sourceName(location.source)
            << "- its airports.txt cannot be read:" << airportdata::directoryFileProblem(location.folder);
    else
        qCInfo(airportdata::lcDirectory) << "no library:" << location.error;
}

} // namespace app
