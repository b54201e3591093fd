// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvTable.h"

#include <QStringDecoder>

#include <charconv>
#include <cmath>

namespace import {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

CsvHeader::CsvHeader(QString fileName, const CsvRow &header)
    : m_fileName(std::move(fileName))
{
    for (const std::string &field : header.fields)
        m_names.append(QString::fromUtf8(trimmed(field)));
    if (!m_names.isEmpty() && m_names.first().startsWith(QChar(0xFEFF)))
        m_names.first().remove(0, 1);
}

int CsvHeader::optional(std::string_view name) const
{
    return int(m_names.indexOf(QString::fromUtf8(name)));
}

int CsvHeader::required(std::string_view name)
{
    const int index = optional(name);
    if (index < 0 && m_status.ok) {
        m_status = Status::failure(QStringLiteral("%1, line 1: no column \"%2\" in the header row")
                                       .arg(m_fileName, QString::fromUtf8(name)));
    }
    return index;
}

Status CsvHeader::checkRow(const CsvRow &row) const
{
    const qsizetype count = qsizetype(row.fields.size());
    if (count == m_names.size())
        return {};
    const QString place = QStringLiteral("%1, line %2").arg(m_fileName).arg(row.line);
    if (count < m_names.size()) {
        return Status::failure(
            QStringLiteral("%1, column \"%2\": missing (the row has %3 fields, the header %4 columns)")
                .arg(place, m_names[count])
                .arg(count)
                .arg(m_names.size()));
    }
    return Status::failure(QStringLiteral("%1, column %2: the row has %3 fields, the header only %4 columns")
                               .arg(place)
                               .arg(m_names.size() + 1)
                               .arg(count)
                               .arg(m_names.size()));
}

std::string_view CsvRecord::text(int column) const
{
    return column < 0 ? std::string_view() : std::string_view(m_row.fields[std::size_t(column)]);
}

Status CsvRecord::number(int column, std::optional<double> &value) const
{
    const std::string_view field = trimmed(text(column));
    value.reset();
    if (field.empty())
        return {};
    double number = 0;
    const char *end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, number);
    if (error != std::errc() || stop != end || !std::isfinite(number)) {
        return Status::failure(
            QStringLiteral("%1: \"%2\" is not a number").arg(place(column), QString::fromUtf8(field)));
    }
    value = number;
    return {};
}

Status CsvRecord::utf8(int column, QString &value) const
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    value = decoder(QByteArrayView(text(column)));
    if (decoder.hasError())
        return Status::failure(place(column) + QStringLiteral(": not UTF-8 text"));
    return {};
}

Status readTable(const QString &fileName, QByteArrayView bytes,
                 const std::function<Status(CsvHeader &)> &columns,
                 const std::function<Status(const CsvRecord &)> &rows)
{
    std::optional<CsvHeader> header;
    const Status status = CsvReader::read(fileName, bytes, [&](const CsvRow &row) -> Status {
        if (!header) {
            header.emplace(fileName, row);
            if (Status found = columns(*header); !found.ok)
                return found;
            return header->status();
        }
        if (Status fields = header->checkRow(row); !fields.ok)
            return fields;
        return rows(CsvRecord(*header, row));
    });
    if (status.ok && !header)
        return Status::failure(fileName + QStringLiteral(": empty, no header row"));
    return status;
}

QString CsvRecord::place(int column) const
{
    return QStringLiteral("%1, line %2, column \"%3\"")
        .arg(m_header.fileName())
        .arg(m_row.line)
        .arg(m_header.columnName(column));
}

} // namespace import
