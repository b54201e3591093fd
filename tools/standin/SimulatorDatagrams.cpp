// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatorDatagrams.h"

#include <QTime>

#include <cmath>

namespace {

constexpr int SecondsPerDay = 24 * 3600;

QByteArray checksummed(const QByteArray &body)
{
    quint8 sum = 0;
    for (const char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0') + "\r\n";
}

// "4221.0600,N" or "07100.7200,W": degrees, then minutes to four decimals, as FlightGear writes them.
QByteArray nmeaAngle(double degrees, int degreeDigits, char positive, char negative)
{
    const qint64 tenThousandths = std::llround(std::abs(degrees) * 60 * 10000);
    const qint64 wholeDegrees = tenThousandths / (60 * 10000);
    const double minutes = double(tenThousandths % (60 * 10000)) / 10000;
    return QByteArray::number(wholeDegrees).rightJustified(degreeDigits, '0') +
           QByteArray::number(minutes, 'f', 4).rightJustified(7, '0') + ',' +
           (degrees < 0 && tenThousandths != 0 ? negative : positive);
}

} // namespace

QByteArray networkGpsDatagram(const TrackPoint &point)
{
    return "XGPSStand-in," + QByteArray::number(point.position.longitude(), 'f', 6) + ',' +
           QByteArray::number(point.position.latitude(), 'f', 6) + ',' +
           QByteArray::number(point.altitude.inMetres(), 'f', 1) + ',' +
           QByteArray::number(point.track.inDegrees(), 'f', 2) + ',' +
           QByteArray::number(point.groundSpeed.inMetresPerSecond(), 'f', 1);
}

QByteArray nmeaDatagram(const TrackPoint &point)
{
    const QByteArray time =
        QTime(0, 0).addSecs(int(std::fmod(point.seconds, SecondsPerDay))).toString("HHmmss").toLatin1();
    const QByteArray latitude = nmeaAngle(point.position.latitude(), 2, 'N', 'S');
    const QByteArray longitude = nmeaAngle(point.position.longitude(), 3, 'E', 'W');
    return checksummed("GPRMC," + time + ",A," + latitude + ',' + longitude + ',' +
                       QByteArray::number(point.groundSpeed.inKnots(), 'f', 1) + ',' +
                       QByteArray::number(point.track.inDegrees(), 'f', 1) + ",120624,,") +
           checksummed("GPGGA," + time + ',' + latitude + ',' + longitude + ",1,08,0.9," +
                       QByteArray::number(point.altitude.inMetres(), 'f', 1) + ",M,,,,") +
           checksummed("GPGSA,A,3,01,02,03,04,05,06,07,08,,,,,1.0,0.9,0.5");
}

QList<QByteArray> junkDatagrams()
{
    return {QByteArray("\x00\xff\x13garbage\x80", 12),
            "XGPSStand-in," + QByteArray(2000, '9'),
            "XGPSStand-in,nan,42.36,100,45,70",
            "XGPSStand-in,-71.0,95.0,100,45,70",
            "XGPSStand-in,-71.0,42.36,100,45",
            "XTRAFFICStand-in,1,42.36,-71.0,1000,0,1,90,140,N123",
            "$GPGGA,1,0000.00,N,00000.00,E,1,8,1,3,M*00\r\n",
            "$GPRMC,1,A,9100.00,N,00000.00,E,10,90,120624,,*1F\r\n"};
}
