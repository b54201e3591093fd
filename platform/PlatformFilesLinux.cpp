// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux side of Platform.h for writing files that last: each file and its folder flushed to disk
// (fsync) before a name points at it, a temporary file renamed over the old one, and two folders swapped in
// one step (renameat2 with RENAME_EXCHANGE).

#include "Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

FileWriting failed(int error)
{
    return {false, writingProblem(error)};
}

QByteArray systemName(const QString &path)
{
    return QFile::encodeName(path);
}

bool writeAll(int descriptor, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t written = write(descriptor, bytes.data(), size_t(bytes.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

// Writes the new file that descriptor is open on, flushed to disk when asked, then closes it; the error is
// left in errno.
bool fillAndClose(int descriptor, QByteArrayView bytes, bool flush)
{
    if (!writeAll(descriptor, bytes) || (flush && fsync(descriptor) != 0)) {
        const int error = errno;
        close(descriptor);
        errno = error;
        return false;
    }
    return close(descriptor) == 0;
}

bool renamed(const QString &from, const QString &to, unsigned int flags = 0)
{
    return renameat2(AT_FDCWD, systemName(from).constData(), AT_FDCWD, systemName(to).constData(), flags) ==
           0;
}

int createNew(const QString &path)
{
    if (path.contains(QChar(0))) {
        errno = ENOENT;
        return -1;
    }
    return open(systemName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

} // namespace

QString writingProblem(int systemError)
{
    switch (systemError) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EDQUOT:
        return QStringLiteral("the disk quota is used up");
    case EROFS:
        return QStringLiteral("the file system is read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("permission denied");
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("something of that name is in the way");
    default:
        return QString::fromLocal8Bit(std::strerror(systemError));
    }
}

FileWriting writeNewFile(const QString &path, QByteArrayView bytes)
{
    const int descriptor = createNew(path);
    if (descriptor < 0 || !fillAndClose(descriptor, bytes, false))
        return failed(errno);
    return {};
}

FileWriting replaceFile(const QString &path, QByteArrayView bytes)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    int descriptor = -1;
    QString temporary;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = QStringLiteral("%1/.%2.new-%3")
                        .arg(folder, target.fileName())
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        descriptor = createNew(temporary);
        if (descriptor < 0 && errno != EEXIST)
            return failed(errno);
    }
    if (descriptor < 0)
        return failed(EEXIST);
    struct stat old {};
    if (lstat(systemName(path).constData(), &old) == 0 && S_ISREG(old.st_mode))
        fchmod(descriptor, old.st_mode & 07777);
    if (!fillAndClose(descriptor, bytes, true) || !renamed(temporary, path)) {
        const FileWriting failure = failed(errno);
        unlink(systemName(temporary).constData());
        return failure;
    }
    return syncFolder(folder);
}

FileWriting syncFolder(const QString &folder)
{
    const int descriptor = open(systemName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return failed(errno);
    // Some file systems cannot flush a folder on its own; they keep it with the files.
    const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    const int error = errno;
    close(descriptor);
    return synced ? FileWriting() : failed(error);
}

FileWriting syncFileSystem(const QString &path)
{
    const int descriptor = open(systemName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return failed(errno);
    const bool synced = syncfs(descriptor) == 0;
    const int error = errno;
    close(descriptor);
    return synced ? FileWriting() : failed(error);
}

FileWriting exchangeEntries(const QString &first, const QString &second)
{
    if (renamed(first, second, RENAME_EXCHANGE))
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return failed(errno);
    // A file system that cannot swap (FAT, some network file systems): three renames.
    const QString aside = second + QStringLiteral(".swap");
    if (!renamed(first, aside) || !renamed(second, first) || !renamed(aside, second))
        return failed(errno);
    return {};
}

FileWriting renameToNewName(const QString &from, const QString &to)
{
    if (renamed(from, to, RENAME_NOREPLACE))
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return failed(errno);
    // A file system that cannot refuse to replace in the rename itself.
    struct stat existing {};
    if (lstat(systemName(to).constData(), &existing) == 0)
        return failed(EEXIST);
    return renamed(from, to) ? FileWriting() : failed(errno);
}

} // namespace platform
