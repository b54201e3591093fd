#include "LibraryLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace airportdata {

namespace {

struct LibraryMessages {
    Q_DECLARE_TR_FUNCTIONS(LibraryMessages)
};

QString absoluteFolder(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

LibraryLocation named(const QString &folder, LibrarySource source, const QString &namedBy)
{
    const QString absolute = absoluteFolder(folder);
    const QString shown = QDir::toNativeSeparators(absolute);
    QString error;
    // The folder on a line of its own: a long path then breaks no sentence in a message box.
    if (!QFileInfo(absolute).isDir())
        error = LibraryMessages::tr("The library folder named by %1 does not exist:\n%2").arg(namedBy, shown);
    else if (!holdsDirectoryFile(absolute))
        error = LibraryMessages::tr(
                    "The library folder named by %1 holds no airport directory (airports.txt):\n%2")
                    .arg(namedBy, shown);
    return {error.isEmpty(), source, absolute, error};
}

} // namespace

bool holdsDirectoryFile(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("airports.txt"))).isFile();
}

LibraryLocation locateLibrary(const LibraryCandidates &candidates)
{
    if (!candidates.commandLine.isEmpty())
        return named(candidates.commandLine, LibrarySource::CommandLine, QStringLiteral("--library"));
    if (!candidates.environment.isEmpty())
        return named(candidates.environment, LibrarySource::Environment, QStringLiteral("VARNELOX_LIBRARY"));
    if (!candidates.programFolder.isEmpty() && holdsDirectoryFile(candidates.programFolder))
        return {true, LibrarySource::ProgramFolder, absoluteFolder(candidates.programFolder), {}};
    if (!candidates.userDataFolder.isEmpty() && holdsDirectoryFile(candidates.userDataFolder))
        return {true, LibrarySource::UserDataFolder, absoluteFolder(candidates.userDataFolder), {}};
    return {true, LibrarySource::Installed, absoluteFolder(candidates.installedFolder), {}};
}

} // namespace airportdata
