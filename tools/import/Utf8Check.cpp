// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8Check.h"

#include <QList>
#include <QString>

#include <cerrno>
#include <memory>

#include <iconv.h>

namespace import {

namespace {

// The offset of the first byte that is not UTF-8, as iconv finds it; -1 when there is none.
qsizetype invalidOffset(QByteArrayView bytes)
{
    const iconv_t converter = iconv_open("UTF-32LE", "UTF-8");
    if (converter == iconv_t(-1))
        return -1;
    const std::unique_ptr<void, int (*)(iconv_t)> owner(converter, iconv_close);
    char *input = const_cast<char *>(bytes.data());
    std::size_t inputLeft = std::size_t(bytes.size());
    char scratch[16384];
    while (inputLeft > 0) {
        char *output = scratch;
        std::size_t outputLeft = sizeof scratch;
        if (iconv(converter, &input, &inputLeft, &output, &outputLeft) != std::size_t(-1))
            break;
        if (errno != E2BIG)
            return input - bytes.data();
    }
    return -1;
}

} // namespace

std::optional<TextPlace> firstNonUtf8(QByteArrayView bytes)
{
    const qsizetype offset = invalidOffset(bytes);
    if (offset < 0)
        return std::nullopt;
    TextPlace place;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset; ++i) {
        const char c = bytes[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++place.line;
            lineStart = i + 1;
        }
    }
    place.column = QString::fromUtf8(bytes.sliced(lineStart, offset - lineStart)).toUcs4().size() + 1;
    return place;
}

} // namespace import
