// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportPositions.h"

#include "CoordinateText.h"
#include "Geodesy.h"
#include "ItemReader.h"

#include <GeographicLib/Geocentric.hpp>

#include <QBuffer>

#include <algorithm>
#include <array>

namespace airportdata {

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");
constexpr qsizetype CodeLength = 4;
constexpr qsizetype KeyLength = 2 + CodeLength;
constexpr qsizetype BlockBytes = qsizetype(1) << 17;
constexpr qsizetype MaxItemBytes = qsizetype(1) << 20;
// The straight line through the earth orders places almost as the way over the ellipsoid does; the few
// places within this share of the last one chosen are measured exactly before the nearest are taken.
constexpr double RoughMargin = 1.01;
constexpr int LongitudeField = 3;
constexpr int LatitudeField = 4;

bool isCodeCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::optional<quint32> packedCode(QByteArrayView key)
{
    if (key.size() < KeyLength)
        return std::nullopt;
    quint32 packed = 0;
    for (const char c : key.sliced(2, CodeLength)) {
        if (!isCodeCharacter(c))
            return std::nullopt;
        packed = packed << 8 | quint8(c);
    }
    return packed;
}

std::optional<quint32> packedCode(QStringView code)
{
    const QByteArray bytes = code.toLatin1();
    return code.size() == CodeLength ? packedCode("01" + bytes) : std::nullopt;
}

QString codeText(quint32 packed)
{
    QString code(CodeLength, Qt::Uninitialized);
    for (qsizetype i = CodeLength - 1; i >= 0; --i, packed >>= 8)
        code[i] = QLatin1Char(char(packed & 0xFF));
    return code;
}

// The header line's first fields, as many as the positions need, without a list of its own.
struct HeaderFields {
    static constexpr qsizetype Count = LatitudeField + 1;
    std::array<QByteArrayView, Count> fields;
    bool complete = false;

    explicit HeaderFields(QByteArrayView item)
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i < Count; ++i) {
            const qsizetype separator = item.indexOf('|', start);
            fields[i] = item.sliced(start, (separator < 0 ? item.size() : separator) - start);
            if (separator < 0) {
                complete = i + 1 == Count;
                return;
            }
            start = separator + 1;
        }
        complete = true;
    }
};

} // namespace

// Reads the items of a directory and keeps the code, position and offset of each record's header line.
class AirportPositions::Collector {
public:
    explicit Collector(std::vector<Entry> &entries)
        : m_entries(entries)
    {}

    qsizetype feed(QByteArrayView data, bool final)
    {
        qsizetype used = 0;
        if (m_offset == 0 && (final || data.size() >= ByteOrderMark.size()) && data.startsWith(ByteOrderMark))
            used = ByteOrderMark.size();
        while (const std::optional<Item> item = readItem(data.sliced(used), final)) {
            if (item->text.isEmpty())
                m_atRecordStart = true;
            else if (std::exchange(m_atRecordStart, false))
                addHeader(item->text, m_offset + used);
            used += item->length;
        }
        m_offset += used;
        return used;
    }

private:
    void addHeader(QByteArrayView item, qint64 offset)
    {
        const HeaderFields header(item);
        const std::optional<quint32> code = packedCode(header.fields[0]);
        if (!code || !header.complete)
            return;
        const std::optional<double> latitude = readAngle(header.fields[LatitudeField], Axis::Latitude);
        const std::optional<double> longitude = readAngle(header.fields[LongitudeField], Axis::Longitude);
        const std::optional<GeoPosition> position =
            latitude && longitude ? GeoPosition::fromDegrees(*latitude, *longitude) : std::nullopt;
        if (!position)
            return;
        const GeographicLib::Geocentric &earth = GeographicLib::Geocentric::WGS84();
        double x = 0;
        double y = 0;
        double z = 0;
        earth.Forward(position->latitude(), position->longitude(), 0, x, y, z);
        const double radius = earth.EquatorialRadius();
        m_entries.push_back(
            {*code, float(x / radius), float(y / radius), float(z / radius), *position, offset});
    }

    std::vector<Entry> &m_entries;
    qint64 m_offset = 0;
    bool m_atRecordStart = true;
};

AirportPositions AirportPositions::fromBytes(QByteArrayView directory)
{
    QByteArray bytes = directory.toByteArray();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    BlockReading reading;
    return read(buffer, reading);
}

AirportPositions AirportPositions::read(QIODevice &device, BlockReading &reading)
{
    AirportPositions positions;
    // A record takes some 200 to 300 bytes: room for all at once, rather than growing step by step.
    constexpr qint64 SmallestRecord = 200;
    positions.m_entries.reserve(
        std::size_t(std::max<qint64>(device.size() - device.pos(), 0) / SmallestRecord));
    Collector collector(positions.m_entries);
    reading =
        readInBlocks(device,
                     {[&collector](QByteArrayView data, bool final) { return collector.feed(data, final); },
                      [] { return false; }},
                     BlockBytes, MaxItemBytes);
    positions.finish();
    return positions;
}

// By code, the first record of each code only.
void AirportPositions::finish()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry &a, const Entry &b) { return a.code < b.code; });
    m_entries.erase(std::unique(m_entries.begin(), m_entries.end(),
                                [](const Entry &a, const Entry &b) { return a.code == b.code; }),
                    m_entries.end());
    m_entries.shrink_to_fit();
}

std::optional<GeoPosition> AirportPositions::positionOf(QStringView code) const
{
    const std::optional<quint32> packed = packedCode(code);
    if (!packed)
        return std::nullopt;
    const auto entry = std::lower_bound(m_entries.begin(), m_entries.end(), *packed,
                                        [](const Entry &e, quint32 c) { return e.code < c; });
    if (entry == m_entries.end() || entry->code != *packed)
        return std::nullopt;
    return entry->position;
}

QList<NearbyAirport> AirportPositions::nearest(const GeoPosition &from, int count) const
{
    if (count <= 0 || m_entries.empty())
        return {};
    // First a rough choice by the straight line through the earth, then the way over the ellipsoid.
    const GeographicLib::Geocentric &earth = GeographicLib::Geocentric::WGS84();
    double x = 0;
    double y = 0;
    double z = 0;
    earth.Forward(from.latitude(), from.longitude(), 0, x, y, z);
    const float fx = float(x / earth.EquatorialRadius());
    const float fy = float(y / earth.EquatorialRadius());
    const float fz = float(z / earth.EquatorialRadius());
    std::vector<std::pair<float, const Entry *>> rough;
    rough.reserve(m_entries.size());
    for (const Entry &entry : m_entries) {
        const float dx = entry.x - fx;
        const float dy = entry.y - fy;
        const float dz = entry.z - fz;
        rough.emplace_back(dx * dx + dy * dy + dz * dz, &entry);
    }
    const auto last = rough.begin() + std::min<qsizetype>(count, qsizetype(rough.size())) - 1;
    std::nth_element(rough.begin(), last, rough.end());
    const float within = last->first * float(RoughMargin * RoughMargin) + 1e-12f;
    QList<NearbyAirport> nearby;
    for (const auto &[squared, entry] : rough) {
        if (squared <= within)
            nearby.append({codeText(entry->code),
                           entry->position,
                           courseBetween(from, entry->position),
                           entry->offset,
                           {}});
    }
    std::sort(nearby.begin(), nearby.end(), [](const NearbyAirport &a, const NearbyAirport &b) {
        return std::tie(a.course.distance, a.code) < std::tie(b.course.distance, b.code);
    });
    nearby.resize(std::min<qsizetype>(count, nearby.size()));
    return nearby;
}

} // namespace airportdata
