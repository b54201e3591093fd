// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFit.h"

#include "AirportDirectory.h"
#include "DirectoryText.h"
#include "ImportSummary.h"

namespace import {

namespace {

const QString kShortened = QStringLiteral("texts cut to %1 bytes (the longest field written)");

// The length of the longest line of a record's text, its line end included.
qsizetype longestLine(QByteArrayView text)
{
    qsizetype longest = 0;
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        longest = std::max(longest, next - start);
        start = next;
    }
    return longest;
}

} // namespace

QString RecordFit::fitField(QString field)
{
    m_summary.count(kTextsChanged, airportdata::makeDirectorySafe(field));
    // A character takes at most three bytes of UTF-8 (four for two UTF-16 units).
    if (field.size() * 3 <= MaxFieldBytes)
        return field;
    const QByteArray bytes = field.toUtf8();
    if (bytes.size() <= MaxFieldBytes)
        return field;
    qsizetype end = MaxFieldBytes;
    while (end > 0 && (quint8(bytes[end]) & 0xC0) == 0x80) // not within a character
        --end;
    m_summary.count(kShortened.arg(MaxFieldBytes));
    return QString::fromUtf8(bytes.first(end));
}

QStringList RecordFit::fitFields(const QStringList &fields)
{
    QStringList fitted;
    fitted.reserve(fields.size());
    for (const QString &field : fields)
        fitted.append(fitField(field));
    return fitted;
}

std::optional<QByteArray> RecordFit::text(const airportdata::AirportRecord &record)
{
    QList<QStringList> lines;
    lines.reserve(record.lines().size());
    for (const QStringList &line : record.lines())
        lines.append(fitFields(line));
    const airportdata::AirportRecord fitted(fitFields(record.headerFields()), lines);
    const QByteArray text = airportdata::directoryText(fitted);
    // The fields hold no "|" and no line break now: the rest of the text is separators, line ends (one a line
    // and the empty line's) and the key.
    const qsizetype fieldBytes =
        text.size() - text.count('|') - 2 * (lines.size() + 2) - fitted.key().toUtf8().size();
    const airportdata::ReadLimits limits;
    if (fieldBytes > limits.maxRecordBytes ||
        (text.size() > limits.maxItemBytes && longestLine(text) > limits.maxItemBytes)) {
        m_summary.skip(
            QStringLiteral("records longer than the program reads (%1 bytes of text, %2 bytes a line)")
                .arg(limits.maxRecordBytes)
                .arg(limits.maxItemBytes));
        return std::nullopt;
    }
    return text;
}

} // namespace import
