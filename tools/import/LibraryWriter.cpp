// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryWriter.h"

#include "Platform.h"
#include "SourceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace import {

namespace {

Status written(const QString &path, const platform::FileWriting &writing)
{
    return writing.ok ? Status()
                      : Status::failure(path + QStringLiteral(": cannot be written: ") + writing.reason);
}

} // namespace

QString defaultLibraryFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VARNELOX_LIBRARY");
    return fromEnvironment.isEmpty() ? userDataLibraryFolder() : fromEnvironment;
}

QString userDataLibraryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/varnelox");
}

LibraryWriter::LibraryWriter(QString folder)
    : m_folder(std::move(folder))
    , m_lock(m_folder)
    , m_charts(m_folder + QStringLiteral("/Airports"))
{}

QString LibraryWriter::directoryPath() const
{
    return m_folder + QStringLiteral("/airports.txt");
}

Status LibraryWriter::open()
{
    if (Status made = makeFolder(); !made.ok)
        return made;
    if (Status locked = m_lock.lock(); !locked.ok)
        return locked;
    for (const QString &path : {directoryPath(), directoryPath() + QStringLiteral(".bak")}) {
        if (Status own = checkOwnFile(path); !own.ok)
            return own;
    }
    removeTemporaryFiles();
    return readDirectory();
}

Status LibraryWriter::makeFolder() const
{
    if (platform::fileKind(m_folder) != platform::FileKind::Missing)
        return checkFolder(m_folder);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(m_folder).toStdString()),
                                        error);
    if (!error)
        return {};
    // Say which folder on the way is in the way.
    for (QString above = QFileInfo(m_folder).absolutePath(); !QDir(above).isRoot();
         above = QFileInfo(above).path()) {
        if (platform::fileKind(above) != platform::FileKind::Missing) {
            if (Status folder = checkFolder(above); !folder.ok)
                return Status::failure(m_folder + QStringLiteral(": cannot be made: ") + folder.message);
            break;
        }
    }
    return Status::failure(m_folder + QStringLiteral(": cannot be made: ") +
                           platform::writingProblem(error.value()));
}

Status LibraryWriter::checkOwnFile(const QString &path) const
{
    switch (platform::fileKind(path, false)) {
    case platform::FileKind::Missing:
    case platform::FileKind::Regular:
        return {};
    case platform::FileKind::Link:
        return Status::failure(path +
                               QStringLiteral(": is a link: an import writes no file through a link and "
                                              "leaves links alone; put the file itself in its place, or "
                                              "import into the folder it leads to"));
    default: {
        QFile file;
        const Status opened = openSourceFile(path, file);
        return opened.ok ? Status() : opened;
    }
    }
}

// Left by an import that was killed while it replaced airports.txt or its backup (platform::replaceFile).
void LibraryWriter::removeTemporaryFiles() const
{
    const QDir folder(m_folder);
    for (const QString &name :
         folder.entryList({QStringLiteral(".airports.txt.new-*"), QStringLiteral(".airports.txt.bak.new-*")},
                          QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(folder.filePath(name));
}

Status LibraryWriter::readDirectory()
{
    m_hasDirectory = platform::fileKind(directoryPath()) != platform::FileKind::Missing;
    if (!m_hasDirectory)
        return {};
    return readSourceFile(directoryPath(), m_oldDirectory);
}

Status LibraryWriter::replaceDirectory(const QByteArray &bytes)
{
    if (m_hasDirectory) {
        const QString backup = directoryPath() + QStringLiteral(".bak");
        if (Status kept = written(backup, platform::replaceFile(backup, m_oldDirectory)); !kept.ok)
            return kept;
    }
    return written(directoryPath(), platform::replaceFile(directoryPath(), bytes));
}

} // namespace import
