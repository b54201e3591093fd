// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"

#include <QLockFile>
#include <QString>

namespace import {

// One import at a time per library: the lock file .varnelox-import.lock in the library folder, held from
// before the import reads the library until it has written it. Another import waits up to WaitMs for it and
// then stops with a message that names the import holding it (process and host). The lock of an import that
// was killed, a process that is gone on this host, is taken over.
class LibraryLock {
public:
    static constexpr int WaitMs = 3000;

    explicit LibraryLock(const QString &libraryFolder);
    Q_DISABLE_COPY_MOVE(LibraryLock)

    Status lock();

    static QString fileName() { return QStringLiteral(".varnelox-import.lock"); }

private:
    QString whyNoFile() const;

    QString m_libraryFolder;
    QLockFile m_file;
};

} // namespace import
