// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ItemReader.h"
#include "KeyMatcher.h"

namespace airportdata {

// Finds the first header line of an airport in directory bytes. Every item is a candidate. For a code of
// plain ASCII characters it looks for the code's bytes first, which every header line of that code holds, and
// reads only the items around each place where they occur; otherwise it tries every item in turn.
class HeaderFinder {
public:
    explicit HeaderFinder(const QString &code);

    // The outcome of one step: the header item, when found, and where reading goes on: after the header, or
    // at the start of the item left incomplete at the end of data (all of data when final).
    struct Step {
        std::optional<Item> header;
        qsizetype next = 0;
    };

    // Searches data from position from, which must be the start of an item. Needs a code that can match.
    Step find(QByteArrayView data, qsizetype from, bool final) const;

    // False when the code can never match (empty, or longer than four characters).
    bool canMatch() const { return m_key.canMatch(); }

private:
    Step findByCodeBytes(QByteArrayView data, qsizetype from, bool final) const;
    Step findItemByItem(QByteArrayView data, qsizetype from, bool final) const;

    KeyMatcher m_key;
};

} // namespace airportdata
