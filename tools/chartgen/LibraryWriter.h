// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunwayLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace chartgen {

struct LibraryOptions {
    QStringList lowerCaseCodes; // airports whose folder and file names are written in lower case
    QStringList omittedCharts;  // charts left out, as "CODE/SUFFIX", for instance "LIPZ/3-1.PDF"
};

struct LibraryResult {
    bool ok = false;
    QString message; // what failed, when ok is false
    int airports = 0;
    int files = 0;
};

// The airports of a directory whose code is four capital letters or digits, in file order.
QList<AirportRecord> airportsOf(const QByteArray &directory);

// Writes the sample chart library: for every airport (the first record of a code wins) the folder
// Airports/<CODE> in the program folder, replaced as a whole, with one PDF per chart category named
// ADP + characters 3 and 4 of the code + the category's suffix.
LibraryResult writeChartLibrary(const QList<AirportRecord> &airports, const QString &programFolder,
                                const LibraryOptions &options);

} // namespace chartgen
