#include "RecordFit.h"

#include "AirportDirectory.h"
#include "DirectoryText.h"
#include "ImportSummary.h"

namespace import {

namespace {

const QString kShortened = QStringLiteral("texts cut to %1 bytes (the longest field written)");

// The bytes the line takes in the directory: its fields joined by "|", then CR LF.
qsizetype lineBytes(const QStringList &fields)
{
    qsizetype bytes = 2 + std::max<qsizetype>(0, fields.size() - 1);
    for (const QString &field : fields)
        bytes += field.toUtf8().size();
    return bytes;
}

} // namespace

QString RecordFit::fitField(QString field)
{
    m_summary.count(kTextsChanged, airportdata::makeDirectorySafe(field));
    QByteArray bytes = field.toUtf8();
    if (bytes.size() <= MaxFieldBytes)
        return field;
    qsizetype end = MaxFieldBytes;
    while (end > 0 && (quint8(bytes[end]) & 0xC0) == 0x80) // not within a character
        --end;
    m_summary.count(kShortened.arg(MaxFieldBytes));
    return QString::fromUtf8(bytes.first(end));
}

std::optional<airportdata::AirportRecord> RecordFit::fit(const airportdata::AirportRecord &record)
{
    const airportdata::ReadLimits limits;
    QStringList header;
    for (const QString &field : record.headerFields())
        header.append(fitField(field));
    QList<QStringList> lines;
    for (const QStringList &line : record.lines()) {
        QStringList &fitted = lines.emplace_back();
        for (const QString &field : line)
            fitted.append(fitField(field));
    }
    const airportdata::AirportRecord fitted(header, lines);
    qsizetype recordBytes = 0;
    for (const QString &field : fitted.fields())
        recordBytes += field.toUtf8().size();
    bool tooLong = recordBytes > limits.maxRecordBytes || lineBytes(header) > limits.maxItemBytes;
    for (const QStringList &line : lines)
        tooLong = tooLong || lineBytes(line) > limits.maxItemBytes;
    if (tooLong) {
        m_summary.skip(
            QStringLiteral("records longer than the program reads (%1 bytes of text, %2 bytes a line)")
                .arg(limits.maxRecordBytes)
                .arg(limits.maxItemBytes));
        return std::nullopt;
    }
    return fitted;
}

} // namespace import
