// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavDataFile.h"

#include <charconv>
#include <cmath>

namespace import {

namespace {

constexpr int kVersion810 = 810;
constexpr int kVersion1100 = 1100;
constexpr int kLocalizerWithGlideSlope = 4;
constexpr int kLocalizerAlone = 5;
constexpr QByteArrayView kEndOfData("99");

// The lines of a file one after the other, without their line ends, counted from 1.
class LineCursor {
public:
    explicit LineCursor(QByteArrayView bytes)
        : m_bytes(bytes)
    {}

    std::optional<QByteArrayView> next()
    {
        if (m_position >= m_bytes.size())
            return std::nullopt;
        qsizetype end = m_bytes.indexOf('\n', m_position);
        if (end < 0)
            end = m_bytes.size();
        QByteArrayView line = m_bytes.sliced(m_position, end - m_position);
        m_position = end + 1;
        ++m_number;
        return line.endsWith('\r') ? line.chopped(1) : line;
    }
    qsizetype number() const { return m_number; }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    qsizetype m_number = 0;
};

// The blank-separated fields of a line.
QList<QByteArrayView> fieldsOf(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            fields.append(line.sliced(start, i - start));
    }
    return fields;
}

std::optional<double> numberOf(QByteArrayView text)
{
    double value = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Where the fields of a localizer row stand; version 1100 added the region before the runway.
struct Columns {
    int latitude = 1, longitude = 2, elevation = 3, frequency = 4, bearing = 6, ident = 7, airport = 8;
    int runway = 9;
};

class RowReader {
public:
    RowReader(const QString &fileName, qsizetype line, const QList<QByteArrayView> &fields)
        : m_fileName(fileName)
        , m_line(line)
        , m_fields(fields)
    {}

    QString place() const { return QStringLiteral("%1, line %2").arg(m_fileName).arg(m_line); }

    Status number(int column, const char *name, double low, double high, double &value) const
    {
        const std::optional<double> read = numberOf(m_fields[column]);
        const QString where =
            QStringLiteral("%1, column %2 (%3)").arg(place()).arg(column + 1).arg(QLatin1String(name));
        if (!read) {
            return Status::failure(
                QStringLiteral("%1: \"%2\" is not a number").arg(where, QString::fromUtf8(m_fields[column])));
        }
        if (*read < low || *read > high)
            return Status::failure(
                QStringLiteral("%1: %2 lies outside %3 to %4").arg(where).arg(*read).arg(low).arg(high));
        value = *read;
        return {};
    }

    QString text(int column) const { return QString::fromUtf8(m_fields[column]).toUpper(); }

private:
    const QString &m_fileName;
    qsizetype m_line;
    const QList<QByteArrayView> &m_fields;
};

Status readLocalizer(const RowReader &row, const Columns &c, NavLocalizer &localizer)
{
    double elevationFeet = 0, tenKilohertz = 0;
    for (const Status &status :
         {row.number(c.latitude, "latitude", -90, 90, localizer.position.latitude),
          row.number(c.longitude, "longitude", -180, 180, localizer.position.longitude),
          row.number(c.elevation, "elevation", -2000, 30000, elevationFeet),
          row.number(c.frequency, "frequency", 1, 99999, tenKilohertz),
          row.number(c.bearing, "bearing", 0, 360.0 * 361, localizer.trueBearing)}) {
        if (!status.ok)
            return status;
    }
    localizer.position.heightMetres = elevationFeet * 0.3048;
    localizer.megahertz = tenKilohertz / 100;
    // From version 1150 on the magnetic course, times 360, is added to the true bearing.
    localizer.trueBearing = std::fmod(localizer.trueBearing, 360.0);
    localizer.ident = row.text(c.ident);
    localizer.airport = row.text(c.airport);
    localizer.runwayEnd = row.text(c.runway);
    return {};
}

// The version that line 2 names ("810 Version - data cycle 2013.10, ...").
Status readVersion(const QString &fileName, QByteArrayView origin, QByteArrayView versionLine, int &version)
{
    const QList<QByteArrayView> fields = fieldsOf(versionLine);
    const QByteArrayView mark = origin.trimmed();
    const std::optional<double> number = fields.isEmpty() ? std::nullopt : numberOf(fields.first());
    // Line 1 says where the file was made ("I" or "A"); FlightGear's copy leaves it blank.
    if ((mark != "I" && mark != "A" && !mark.isEmpty()) || !number) {
        return Status::failure(fileName +
                               QStringLiteral(": not X-Plane navigation data (line 1 is not \"I\", "
                                              "\"A\" or blank, or line 2 names no version)"));
    }
    version = int(*number);
    if (version != kVersion810 && version < kVersion1100) {
        return Status::failure(
            QStringLiteral("%1, line 2: version %2 of the navigation data is not supported (810 and 1100 or "
                           "later are)")
                .arg(fileName, QString::fromUtf8(fields.first())));
    }
    return {};
}

} // namespace

Status readNavData(const QString &fileName, QByteArrayView bytes, QList<NavLocalizer> &localizers)
{
    LineCursor lines(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes);
    const QByteArrayView origin = lines.next().value_or(QByteArrayView());
    int version = 0;
    if (Status read = readVersion(fileName, origin, lines.next().value_or(QByteArrayView()), version);
        !read.ok)
        return read;
    Columns columns;
    if (version >= kVersion1100)
        columns.runway = 10;

    while (const std::optional<QByteArrayView> line = lines.next()) {
        const QList<QByteArrayView> fields = fieldsOf(*line);
        if (fields.isEmpty())
            continue;
        if (fields.first() == kEndOfData)
            return {};
        const RowReader row(fileName, lines.number(), fields);
        const std::optional<double> code = numberOf(fields.first());
        if (!code) {
            return Status::failure(QStringLiteral("%1, column 1 (row code): \"%2\" is not a number")
                                       .arg(row.place(), QString::fromUtf8(fields.first())));
        }
        if (*code != kLocalizerWithGlideSlope && *code != kLocalizerAlone)
            continue;
        if (fields.size() <= columns.runway) {
            return Status::failure(
                QStringLiteral("%1: a localizer row of version %2 has %3 fields or more, this "
                               "one %4")
                    .arg(row.place())
                    .arg(version)
                    .arg(columns.runway + 1)
                    .arg(fields.size()));
        }
        NavLocalizer localizer;
        localizer.withGlideSlope = *code == kLocalizerWithGlideSlope;
        localizer.line = lines.number();
        if (Status read = readLocalizer(row, columns, localizer); !read.ok)
            return read;
        localizers.append(std::move(localizer));
    }
    return Status::failure(QStringLiteral("%1: cut short: it ends at line %2 without the closing line \"99\"")
                               .arg(fileName)
                               .arg(lines.number()));
}

} // namespace import
