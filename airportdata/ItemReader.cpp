// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemReader.h"

#include <QtEndian>

#include <bit>

namespace airportdata {

namespace {

constexpr quint64 kOnes = 0x0101010101010101ULL;
constexpr quint64 kHighBits = 0x8080808080808080ULL;

// Marks the bytes of word that equal c; the lowest marked byte is always a true match.
constexpr quint64 bytesEqualTo(quint64 word, char c)
{
    const quint64 x = word ^ (kOnes * static_cast<unsigned char>(c));
    return (x - kOnes) & ~x;
}

// The first byte in [p, end) that is one of a, b or c, or end; eight bytes at a time.
template <char A, char B, char C> const char *findAnyOf(const char *p, const char *end)
{
    for (; end - p >= 8; p += 8) {
        const quint64 word = qFromLittleEndian<quint64>(p);
        const quint64 marks =
            (bytesEqualTo(word, A) | bytesEqualTo(word, B) | bytesEqualTo(word, C)) & kHighBits;
        if (marks != 0) {
            return p + std::countr_zero(marks) / 8;
        }
    }
    while (p != end && *p != A && *p != B && *p != C) {
        ++p;
    }
    return p;
}

// Completes the item whose terminator (comma, line end or the end of data) is at stop.
std::optional<Item> endItem(QByteArrayView data, QByteArrayView text, const char *stop, bool final)
{
    const char *end = data.end();
    if (stop == end || (*stop == '\r' && stop + 1 == end && !final)) {
        return final ? std::optional<Item>(Item{text, data.size()}) : std::nullopt;
    }
    const bool crLf = *stop == '\r' && stop + 1 != end && stop[1] == '\n';
    return Item{text, (stop - data.begin()) + (crLf ? 2 : 1)};
}

} // namespace

std::optional<Item> readItem(QByteArrayView data, bool final)
{
    if (data.isEmpty()) {
        return std::nullopt;
    }
    const char *begin = data.begin();
    const char *end = data.end();
    if (*begin != '"') {
        const char *stop = findAnyOf<',', '\r', '\n'>(begin, end);
        return endItem(data, QByteArrayView(begin, stop), stop, final);
    }
    const char *close = findAnyOf<'"', '\r', '\n'>(begin + 1, end);
    const QByteArrayView text(begin + 1, close);
    if (close == end || *close != '"') {
        return endItem(data, text, close, final);
    }
    return endItem(data, text, findAnyOf<',', '\r', '\n'>(close + 1, end), final);
}

} // namespace airportdata
