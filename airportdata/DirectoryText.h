#pragma once

#include "AirportRecord.h"

#include <QByteArray>

namespace airportdata {

// Makes a text fit for one field of the directory, which can hold no comma, no double quote, no field
// separator "|" and no line break: a comma becomes ";", a double quote "'", "|" becomes "/", and each line
// break (CR LF, CR or LF) one blank. Returns how many replacements were made.
int makeDirectorySafe(QString &text);

// The record as the directory holds it, in UTF-8: each line's fields joined by "|" and ended by CR LF, then
// an empty line that ends the record. The fields must be directory-safe.
QByteArray directoryText(const AirportRecord &record);

} // namespace airportdata
