// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportStatus.h"

#include <QByteArrayView>

#include <functional>
#include <string>
#include <vector>

namespace import {

// One row of a CSV file.
struct CsvRow {
    std::vector<std::string> fields;
    qsizetype line = 0;     // where the row starts, counted from 1
    qsizetype consumed = 0; // bytes of the file read so far
};

// Reads CSV text as RFC 4180 writes it: fields separated by commas, quoted fields holding commas, line breaks
// and quotes written twice. Line ends may be CR LF, LF or CR; empty lines are skipped. libcsv does the
// parsing, in its strict mode: a quote inside an unquoted field, text after a closing quote or a quoted field
// that is never closed is an error naming the file, the line and the column.
class CsvReader {
public:
    using RowHandler = std::function<Status(const CsvRow &)>;

    // Hands every row to handler in file order, the header row first, and stops at the first row the handler
    // refuses. fileName names the file in messages.
    static Status read(const QString &fileName, QByteArrayView bytes, const RowHandler &handler);
};

} // namespace import
