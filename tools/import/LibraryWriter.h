// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartFolderWriter.h"
#include "ImportStatus.h"
#include "LibraryLock.h"

#include <QByteArray>
#include <QString>

namespace import {

// The library folder an import writes to when none is named: the folder in the environment variable
// VARNELOX_LIBRARY when it is set, else the user's data folder for Varnelox.
QString defaultLibraryFolder();
// The user's data folder for Varnelox (~/.local/share/varnelox), the same folder the program looks in.
QString userDataLibraryFolder();

// Writes into one library folder (airports.txt and the chart tree Airports/), one import at a time
// (LibraryLock), so that no file is ever left half written: airports.txt is replaced whole, after the old
// one is kept as airports.txt.bak, each flushed to disk (platform::replaceFile); each airport's chart folder
// is replaced whole (ChartFolderWriter). The library's own files are replaced, never written through a
// link: an airports.txt or airports.txt.bak that is a link, or no regular file, stops the import before
// anything is written.
class LibraryWriter {
public:
    explicit LibraryWriter(QString folder);

    // Makes the folder when it is missing, takes the library's lock for as long as this writer lives,
    // removes temporary files an interrupted import left, and reads the airport directory, if there is one
    // (never waiting: it must be a regular file).
    Status open();
    const QByteArray &oldDirectory() const { return m_oldDirectory; }

    Status replaceDirectory(const QByteArray &bytes);
    // The chart tree Airports/.
    ChartFolderWriter &charts() { return m_charts; }

    QString directoryPath() const;

private:
    Status makeFolder() const;
    Status checkOwnFile(const QString &path) const;
    void removeTemporaryFiles() const;
    Status readDirectory();

    QString m_folder;
    LibraryLock m_lock;
    ChartFolderWriter m_charts;
    QByteArray m_oldDirectory;
    bool m_hasDirectory = false;
};

} // namespace import
