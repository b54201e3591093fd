#pragma once

#include "airportdata/HeaderFinder.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace airportdata {

// Finds the record of one airport in the bytes of a directory, handed in as they arrive. Every item is a
// candidate header line; the first match wins. The header's fields after its key, then every field of the
// following items up to an empty item or the end of the file, fill the slots in order, at most kSlotCount;
// fields past the last slot are ignored. A UTF-8 byte order mark at the start of the file is skipped. A code
// that can match nothing (empty, or longer than four characters) is not searched for.
class DirectorySearch {
public:
    static constexpr qsizetype kSlotCount = 151;
    static constexpr qsizetype kDefaultMaxItemBytes = qsizetype(1) << 20;

    enum class State { Searching, Collecting, Found, NotFound, ItemTooLong };

    explicit DirectorySearch(const QString &code, qsizetype maxItemBytes = kDefaultMaxItemBytes);

    // Reads what lies complete in data and returns how many bytes of it were used; the caller hands the rest
    // in again with more bytes after it. final says that no bytes follow data. When more than maxItemBytes
    // are left over, the item that starts there is too long to keep: the search ends with ItemTooLong.
    qsizetype feed(QByteArrayView data, bool final);

    bool done() const;
    State state() const { return m_state; }
    // Bytes of the file used so far; where the item that was too long begins.
    qint64 offset() const { return m_offset; }
    QStringList slotTexts() const;

private:
    qsizetype skipByteOrderMark(QByteArrayView data);
    qsizetype collect(QByteArrayView data, qsizetype from, bool final);
    void addFields(QByteArrayView item, bool skipKey);

    HeaderFinder m_header;
    qsizetype m_maxItemBytes;
    State m_state;
    bool m_atStart = true;
    qint64 m_offset = 0;
    QList<QByteArray> m_fields;
};

} // namespace airportdata
