// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LibraryLocation.h"

#include <QString>

namespace app {

// The data folder of an installed program (share/varnelox), from the folder that holds its executable.
QString installedDataFolder(const QString &programFolder);

// Where the start-up sound cues are: beside the executable in a build or a portable program folder, else in
// the installed data folder.
QString soundFolder(const QString &programFolder);

// The World Magnetic Model's files, which the import tool turns true bearings into magnetic courses with:
// magnetic/ beside the executable in a build or a portable program folder, else the installed data folder's.
QString magneticModelFolder(const QString &programFolder);

// The sound helper: beside the executable in a build or a portable program folder, else in the installed
// helper folder (libexec/varnelox). When neither holds it, the path beside the executable: the start-up
// cues then stay silent.
QString soundHelper(const QString &programFolder);

// The library the program reads: --library (libraryOption), VARNELOX_LIBRARY, the program folder, the
// user's data folder, the installed sample library (airportdata::locateLibrary has the rule).
airportdata::LibraryLocation locateProgramLibrary(const QString &programFolder, const QString &libraryOption);

// Says which library the run uses, and from where, in the directory's logging category.
void logLibraryChoice(const airportdata::LibraryLocation &location);

} // namespace app
