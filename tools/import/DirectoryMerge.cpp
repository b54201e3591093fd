// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryMerge.h"

#include "DirectoryText.h"
#include "RecordFit.h"

#include <QSet>

namespace import {

namespace {

qsizetype lineEndAtEnd(QByteArrayView bytes)
{
    if (bytes.endsWith("\r\n"))
        return 2;
    return bytes.endsWith('\n') || bytes.endsWith('\r') ? 1 : 0;
}

// The bytes that end a record that stops at the end of the file without its empty line.
QByteArrayView missingEnd(QByteArrayView record)
{
    const qsizetype lineEnd = lineEndAtEnd(record);
    if (lineEnd == 0)
        return "\r\n\r\n";
    return lineEndAtEnd(record.chopped(lineEnd)) > 0 ? QByteArrayView() : QByteArrayView("\r\n");
}

} // namespace

MergedDirectory mergeDirectory(QByteArrayView oldDirectory, const QList<airportdata::AirportRecord> &imported,
                               ImportSummary &summary)
{
    RecordFit fit(summary);
    QByteArray importedText;
    QSet<QString> codes;
    MergedDirectory merged;
    for (const airportdata::AirportRecord &record : imported) {
        if (const std::optional<QByteArray> text = fit.text(record)) {
            codes.insert(record.code());
            importedText += *text;
            ++merged.written;
        }
    }

    merged.bytes.reserve(oldDirectory.size() + importedText.size());
    for (const airportdata::StoredRecord &stored : airportdata::readAllRecords(oldDirectory)) {
        if (codes.contains(stored.record.code())) {
            ++merged.replaced;
            continue;
        }
        const QByteArrayView bytes = oldDirectory.sliced(stored.offset, stored.size);
        merged.bytes += bytes;
        merged.bytes += missingEnd(bytes);
        ++merged.kept;
    }
    merged.bytes += importedText;
    return merged;
}

MergedDirectory reviseDirectory(QByteArrayView oldDirectory, const RecordRevision &revise)
{
    MergedDirectory revised;
    revised.bytes.reserve(oldDirectory.size() + oldDirectory.size() / 16);
    qsizetype copied = 0;
    for (const airportdata::StoredRecord &stored : airportdata::readAllRecords(oldDirectory)) {
        const QByteArrayView bytes = oldDirectory.sliced(stored.offset, stored.size);
        const std::optional<QByteArray> replacement = revise(stored, bytes);
        revised.bytes += oldDirectory.sliced(copied, stored.offset - copied);
        revised.bytes += replacement ? QByteArrayView(*replacement) : bytes;
        copied = stored.offset + stored.size;
        ++(replacement ? revised.replaced : revised.kept);
    }
    revised.bytes += oldDirectory.sliced(copied);
    return revised;
}

} // namespace import
