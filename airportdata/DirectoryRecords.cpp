// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryRecords.h"

#include "ItemReader.h"
#include "RecordText.h"

namespace airportdata {

namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

QList<QByteArray> fieldsOf(QByteArrayView item)
{
    QList<QByteArray> fields;
    for (const QByteArrayView field : splitFields(item))
        fields.append(field.toByteArray());
    return fields;
}

} // namespace

QList<StoredRecord> readAllRecords(QByteArrayView bytes)
{
    QList<StoredRecord> records;
    qsizetype position = bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    QList<QList<QByteArray>> lines;
    qsizetype start = position;
    const auto finish = [&](qsizetype end) {
        if (!lines.isEmpty())
            records.append({decodeRecord(lines), start, end - start});
        lines.clear();
    };
    while (const std::optional<Item> item = readItem(bytes.sliced(position), true)) {
        if (lines.isEmpty())
            start = position;
        position += item->length;
        if (item->text.isEmpty())
            finish(position);
        else
            lines.append(fieldsOf(item->text));
    }
    finish(position);
    return records;
}

} // namespace airportdata
