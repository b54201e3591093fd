// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <optional>

namespace import {

// Where a text stops being UTF-8.
struct TextPlace {
    qsizetype line = 1;   // counted from 1; LF, CR LF and CR end a line
    qsizetype column = 1; // in characters, counted from 1
};

// The place of the first byte of bytes that is not part of valid UTF-8 (an invalid or cut-off sequence),
// or nothing when all of it is UTF-8.
std::optional<TextPlace> firstNonUtf8(QByteArrayView bytes);

} // namespace import
