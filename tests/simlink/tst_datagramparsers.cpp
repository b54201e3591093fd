// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkGpsParser.h"
#include "NmeaParser.h"

#include <QTest>

using namespace simlink;

Q_DECLARE_METATYPE(simlink::Rejection)

namespace {

// An NMEA sentence with its checksum.
QByteArray sentence(const QByteArray &body)
{
    quint8 sum = 0;
    for (const char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

// What FlightGear sends at Boston: RMC, GGA and GSA in one datagram.
QByteArray flightGearNmea()
{
    return sentence("GPRMC,142213,A,4221.0600,N,07100.7200,W,142.0,45.0,120624,15.2,W") + "\r\n" +
           sentence("GPGGA,142213,4221.0600,N,07100.7200,W,1,08,0.9,381.0,M,,,,") + "\r\n" +
           sentence("GPGSA,A,3,01,02,03,04,05,06,07,08,,,,,1.0,0.9,0.5") + "\r\n";
}

} // namespace

// The two formats simulators send, read strictly: what is accepted and why the rest is not.
class TestDatagramParsers : public QObject {
    Q_OBJECT

private slots:
    void networkGps_data();
    void networkGps();
    void networkGpsValues();
    void nmea_data();
    void nmea();
    void nmeaValues();
};

void TestDatagramParsers::networkGps_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<Rejection>("rejection");

    const auto row = [](const char *name, const QByteArray &datagram, Rejection rejection) {
        QTest::newRow(name) << datagram << rejection;
    };
    row("FlightGear", "XGPSFlightGear,-71.012,42.351,0.7,0.000,0.0", Rejection::None);
    row("X-Plane with a line end", "XGPSX-Plane 12,-71.0064,42.3629,25.3,45.20,72.5\n", Rejection::None);
    row("attitude", "XATTFlightGear,45.1,2.5,-0.4", Rejection::None);
    row("attitude with more values", "XATTX-Plane,359.9,-3.0,12.0,0.1,0.2,0.3", Rejection::None);
    row("traffic", "XTRAFFICX-Plane,1,42.3,-71.0,2000,0,1,90,140,N123", Rejection::Unknown);
    row("empty", "", Rejection::Unknown);
    row("NMEA on the wrong port", sentence("GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M"), Rejection::Unknown);
    row("a value missing", "XGPSFlightGear,-71.012,42.351,0.7,0.000", Rejection::Malformed);
    row("a value too many", "XGPSFlightGear,-71.012,42.351,0.7,0.000,0.0,1", Rejection::Malformed);
    row("empty value", "XGPSFlightGear,-71.012,,0.7,0.000,0.0", Rejection::Malformed);
    row("text for a number", "XGPSFlightGear,-71.012,north,0.7,0.000,0.0", Rejection::Malformed);
    row("two lines", "XGPSA,-71,42,0,0,0\nXGPSA,-71,42,0,0,0", Rejection::Malformed);
    row("attitude too short", "XATTFlightGear,45.1,2.5", Rejection::Malformed);
    row("not a number", "XGPSFlightGear,nan,42.351,0.7,0.000,0.0", Rejection::OutOfRange);
    row("infinite", "XGPSFlightGear,-71.012,inf,0.7,0.000,0.0", Rejection::OutOfRange);
    row("huge exponent", "XGPSFlightGear,-71.012,42.351,1e999,0.000,0.0", Rejection::OutOfRange);
    row("latitude past the pole", "XGPSFlightGear,-71.012,90.5,0.7,0.000,0.0", Rejection::OutOfRange);
    row("longitude past the date line", "XGPSFlightGear,-180.01,42.351,0.7,0.000,0.0", Rejection::OutOfRange);
    row("before the terrain loads", "XGPSFlightGear,-71.012,42.351,-3037.7,0.000,0.0", Rejection::OutOfRange);
    row("track over 360", "XGPSFlightGear,-71.012,42.351,0.7,361,0.0", Rejection::OutOfRange);
    row("backwards ground speed", "XGPSFlightGear,-71.012,42.351,0.7,0,-1", Rejection::OutOfRange);
    row("roll past a full turn", "XATTFlightGear,45.1,2.5,-181", Rejection::OutOfRange);
    // Out of range wins over nothing, junk over out of range: the record is not one.
    row("junk after a bad value", "XGPSFlightGear,-71.012,95,0.7,x,0.0", Rejection::Malformed);
}

void TestDatagramParsers::networkGps()
{
    QFETCH(QByteArray, datagram);
    QFETCH(Rejection, rejection);
    const ParsedDatagram parsed = parseNetworkGps(datagram);
    QCOMPARE(parsed.rejection, rejection);
    QCOMPARE(parsed.report.has_value(), rejection == Rejection::None);
}

void TestDatagramParsers::networkGpsValues()
{
    const AircraftReport gps = *parseNetworkGps("XGPSX-Plane 12,-71.0064,42.3629,381.0,45.20,72.5").report;
    QCOMPARE(gps.position->latitude(), 42.3629);
    QCOMPARE(gps.position->longitude(), -71.0064);
    QCOMPARE(qRound(gps.altitude->inFeet()), 1250);
    QCOMPARE(gps.track->inDegrees(), 45.2);
    QCOMPARE(qRound(gps.groundSpeed->inKnots()), 141);
    QVERIFY(!gps.heading);

    const AircraftReport attitude = *parseNetworkGps("XATTFlightGear,360,2.5,-0.4").report;
    QVERIFY(!attitude.position);
    QCOMPARE(attitude.heading->inDegrees(), 0.0);
}

void TestDatagramParsers::nmea_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<Rejection>("rejection");

    const auto row = [](const char *name, const QByteArray &datagram, Rejection rejection) {
        QTest::newRow(name) << datagram << rejection;
    };
    row("FlightGear's three sentences", flightGearNmea(), Rejection::None);
    row("RMC alone, standing still without a track",
        sentence("GPRMC,142213,A,4221.0600,N,07100.7200,W,0.0,,120624,,"), Rejection::None);
    row("GGA alone, line ended by LF", sentence("GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M") + "\n",
        Rejection::None);
    row("another talker", sentence("GNRMC,1,A,4221.06,N,07100.72,W,10,90,120624,,,A"), Rejection::None);
    const QByteArray upper = sentence("GPGGA,2,4221.06,N,07100.72,W,1,8,1,3,M"); // checksum 0B
    row("lower case checksum", upper.chopped(2) + upper.last(2).toLower(), Rejection::None);
    row("one good sentence among junk", "hello\r\n" + sentence("GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M"),
        Rejection::None);
    row("only GSA", sentence("GPGSA,A,3,01,02,,,,,,,,,,,1.0,0.9,0.5"), Rejection::Unknown);
    row("empty", "", Rejection::Unknown);
    row("network GPS on the wrong port", "XGPSFlightGear,-71.012,42.351,0.7,0.000,0.0", Rejection::Malformed);
    row("no checksum", "$GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M", Rejection::Malformed);
    row("checksum not hexadecimal", "$GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M*G1", Rejection::Malformed);
    row("checksum with a sign", "$GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M*+1", Rejection::Malformed);
    row("wrong checksum", sentence("GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M").replace("4221", "4321"),
        Rejection::BadChecksum);
    row("void RMC", sentence("GPRMC,1,V,4221.06,N,07100.72,W,10,90,120624,,"), Rejection::NoFix);
    row("GGA without a fix", sentence("GPGGA,1,4221.06,N,07100.72,W,0,0,,,M"), Rejection::NoFix);
    row("RMC too short", sentence("GPRMC,1,A,4221.06,N,07100.72,W"), Rejection::Malformed);
    row("GGA altitude in feet", sentence("GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,F"), Rejection::Malformed);
    row("hemisphere missing", sentence("GPGGA,1,4221.06,,07100.72,W,1,8,1,3,M"), Rejection::Malformed);
    row("sixty minutes", sentence("GPGGA,1,4260.00,N,07100.72,W,1,8,1,3,M"), Rejection::OutOfRange);
    row("latitude past the pole", sentence("GPGGA,1,9100.00,N,07100.72,W,1,8,1,3,M"), Rejection::OutOfRange);
    row("longitude past the date line", sentence("GPRMC,1,A,4221.06,N,18000.01,W,10,90,120624,,"),
        Rejection::OutOfRange);
    row("not a number", sentence("GPGGA,1,nan,N,07100.72,W,1,8,1,3,M"), Rejection::OutOfRange);
    row("altitude below the sea floor", sentence("GPGGA,1,4221.06,N,07100.72,W,1,8,1,-3037.7,M"),
        Rejection::OutOfRange);
    row("track over 360", sentence("GPRMC,1,A,4221.06,N,07100.72,W,10,370,120624,,"), Rejection::OutOfRange);
}

void TestDatagramParsers::nmea()
{
    QFETCH(QByteArray, datagram);
    QFETCH(Rejection, rejection);
    const ParsedDatagram parsed = parseNmea(datagram);
    QCOMPARE(parsed.rejection, rejection);
    QCOMPARE(parsed.report.has_value(), rejection == Rejection::None);
}

void TestDatagramParsers::nmeaValues()
{
    const AircraftReport both = *parseNmea(flightGearNmea()).report;
    QCOMPARE(both.position->latitude(), 42 + 21.06 / 60);
    QCOMPARE(both.position->longitude(), -(71 + 0.72 / 60));
    QCOMPARE(qRound(both.altitude->inFeet()), 1250);
    QCOMPARE(both.track->inDegrees(), 45.0);
    QCOMPARE(both.groundSpeed->inKnots(), 142.0);

    // RMC's position wins, whichever line comes first; GGA gives the altitude.
    const AircraftReport ordered = *parseNmea(sentence("GPGGA,1,1000.00,S,01000.00,E,1,8,1,3,M") + "\r\n" +
                                              sentence("GPRMC,1,A,4221.06,N,07100.72,W,10,90,120624,,"))
                                        .report;
    QCOMPARE(ordered.position->latitude(), 42 + 21.06 / 60);
    QCOMPARE(ordered.altitude->inMetres(), 3.0);

    const AircraftReport still = *parseNmea(sentence("GPRMC,1,A,0000.00,S,00000.00,E,0.0,,120624,,")).report;
    QVERIFY(!still.track);
    QVERIFY(!still.altitude);
    QCOMPARE(still.position->latitude(), 0.0);
}

QTEST_APPLESS_MAIN(TestDatagramParsers)
#include "tst_datagramparsers.moc"
