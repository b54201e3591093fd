// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace import {

// After an import into library: when the program in programFolder (the import tool's own folder), started
// without --library, would read another library, a note that says which one and how to read the new one;
// else nothing. The program's own rule decides (airportdata::locateLibrary): VARNELOX_LIBRARY, its own folder
// when it holds airports.txt, the user's data folder, the installed sample library (installedFolder).
QString otherLibraryNote(const QString &library, const QString &programFolder,
                         const QString &installedFolder);

} // namespace import
