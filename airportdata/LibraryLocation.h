// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace airportdata {

// The places a library (airports.txt and the Airports/ tree) may be in, in the order they are tried.
// An empty text stands for a place that was not given.
struct LibraryCandidates {
    QString commandLine;     // --library DIR
    QString environment;     // VARNELOX_LIBRARY
    QString programFolder;   // the executable's folder: a build or a portable program folder
    QString userDataFolder;  // the user's data folder, e.g. ~/.local/share/varnelox
    QString installedFolder; // the sample library installed with the program
};

enum class LibrarySource { CommandLine, Environment, ProgramFolder, UserDataFolder, Installed };

struct LibraryLocation {
    bool ok = false;
    LibrarySource source = LibrarySource::Installed;
    QString folder; // absolute and clean
    QString error;  // when not ok: which folder was named, where, and what is wrong with it
};

// Chooses the library folder: the folder named on the command line, else the one named by the environment;
// a folder named there must exist and hold airports.txt as a file, or the choice fails with a message saying
// what is wrong (a named folder is never passed over for another). Else the program folder when it holds
// anything named airports.txt, else the user's data folder when it does, else the installed sample library,
// which is taken as it is: a folder chosen for its airports.txt is the library even when that is no file
// (a folder, a pipe, a link that leads nowhere), and the lookup then says what is wrong with it. Relative
// folders are taken from the current working folder.
LibraryLocation locateLibrary(const LibraryCandidates &candidates);

// Whether the folder holds anything named airports.txt, the directory file or not.
bool namesDirectoryFile(const QString &folder);

// What is wrong with the folder's airports.txt as the directory file, in words a user understands ("it is a
// folder, not a file"); empty when it is a regular file (or a link to one).
QString directoryFileProblem(const QString &folder);

} // namespace airportdata
