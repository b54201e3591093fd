// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace airportdata {

// One runway line of an airport record. The directory shows the designator, length, ILS frequency and ILS
// course; the surface, the width and the fields after the course are kept but not shown.
struct RunwayRecord {
    QString designator; // "16R", "04R/22L"
    QString surface;    // "ASPH"
    QString length;     // "3900 M"
    QString width;      // "60 M"
    QString ilsFrequency;
    QString ilsCourse;
    QStringList fieldsNotShown; // after the course: six in a well-formed line

    // The fields of a runway line in their order; missing fields read as empty.
    static RunwayRecord fromFields(const QStringList &fields);
    QStringList fields() const;

    friend bool operator==(const RunwayRecord &, const RunwayRecord &) = default;
};

// One airport of the directory, as its lines hold it: the header line (key field, country, name, longitude,
// latitude, height, municipality) and one line per runway. The fields are kept exactly as they stand, so a
// record that is not well formed (a header of other than seven fields, a line split at a comma) keeps its
// fields in their order; the named accessors read them by their place in a well-formed record.
class AirportRecord {
public:
    // The values of a well-formed header line after its key.
    struct Header {
        QString country; // not shown
        QString name;
        QString longitude;    // "E 012 14 20"
        QString latitude;     // "N 41 48 01"
        QString height;       // "15 FT"
        QString municipality; // not shown
    };

    AirportRecord() = default;
    // As read: the header line's fields, the key field first, and the fields of each line after it.
    AirportRecord(QStringList headerFields, QList<QStringList> lines);
    // A well-formed record: key "01" + code, a header of seven fields, one line per runway.
    static AirportRecord compose(const QString &code, const Header &header,
                                 const QList<RunwayRecord> &runways);

    bool isEmpty() const { return m_header.isEmpty(); }
    // The header line's field 0, which holds the code at its characters 3 to 6.
    QString key() const { return m_header.value(0); }
    QString code() const { return key().mid(2, 4); }

    Header header() const;
    QString name() const { return m_header.value(2); }
    QString longitude() const { return m_header.value(3); }
    QString latitude() const { return m_header.value(4); }
    QString height() const { return m_header.value(5); }
    // One runway for each line after the header.
    QList<RunwayRecord> runways() const;

    // Every field after the key, in the order the directory holds them: the header's, then each line's.
    QStringList fields() const;
    const QStringList &headerFields() const { return m_header; }
    const QList<QStringList> &lines() const { return m_lines; }

    friend bool operator==(const AirportRecord &, const AirportRecord &) = default;

private:
    QStringList m_header;
    QList<QStringList> m_lines;
};

} // namespace airportdata
