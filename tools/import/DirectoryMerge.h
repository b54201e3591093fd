#pragma once

#include "AirportRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace import {

class ImportSummary;

struct MergedDirectory {
    QByteArray bytes;
    qsizetype written = 0;  // imported records written
    qsizetype kept = 0;     // records of the old directory kept
    qsizetype replaced = 0; // records of the old directory whose code the import brings
};

// The new directory: the records of the old one whose codes the import does not bring, byte for byte and in
// their order, then the imported records in the order given, each first made fit for the program
// (RecordFit; one that cannot be is left out, and an old record of its code kept). An old record that lacks
// the empty line that ends a record (the last one of a file) gets it.
MergedDirectory mergeDirectory(QByteArrayView oldDirectory, const QList<airportdata::AirportRecord> &imported,
                               ImportSummary &summary);

} // namespace import
