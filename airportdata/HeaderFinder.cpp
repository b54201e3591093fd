// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeaderFinder.h"

#include <string.h>

namespace airportdata {

namespace {

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// Where the line holding position at begins, but not before from. The byte after a line break always starts
// an item: quoted items end at the line end too.
qsizetype lineStart(QByteArrayView data, qsizetype from, qsizetype at)
{
    while (at > from && !isLineBreak(data[at - 1])) {
        --at;
    }
    return at;
}

// The start of the first item from start on that ends after position at, or of the item left incomplete.
qsizetype itemAround(QByteArrayView data, qsizetype start, qsizetype at, bool final)
{
    while (const std::optional<Item> item = readItem(data.sliced(start), final)) {
        if (start + item->length > at) {
            break;
        }
        start += item->length;
    }
    return start;
}

// Where the item left incomplete at the end of data starts. A CR at the very end may still be followed by
// its LF, so it does not count as a line break yet.
qsizetype incompleteItemStart(QByteArrayView data, qsizetype from)
{
    const qsizetype end = data.size() - (data.endsWith('\r') ? 1 : 0);
    qsizetype start = lineStart(data, from, std::max(from, end));
    while (const std::optional<Item> item = readItem(data.sliced(start), false)) {
        start += item->length;
    }
    return start;
}

} // namespace

HeaderFinder::HeaderFinder(const QString &code)
    : m_key(code)
{}

HeaderFinder::Step HeaderFinder::find(QByteArrayView data, qsizetype from, bool final) const
{
    return m_key.asciiCode().isEmpty() ? findItemByItem(data, from, final)
                                       : findByCodeBytes(data, from, final);
}

HeaderFinder::Step HeaderFinder::findByCodeBytes(QByteArrayView data, qsizetype from, bool final) const
{
    const QByteArray &code = m_key.asciiCode();
    for (;;) {
        const void *hit = from == data.size()
                              ? nullptr
                              : memmem(data.data() + from, data.size() - from, code.constData(), code.size());
        if (hit == nullptr) {
            return {std::nullopt, final ? data.size() : incompleteItemStart(data, from)};
        }
        // Items that end before the first place the code occurs cannot hold it: read only the one around it.
        const qsizetype at = static_cast<const char *>(hit) - data.data();
        const qsizetype start = itemAround(data, lineStart(data, from, at), at, final);
        const std::optional<Item> item = readItem(data.sliced(start), final);
        if (!item) {
            return {std::nullopt, start};
        }
        if (m_key.matches(item->text)) {
            return {item, start + item->length};
        }
        from = start + item->length;
    }
}

HeaderFinder::Step HeaderFinder::findItemByItem(QByteArrayView data, qsizetype from, bool final) const
{
    while (const std::optional<Item> item = readItem(data.sliced(from), final)) {
        from += item->length;
        if (m_key.matches(item->text)) {
            return {item, from};
        }
    }
    return {std::nullopt, from};
}

} // namespace airportdata
