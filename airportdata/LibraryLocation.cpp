// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryLocation.h"

#include "AirportDirectory.h"

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

QString directoryFile(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("airports.txt"));
}

LibraryLocation named(const QString &folder, LibrarySource source, const QString &namedBy)
{
    const QString absolute = absoluteFolder(folder);
    const QString shown = QDir::toNativeSeparators(absolute);
    QString error;
    // The folder or file on a line of its own: a long path then breaks no sentence in a message box.
    if (!QFileInfo(absolute).isDir()) {
        error = LibraryMessages::tr("The library folder named by %1 does not exist:\n%2").arg(namedBy, shown);
    } else if (!namesDirectoryFile(absolute)) {
        error = LibraryMessages::tr(
                    "The library folder named by %1 holds no airport directory (airports.txt):\n%2")
                    .arg(namedBy, shown);
    } else if (const QString problem = directoryFileProblem(absolute); !problem.isEmpty()) {
        error = LibraryMessages::tr(
                    "The airport directory of the library folder named by %1 cannot be read (%2):\n%3")
                    .arg(namedBy, problem, QDir::toNativeSeparators(directoryFile(absolute)));
    }
    return {error.isEmpty(), source, absolute, error};
}

} // namespace

bool namesDirectoryFile(const QString &folder)
{
    const QFileInfo file(directoryFile(folder));
    return file.exists() || file.isSymLink();
}

QString directoryFileProblem(const QString &folder)
{
    const platform::FileOpening kind = platform::inspectFile(directoryFile(folder));
    return kind.problem == platform::FileProblem::None ? QString() : directoryProblem(kind);
}

LibraryLocation locateLibrary(const LibraryCandidates &candidates)
{
    if (!candidates.commandLine.isEmpty())
        return named(candidates.commandLine, LibrarySource::CommandLine, QStringLiteral("--library"));
    if (!candidates.environment.isEmpty())
        return named(candidates.environment, LibrarySource::Environment, QStringLiteral("VARNELOX_LIBRARY"));
    if (!candidates.programFolder.isEmpty() && namesDirectoryFile(candidates.programFolder))
        return {true, LibrarySource::ProgramFolder, absoluteFolder(candidates.programFolder), {}};
    if (!candidates.userDataFolder.isEmpty() && namesDirectoryFile(candidates.userDataFolder))
        return {true, LibrarySource::UserDataFolder, absoluteFolder(candidates.userDataFolder), {}};
    return {true, LibrarySource::Installed, absoluteFolder(candidates.installedFolder), {}};
}

} // namespace airportdata
