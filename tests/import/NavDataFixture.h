// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

#include <zlib.h>

// Navigation data in X-Plane's format, written by the tests: an NDB row, localizer rows (4 with a glide
// slope, 5 alone) in the columns of version 810 or of 1100 and later (with the region), and the closing "99".
namespace fixture {

struct LocalizerRow {
    int code;
    double latitude;
    double longitude;
    int frequency; // in 10 kHz
    double trueBearing;
    QByteArray ident;
    QByteArray airport;
    QByteArray runwayEnd;
};

inline QByteArray navDataRows(int version, const QList<LocalizerRow> &rows)
{
    QByteArray text = "2  38.08777778 -077.32491667      0   396  50    0.0 APH  A P HILL NDB\n";
    for (const LocalizerRow &row : rows) {
        text += QByteArray::number(row.code) + "  " + QByteArray::number(row.latitude, 'f', 8) + " " +
                QByteArray::number(row.longitude, 'f', 8) + "     20 " + QByteArray::number(row.frequency) +
                "  18  " + QByteArray::number(row.trueBearing, 'f', 3) + " " + row.ident + " " + row.airport +
                (version >= 1100 ? " K6 " : " ") + row.runwayEnd +
                (row.code == 4 ? " ILS-cat-I\n" : " LOC\n");
    }
    return text;
}

inline QByteArray navData(int version, const QList<LocalizerRow> &rows)
{
    return "I\r\n" + QByteArray::number(version) + " Version - written by the tests.\r\n\r\n" +
           navDataRows(version, rows) + "99\r\n";
}

inline QByteArray gzipped(const QByteArray &data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray compressed(int(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(compressed.data());
    stream.avail_out = uInt(compressed.size());
    deflate(&stream, Z_FINISH);
    compressed.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return compressed;
}

} // namespace fixture
