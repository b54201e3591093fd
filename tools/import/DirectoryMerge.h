// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"
#include "DirectoryRecords.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>
#include <optional>

namespace import {

class ImportSummary;

struct MergedDirectory {
    QByteArray bytes;
    qsizetype written = 0;  // imported records written
    qsizetype kept = 0;     // records of the old directory kept
    qsizetype replaced = 0; // records of the old directory whose code the import brings, or that were revised
};

// The new directory: the records of the old one whose codes the import does not bring, byte for byte and in
// their order, then the imported records in the order given, each first made fit for the program
// (RecordFit; one that cannot be is left out, and an old record of its code kept). An old record that lacks
// the empty line that ends a record (the last one of a file) gets it.
MergedDirectory mergeDirectory(QByteArrayView oldDirectory, const QList<airportdata::AirportRecord> &imported,
                               ImportSummary &summary);

// The old directory with records rewritten in place: revise is given each record with its bytes and returns
// the bytes that replace them, or nothing to keep them. Everything else stays byte for byte, the bytes
// between and around the records included.
using RecordRevision =
    std::function<std::optional<QByteArray>(const airportdata::StoredRecord &, QByteArrayView)>;
MergedDirectory reviseDirectory(QByteArrayView oldDirectory, const RecordRevision &revise);

} // namespace import
