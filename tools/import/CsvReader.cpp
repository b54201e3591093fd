// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"

#include <csv.h>

#include <algorithm>
#include <memory>

namespace import {

namespace {

// The state the parser's callbacks share while one file is read.
struct Reading {
    const CsvReader::RowHandler *handler = nullptr;
    CsvRow row;
    std::size_t fieldCount = 0;
    bool inRow = false;
    Status status;
};

void addField(void *data, std::size_t length, void *context)
{
    auto &reading = *static_cast<Reading *>(context);
    if (!reading.status.ok)
        return;
    std::vector<std::string> &fields = reading.row.fields;
    if (reading.fieldCount == fields.size())
        fields.emplace_back();
    fields[reading.fieldCount++].assign(static_cast<const char *>(data), length);
}

void endRow(int, void *context)
{
    auto &reading = *static_cast<Reading *>(context);
    reading.inRow = false;
    if (!reading.status.ok)
        return;
    reading.row.fields.resize(reading.fieldCount);
    reading.fieldCount = 0;
    reading.status = (*reading.handler)(reading.row);
}

// Fields keep their blanks: RFC 4180 counts them as part of the field.
int noBlanks(unsigned char)
{
    return 0;
}

// Where the line that starts at from ends, its line end (LF, CR LF or CR) included.
qsizetype lineEnd(QByteArrayView bytes, qsizetype from)
{
    const auto end =
        std::find_if(bytes.begin() + from, bytes.end(), [](char c) { return c == '\n' || c == '\r'; });
    if (end == bytes.end())
        return bytes.size();
    const qsizetype at = end - bytes.begin();
    return bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? at + 2 : at + 1;
}

bool isEmptyLine(QByteArrayView line)
{
    return line == "\n" || line == "\r\n" || line == "\r";
}

QString syntaxError(const QString &fileName, qsizetype line, qsizetype column)
{
    return QStringLiteral("%1, line %2, column %3: not CSV: a quote inside an unquoted field or text after a "
                          "closing quote")
        .arg(fileName)
        .arg(line)
        .arg(column);
}

} // namespace

Status CsvReader::read(const QString &fileName, QByteArrayView bytes, const RowHandler &handler)
{
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return Status::failure(fileName + QStringLiteral(": out of memory"));
    const std::unique_ptr<csv_parser, void (*)(csv_parser *)> owner(&parser, csv_free);
    csv_set_space_func(&parser, noBlanks);
    // The field buffer grows by a step at a time, 128 bytes unless told: a field of many megabytes then took
    // tens of thousands of reallocations. A step of an eighth of the input, up to a mebibyte, takes a few.
    csv_set_blk_size(&parser, std::size_t(std::clamp<qsizetype>(bytes.size() / 8, 128, qsizetype(1) << 20)));

    Reading reading;
    reading.handler = &handler;
    qsizetype position = 0;
    for (qsizetype line = 1; position < bytes.size() && reading.status.ok; ++line) {
        const qsizetype end = lineEnd(bytes, position);
        const QByteArrayView text = bytes.sliced(position, end - position);
        if (!reading.inRow && !isEmptyLine(text)) {
            reading.inRow = true;
            reading.row.line = line;
        }
        position = end;
        reading.row.consumed = position;
        const std::size_t parsed =
            csv_parse(&parser, text.data(), std::size_t(text.size()), addField, endRow, &reading);
        if (parsed != std::size_t(text.size()))
            return Status::failure(syntaxError(fileName, line, qsizetype(parsed) + 1));
    }
    if (!reading.status.ok)
        return reading.status;
    if (csv_fini(&parser, addField, endRow, &reading) != 0) {
        return Status::failure(QStringLiteral("%1, line %2: not CSV: a quoted field is never closed")
                                   .arg(fileName)
                                   .arg(reading.row.line));
    }
    return reading.status;
}

} // namespace import
