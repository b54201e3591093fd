// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <optional>

namespace airportdata {

// One item of comma-delimited sequential input: its text and the bytes it takes up, terminator included.
struct Item {
    QByteArrayView text;
    qsizetype length = 0;
};

// Reads the item at the start of data. An item ends at a comma or at a line end (CR LF, LF or CR); an empty
// line is an empty item. An item that begins with a double quote runs to the next double quote on its line,
// commas included, and what follows that quote up to the next comma or line end is dropped; a quote left open
// runs to the line end. Everything else is kept exactly as it stands, blanks included.
// Returns nothing when data is empty or, unless final says no more bytes follow, when the item could still
// continue past the end of data.
std::optional<Item> readItem(QByteArrayView data, bool final);

} // namespace airportdata
