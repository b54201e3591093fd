// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the directory reader with arbitrary bytes. Input: one byte that picks a block size, the code up to
// the first LF (when there is one within nine bytes), then the directory. The reader must never crash or
// hang, must read the same items and find the same record however the bytes arrive, and must give the same
// result from a file. The positions of the directory's airports must lie on the earth, and the nearest of
// them come nearest first.

#include "AirportDirectory.h"
#include "AirportPositions.h"
#include "DirectoryReader.h"
#include "ItemReader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace airportdata;

namespace {

// Longer than any input scripts/fuzz hands in, so no item is ever too long.
constexpr qsizetype kMaxInput = 1 << 16;
// As many fields as the main window places.
constexpr qsizetype kMaxFields = 151;

void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "directory fuzzer: %s\n", what);
        std::abort();
    }
}

QByteArrayList itemsOf(QByteArrayView bytes, qsizetype split)
{
    QByteArrayList items;
    qsizetype position = 0;
    for (const auto &[end, final] : {std::pair{split, false}, std::pair{bytes.size(), true}}) {
        while (const std::optional<Item> item = readItem(bytes.sliced(position, end - position), final)) {
            require(item->length > 0 && item->length <= end - position, "item length out of range");
            require(item->text.begin() >= bytes.begin() + position &&
                        item->text.end() <= bytes.begin() + position + item->length,
                    "item text outside its item");
            items.append(item->text.toByteArray());
            position += item->length;
        }
    }
    require(position == bytes.size(), "items do not cover the bytes");
    return items;
}

LookupResult searchInBlocks(const QByteArray &bytes, const QString &code, qsizetype block)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return searchDirectory(buffer, QStringLiteral("fuzz"), code, {kMaxFields, block, kMaxInput});
}

bool same(const LookupResult &a, const LookupResult &b)
{
    return a.status == b.status && a.record == b.record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("airports.txt"));

    const QByteArrayView input(data + 1, qsizetype(size - 1));
    const qsizetype newline = input.first(std::min<qsizetype>(input.size(), 9)).indexOf('\n');
    const QString code = newline < 0 ? QStringLiteral("LIRF") : QString::fromUtf8(input.first(newline));
    const QByteArray directory = input.sliced(newline + 1).toByteArray();

    const QByteArrayList items = itemsOf(directory, 0);
    require(itemsOf(directory, data[0] % (directory.size() + 1)) == items,
            "items depend on where reading paused");

    const LookupResult whole = searchInBlocks(directory, code, directory.size() + 1);
    require(whole.status != LookupStatus::Unreadable, "whole directory unreadable");
    require(whole.record.fields().size() <= kMaxFields, "more fields than asked for");
    require(same(searchInBlocks(directory, code, 1 + data[0] % 16), whole),
            "result depends on the block size");

    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(directory) == directory.size(),
            "cannot write the directory file");
    file.close();
    require(same(LookUpAirport(path, code, {.maxFields = kMaxFields}), whole), "file lookup differs");

    const AirportPositions positions = AirportPositions::fromBytes(directory);
    const QList<NearbyAirport> nearest = positions.nearest(*GeoPosition::fromDegrees(45, 9), 5);
    require(nearest.size() == std::min<qsizetype>(5, positions.size()),
            "fewer nearest airports than there are");
    for (qsizetype i = 0; i < nearest.size(); ++i) {
        const GeoPosition &place = nearest[i].position;
        require(std::abs(place.latitude()) <= 90 && std::abs(place.longitude()) <= 180,
                "a place off the earth");
        require(positions.positionOf(nearest[i].code) == place, "a code's position differs");
        require(i == 0 || !(nearest[i].course.distance < nearest[i - 1].course.distance),
                "not nearest first");
    }
    return 0;
}
