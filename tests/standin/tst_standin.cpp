// SPDX-License-Identifier: GPL-3.0-or-later
#include "NetworkGpsParser.h"
#include "NmeaParser.h"
#include "SimulatorDatagrams.h"
#include "TrackFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeTrack(const QTemporaryDir &folder, const QByteArray &text)
{
    const QString path = folder.filePath(QStringLiteral("flight.track"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    return path;
}

} // namespace

// The simulator stand-in: its track files, the way between their points, and datagrams that the program's
// own parsers read back as sent (and junk that they refuse).
class TestStandIn : public QObject {
    Q_OBJECT

private slots:
    void readsTracksAndSaysWhereNot();
    void fliesBetweenThePoints();
    void datagramsReadBackAsSent_data();
    void datagramsReadBackAsSent();
    void junkIsRefused();
};

void TestStandIn::readsTracksAndSaysWhereNot()
{
    QTemporaryDir folder;
    const TrackReading good = readTrackFile(
        writeTrack(folder, "# comment\n\n0 42.35 -71.01 20 20 0\n10, 42.36, -71.00, 20, 20, 12\n"));
    QVERIFY(good.error.isEmpty());
    QCOMPARE(good.points.size(), 2);
    QCOMPARE(good.points[1].groundSpeed.inKnots(), 12.0);

    const TrackReading backwards =
        readTrackFile(writeTrack(folder, "10 42.35 -71.01 20 20 0\n5 42.36 -71.00 20 20 0\n"));
    QVERIFY2(backwards.error.contains(QLatin1String("flight.track:2")), qPrintable(backwards.error));
    QVERIFY(readTrackFile(writeTrack(folder, "0 95 -71.01 20 20 0\n")).points.isEmpty());
    QVERIFY(!readTrackFile(writeTrack(folder, "0 42.35 -71.01 20 20\n")).error.isEmpty());
    QVERIFY(!readTrackFile(writeTrack(folder, "")).error.isEmpty());
    QVERIFY(!readTrackFile(folder.filePath(QStringLiteral("missing"))).error.isEmpty());
}

void TestStandIn::fliesBetweenThePoints()
{
    QTemporaryDir folder;
    const QList<TrackPoint> track =
        readTrackFile(writeTrack(folder, "0 42.0 -71.0 1000 350 100\n10 42.1 -71.0 2000 10 200\n")).points;
    const TrackPoint middle = pointAt(track, 5);
    QVERIFY(qAbs(middle.position.latitude() - 42.05) < 1e-3);
    QVERIFY(qAbs(middle.position.longitude() + 71.0) < 1e-9);
    QCOMPARE(qRound(middle.altitude.inFeet()), 1500);
    QCOMPARE(qRound(middle.groundSpeed.inKnots()), 150);
    // The shorter way round north.
    QCOMPARE(middle.track.inDegrees(), 0.0);
    QCOMPARE(pointAt(track, -3).position, track.first().position);
    QCOMPARE(pointAt(track, 30).position, track.last().position);
}

void TestStandIn::datagramsReadBackAsSent_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::newRow("Boston") << 42.3511 << -71.0118;
    QTest::newRow("Sydney") << -33.9461 << 151.1772;
    QTest::newRow("minutes that round up") << 42.999999 << -0.999999;
}

void TestStandIn::datagramsReadBackAsSent()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    const TrackPoint point{3661, *airportdata::GeoPosition::fromDegrees(latitude, longitude),
                           airportdata::Length::feet(1250), airportdata::Bearing::degreesTrue(45.5),
                           airportdata::Speed::knots(142)};
    for (const simlink::ParsedDatagram &parsed :
         {simlink::parseNetworkGps(networkGpsDatagram(point)), simlink::parseNmea(nmeaDatagram(point))}) {
        QCOMPARE(parsed.rejection, simlink::Rejection::None);
        const simlink::AircraftReport &report = *parsed.report;
        QVERIFY(qAbs(report.position->latitude() - latitude) < 1e-5);
        QVERIFY(qAbs(report.position->longitude() - longitude) < 1e-5);
        QVERIFY(qAbs(report.altitude->inFeet() - 1250) < 0.5);
        QVERIFY(qAbs(report.track->inDegrees() - 45.5) < 0.06);
        QVERIFY(qAbs(report.groundSpeed->inKnots() - 142) < 0.2);
    }
}

void TestStandIn::junkIsRefused()
{
    for (const QByteArray &datagram : junkDatagrams()) {
        QVERIFY2(!simlink::parseNetworkGps(datagram).report, datagram.constData());
        QVERIFY2(!simlink::parseNmea(datagram).report, datagram.constData());
    }
}

QTEST_APPLESS_MAIN(TestStandIn)
#include "tst_standin.moc"
