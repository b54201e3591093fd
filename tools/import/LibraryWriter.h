#pragma once

#include "ImportStatus.h"

#include <QByteArray>
#include <QString>

namespace import {

// The library folder an import writes to when none is named: the folder in the environment variable
// VARNELOX_LIBRARY when it is set, else the user's data folder for Varnelox (~/.local/share/varnelox, the
// same folder the program looks in).
QString defaultLibraryFolder();

// Writes into one library folder (airports.txt and the chart tree Airports/) so that no file is ever left
// half written: each file is written to a temporary file beside it and renamed into place once complete, and
// airports.txt, when replaced, is kept first as airports.txt.bak.
class LibraryWriter {
public:
    explicit LibraryWriter(QString folder);

    // Makes the folder when it is missing and reads the airport directory in it, if there is one.
    Status open();
    const QByteArray &oldDirectory() const { return m_oldDirectory; }

    Status replaceDirectory(const QByteArray &bytes);
    // Airports/<code>/ADP<characters 3 and 4 of code><chart number>-1.PDF
    Status writeChart(const QString &code, int categoryIndex, const QByteArray &pdf);

    QString directoryPath() const;

private:
    static Status writeFile(const QString &path, const QByteArray &bytes);

    QString m_folder;
    QByteArray m_oldDirectory;
    bool m_hasDirectory = false;
};

} // namespace import
