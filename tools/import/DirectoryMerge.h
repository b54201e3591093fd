#pragma once

#include "AirportRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace import {

struct MergedDirectory {
    QByteArray bytes;
    qsizetype kept = 0;     // records of the old directory kept
    qsizetype replaced = 0; // records of the old directory whose code the import brings
};

// The new directory: the records of the old one whose codes the import does not bring, byte for byte and in
// their order, then the imported records in the order given. An old record that lacks the empty line that
// ends a record (the last one of a file) gets it.
MergedDirectory mergeDirectory(QByteArrayView oldDirectory,
                               const QList<airportdata::AirportRecord> &imported);

} // namespace import
