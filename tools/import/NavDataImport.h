// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"
#include "LocalizerTable.h"

#include <QString>

namespace import {

class ImportSummary;

struct NavDataOptions {
    NavDataSource navData;
    QString libraryFolder; // where airports.txt is revised
};

// Gives the runway ends of the library's airports the localizers of the simulators' navigation data, by the
// rule of planRunwayRows (StoredRecordRevision): records of airports without localizers stay byte for byte,
// as do the rows of the others that get none. The navigation data is read and checked before anything is
// written; the library must hold airports.txt already.
Status importNavData(const NavDataOptions &options, ImportSummary &summary);

} // namespace import
