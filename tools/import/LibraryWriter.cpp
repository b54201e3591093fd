#include "LibraryWriter.h"

#include "ChartLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace import {

QString defaultLibraryFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VARNELOX_LIBRARY");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/varnelox");
}

LibraryWriter::LibraryWriter(QString folder)
    : m_folder(std::move(folder))
{}

QString LibraryWriter::directoryPath() const
{
    return m_folder + QStringLiteral("/airports.txt");
}

Status LibraryWriter::open()
{
    const QFileInfo folder(m_folder);
    if (folder.exists() && !folder.isDir())
        return Status::failure(m_folder + QStringLiteral(": not a folder"));
    if (!QDir().mkpath(m_folder))
        return Status::failure(m_folder + QStringLiteral(": the library folder cannot be made"));
    QFile directory(directoryPath());
    m_hasDirectory = directory.exists();
    if (!m_hasDirectory)
        return {};
    if (!directory.open(QIODevice::ReadOnly))
        return Status::failure(directoryPath() + QStringLiteral(": cannot be read: ") +
                               directory.errorString());
    m_oldDirectory = directory.readAll();
    if (directory.error() != QFileDevice::NoError)
        return Status::failure(directoryPath() + QStringLiteral(": cannot be read: ") +
                               directory.errorString());
    return {};
}

Status LibraryWriter::writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(path + QStringLiteral(": cannot be written: ") + file.errorString());
    return {};
}

Status LibraryWriter::replaceDirectory(const QByteArray &bytes)
{
    if (m_hasDirectory) {
        if (Status backup = writeFile(directoryPath() + QStringLiteral(".bak"), m_oldDirectory); !backup.ok)
            return backup;
    }
    return writeFile(directoryPath(), bytes);
}

Status LibraryWriter::writeChart(const QString &code, int categoryIndex, const QByteArray &pdf)
{
    const QString path = airportdata::ChartFilePath(m_folder, code, categoryIndex);
    if (!QDir().mkpath(QFileInfo(path).path()))
        return Status::failure(QFileInfo(path).path() + QStringLiteral(": cannot be made"));
    return writeFile(path, pdf);
}

} // namespace import
