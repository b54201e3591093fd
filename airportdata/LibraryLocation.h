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
// a folder named there must exist and hold airports.txt, or the choice fails with a message saying so (a
// named folder is never passed over for another). Else the program folder when it holds airports.txt, else
// the user's data folder when it holds airports.txt, else the installed sample library, which is taken as it
// is. Relative folders are taken from the current working folder.
LibraryLocation locateLibrary(const LibraryCandidates &candidates);

// Whether the folder holds the directory file airports.txt.
bool holdsDirectoryFile(const QString &folder);

} // namespace airportdata
