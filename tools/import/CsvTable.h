// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CsvReader.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

namespace import {

// The columns of a CSV file, named by its header row. Looks up the columns an import reads, remembers the
// first required one that is missing, and checks that every row has a field for each column.
class CsvHeader {
public:
    CsvHeader(QString fileName, const CsvRow &header);

    // The index of the column, or -1 when the file has none of that name (an error for a required one).
    int required(std::string_view name);
    int optional(std::string_view name) const;
    // The first missing required column, if any.
    Status status() const { return m_status; }
    // An error for a row with fewer or more fields than the header has columns.
    Status checkRow(const CsvRow &row) const;

    const QString &fileName() const { return m_fileName; }
    QString columnName(int column) const { return m_names.value(column); }

private:
    QString m_fileName;
    QStringList m_names;
    Status m_status;
};

// The fields of one row, read by column index; a column of -1 reads as empty.
class CsvRecord {
public:
    CsvRecord(const CsvHeader &header, const CsvRow &row)
        : m_header(header)
        , m_row(row)
    {}

    std::string_view text(int column) const;
    // The field as a decimal number: nothing when it is empty, an error naming the place when it is no
    // number.
    Status number(int column, std::optional<double> &value) const;
    // The field as UTF-8 text: an error naming the place when its bytes are not UTF-8.
    Status utf8(int column, QString &value) const;
    // "airports.csv, line 12, column "elevation_ft""
    QString place(int column) const;
    const QString &fileName() const { return m_header.fileName(); }
    QString columnName(int column) const { return m_header.columnName(column); }
    // Bytes of the file read up to the end of this row.
    qsizetype consumed() const { return m_row.consumed; }
    // The line the row starts on, counted from 1.
    qsizetype line() const { return m_row.line; }

private:
    const CsvHeader &m_header;
    const CsvRow &m_row;
};

// Reads a CSV file whose first row names its columns. columns is called with the header to look the columns
// up; then rows with each further row, once its field count is checked. The first failure ends the read; an
// empty file is an error.
Status readTable(const QString &fileName, QByteArrayView bytes,
                 const std::function<Status(CsvHeader &)> &columns,
                 const std::function<Status(const CsvRecord &)> &rows);

} // namespace import
