// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramLibrary.h"

#include "LibraryLocation.h"
#include "LibraryWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace import {

namespace {

QString sameFolderForm(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// The folder as a shell takes it on a command line.
QString quoted(const QString &folder)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+:=@%^,-]+$"));
    if (plain.match(folder).hasMatch())
        return folder;
    return u'\'' + QString(folder).replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

QString whence(airportdata::LibrarySource source)
{
    switch (source) {
    case airportdata::LibrarySource::Environment:
        return QStringLiteral("the folder named by VARNELOX_LIBRARY");
    case airportdata::LibrarySource::ProgramFolder:
        return QStringLiteral("its own folder, which holds an airports.txt");
    case airportdata::LibrarySource::UserDataFolder:
        return QStringLiteral("your data folder");
    case airportdata::LibrarySource::Installed:
        return QStringLiteral("the sample library installed with it");
    case airportdata::LibrarySource::CommandLine:
        break;
    }
    return QStringLiteral("the folder named by --library");
}

} // namespace

QString otherLibraryNote(const QString &library, const QString &programFolder, const QString &installedFolder)
{
    const airportdata::LibraryLocation read =
        airportdata::locateLibrary({QString(), qEnvironmentVariable("VARNELOX_LIBRARY"), programFolder,
                                    userDataLibraryFolder(), installedFolder});
    if (read.ok && sameFolderForm(read.folder) == sameFolderForm(library))
        return {};
    const QString program = QDir(programFolder).filePath(QStringLiteral("varnelox"));
    const QString reads =
        read.ok ? QStringLiteral("reads\n  %1, %2\nand not").arg(read.folder, whence(read.source))
                : QStringLiteral("does not start:\n  %1\nand does not read")
                      .arg(QString(read.error).replace(u'\n', u' '));
    return QStringLiteral("Note: the program beside this tool (%1), started without --library, %2 this "
                          "library. To read this one, start it with\n"
                          "  varnelox --library %3\n"
                          "or set VARNELOX_LIBRARY to its folder.\n")
        .arg(program, reads, quoted(QFileInfo(library).absoluteFilePath()));
}

} // namespace import
