// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryLock.h"

#include "Platform.h"

#include <QDir>
#include <QFile>

namespace import {

LibraryLock::LibraryLock(const QString &libraryFolder)
    : m_libraryFolder(libraryFolder)
    , m_file(QDir(libraryFolder).filePath(fileName()))
{
    // An import may run for an hour: only a holder that is gone makes the lock stale, never its age.
    m_file.setStaleLockTime(0);
}

// QLockFile does not say why it could not make its file: a file made the same way does.
QString LibraryLock::whyNoFile() const
{
    const QString probe = QDir(m_libraryFolder).filePath(fileName() + QStringLiteral(".probe"));
    QFile::remove(probe);
    const platform::FileWriting writing = platform::writeNewFile(probe, QByteArray(64, ' '));
    QFile::remove(probe);
    return writing.ok ? QStringLiteral("unknown error") : writing.reason;
}

Status LibraryLock::lock()
{
    if (m_file.tryLock(WaitMs))
        return {};
    if (m_file.error() != QLockFile::LockFailedError) {
        return Status::failure(QStringLiteral("%1: the lock file %2 cannot be made: %3")
                                   .arg(m_libraryFolder, fileName(), whyNoFile()));
    }
    qint64 process = 0;
    QString host;
    QString program;
    if (!m_file.getLockInfo(&process, &host, &program)) {
        return Status::failure(
            QStringLiteral("%1: another import is writing this library: run this one once it has ended")
                .arg(m_libraryFolder));
    }
    return Status::failure(
        QStringLiteral("%1: another import is writing this library (%2, process %3 on %4): "
                       "run this one once it has ended")
            .arg(m_libraryFolder, program.isEmpty() ? QStringLiteral("varnelox-import") : program)
            .arg(process)
            .arg(host));
}

} // namespace import
