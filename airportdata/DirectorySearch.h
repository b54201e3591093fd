// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportDirectory.h"
#include "AirportRecord.h"
#include "HeaderFinder.h"

#include <QByteArray>
#include <QList>

namespace airportdata {

// Finds the record of one airport in the bytes of a directory, handed in as they arrive. Every item is a
// candidate header line; the first match wins. The record is the header item and the items that follow it up
// to an empty item or the end of the file; once it holds maxFields fields after its key, the record ends and
// the rest is not read. A record whose fields after its key hold more than maxRecordBytes ends the search
// with RecordTooLong. A UTF-8 byte order mark at the start of the file is skipped. A code that can match
// nothing (empty, or longer than four characters) is not searched for.
class DirectorySearch {
public:
    enum class State { Searching, Collecting, Found, NotFound, ItemTooLong, RecordTooLong };

    // Uses the limits' maxFields, maxItemBytes and maxRecordBytes.
    DirectorySearch(const QString &code, const ReadLimits &limits);

    // Reads what lies complete in data and returns how many bytes of it were used; the caller hands the rest
    // in again with more bytes after it. final says that no bytes follow data. When more than maxItemBytes
    // are left over, the item that starts there is too long to keep: the search ends with ItemTooLong.
    qsizetype feed(QByteArrayView data, bool final);

    bool done() const;
    State state() const { return m_state; }
    // Bytes of the file used so far; where the item that was too long begins.
    qint64 offset() const { return m_offset; }
    // The record found, decoded as a whole; empty unless Found.
    AirportRecord record() const;

private:
    qsizetype skipByteOrderMark(QByteArrayView data);
    qsizetype collect(QByteArrayView data, qsizetype from, bool final);
    void addLine(QByteArrayView item, bool isHeader);

    HeaderFinder m_header;
    qsizetype m_maxFields;
    qsizetype m_maxItemBytes;
    qsizetype m_maxRecordBytes;
    State m_state;
    bool m_atStart = true;
    qint64 m_offset = 0;
    QList<QList<QByteArray>> m_lines;
    qsizetype m_fieldCount = 0;  // after the key
    qsizetype m_recordBytes = 0; // of those fields
};

} // namespace airportdata
