// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace airportdata {

// Text of a directory record. Directories written on Windows hold Windows-1252, newer ones UTF-8: bytes that
// are valid UTF-8 are read as UTF-8, anything else as Windows-1252, so accented names come out right either
// way.
QString decodeText(QByteArrayView bytes);

// The fields of one item: the texts between its field separators "|", empty ones included; an item without a
// separator is one field.
QList<QByteArrayView> splitFields(QByteArrayView item);

// Decodes the fields of one record together: as UTF-8 when every field is valid UTF-8, else as Windows-1252.
QStringList decodeFields(const QList<QByteArray> &fields);

// A record from the fields of its lines, the header line first, decoded together as decodeFields does.
AirportRecord decodeRecord(const QList<QList<QByteArray>> &lines);

} // namespace airportdata
