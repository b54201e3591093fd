// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"
#include "LocalizerTable.h"

#include <QString>

namespace import {

class ImportSummary;
class ProgressLine;

struct OurAirportsOptions {
    QString airportsFile;  // airports.csv
    QString runwaysFile;   // runways.csv
    QString ilsFile;       // the FAA's ILS_BASE.csv; empty for none
    QString libraryFolder; // where airports.txt is written
    NavDataSource navData; // the simulators' navigation data; no file for none
};

// Builds directory records from OurAirports' files and merges them into the library's airports.txt: every
// input file is read and checked before anything is written, so bad input leaves the library as it was.
Status importOurAirports(const OurAirportsOptions &options, ImportSummary &summary, ProgressLine &progress);

} // namespace import
