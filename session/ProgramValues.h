// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace session {

// The few values that live for the whole run, handed to the windows that read and write them.
struct ProgramValues {
    QString libraryFolder;  // holds the airport directory airports.txt and the chart library Airports/
    QString soundFolder;    // holds the start-up sound cues
    QString sIcaoCode;      // airport code of the last lookup
    QString sChartPath;     // chart last handed to the main window's viewer
    qint16 bLoadToggle = 0; // 0 or 1: which panel layout the next load of the main window applies
};

} // namespace session
