// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"

#include <QString>
#include <QStringList>

namespace import {

class ImportSummary;
class ProgressLine;

struct DtppOptions {
    QString metafile;      // d-TPP_Metafile.xml
    QString pdfFolder;     // the cycle's chart PDFs
    QStringList airports;  // only these codes; all when empty
    QString libraryFolder; // where Airports/ and airports.txt are written
};

// Writes the chart library of the airports of an FAA d-TPP cycle: per airport one PDF per chart category,
// joining that category's charts (ChartOrder, ChartJoiner). Missing or unreadable chart PDFs are reported and
// left out. Airports that get charts and have no record in airports.txt get one with their name and city, so
// that the program finds them; existing records are kept. The metafile, the PDF folder and the airport codes
// asked for are checked before anything is written.
Status importDtpp(const DtppOptions &options, ImportSummary &summary, ProgressLine &progress);

} // namespace import
