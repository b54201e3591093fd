#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace chartgen {

// One runway direction as the directory file lists it; fields are kept as written ("16R", "3900 M").
struct RunwayEntry {
    QString number;
    QString width;
    QString length;
    QString surface;
    QString ilsFrequency;
    QString ilsCourse;
};

// One airport record of the directory file.
struct AirportRecord {
    QString code; // characters 3 to 6 of the header line
    QString name;
    QString longitude;
    QString latitude;
    QString height;
    QList<RunwayEntry> runways;
};

// Reads every record of a directory file: a header line with the code at characters 3 to 6, then one line
// per runway direction, an empty line ending the record. Lines end in CR LF or LF. Each line is decoded as
// UTF-8 when it is valid UTF-8, else as Windows-1252. Records whose code is not four letters or digits are
// skipped; missing fields, and fields holding only "-", read as empty.
QList<AirportRecord> parseAirportDirectory(const QByteArray &bytes);

} // namespace chartgen
