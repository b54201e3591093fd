// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyMatcher.h"

#include "RecordText.h"

#include <algorithm>

namespace airportdata {

namespace {

constexpr qsizetype kCodeLength = 4;
// Six characters take at most this many bytes in UTF-8; in Windows-1252 each takes one.
constexpr qsizetype kKeyBytes = 6 * 4;

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

KeyMatcher::KeyMatcher(const QString &code)
{
    if (code.isEmpty() || code.size() > kCodeLength) {
        return;
    }
    m_code = code;
    if (isAscii(code)) {
        m_ascii = code.toLatin1();
    }
}

bool KeyMatcher::matches(QByteArrayView item) const
{
    if (m_code.isEmpty() || item.size() <= 2) {
        return false;
    }
    if (m_ascii.isEmpty()) {
        // Characters 3 to 6 of an item whose first bytes are plain ASCII are plain ASCII too.
        return !isAscii(item.first(std::min(item.size(), kKeyBytes))) && matchesDecoded(item);
    }
    if (!isAscii(item.first(2))) {
        return matchesDecoded(item);
    }
    // The first two characters are single bytes in either encoding, so characters 3 to 6 start at byte 2.
    const QByteArrayView key = item.sliced(2);
    return m_ascii.size() == kCodeLength ? key.startsWith(m_ascii) : key == m_ascii;
}

bool KeyMatcher::matchesDecoded(QByteArrayView item) const
{
    return decodeText(item).mid(2, kCodeLength) == m_code;
}

} // namespace airportdata
