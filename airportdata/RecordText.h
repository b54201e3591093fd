#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace airportdata {

// Text of a directory record. Directories written on Windows hold Windows-1252, newer ones UTF-8: bytes that
// are valid UTF-8 are read as UTF-8, anything else as Windows-1252, so accented names come out right either
// way.
QString decodeText(QByteArrayView bytes);

// Decodes the fields of one record together: as UTF-8 when every field is valid UTF-8, else as Windows-1252.
QStringList decodeFields(const QList<QByteArray> &fields);

} // namespace airportdata
