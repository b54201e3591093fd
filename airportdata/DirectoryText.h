// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"

#include <QByteArray>

namespace airportdata {

// Makes a text fit for one field of the directory, which can hold no comma, no double quote, no field
// separator "|", no line break and no control character: a comma becomes ";", a double quote "'", "|"
// becomes "/", each line break (CR LF, CR or LF) one blank, and so does every other control character (NUL,
// tab, escape, DEL, the C1 controls). Returns how many replacements were made.
int makeDirectorySafe(QString &text);

// Every line of the directory is a candidate header line: one whose characters 3 to 6 are four capital
// letters is taken for the header of that code when it comes before the airport's own record. A runway line
// starts with its designator, so a designator such as "H-NORTH" is written with its letters from the third
// on in lower case ("H-north"), which no code typed in capitals matches. Returns 1 when it changed the
// designator, else 0.
int keepOutOfHeaderSearch(QString &designator);

// The record as the directory holds it, in UTF-8: each line's fields joined by "|" and ended by CR LF, then
// an empty line that ends the record. The fields must be directory-safe.
QByteArray directoryText(const AirportRecord &record);

} // namespace airportdata
