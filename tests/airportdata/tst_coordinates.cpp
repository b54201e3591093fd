// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportRecord.h"
#include "CoordinateText.h"
#include "Geodesy.h"

#include <QTest>

using namespace airportdata;

// Coordinate texts as directories and charts print them, and the geodesy built on them.
class TestCoordinates : public QObject {
    Q_OBJECT

private slots:
    void readsAngles_data();
    void readsAngles();
    void readsPositions_data();
    void readsPositions();
    void recordPositionNeedsBothFields();
    void measuresOnTheEllipsoid();
    void bearingsTurnIntoOneCircle_data();
    void bearingsTurnIntoOneCircle();
};

void TestCoordinates::readsAngles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("latitude");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("degrees");

    const auto row = [](const char *name, const char16_t *text, bool latitude, bool readable,
                        double degrees) {
        QTest::newRow(name) << QString::fromUtf16(text) << latitude << readable << degrees;
    };
    // What the directory holds, and what the importer writes.
    row("degrees minutes seconds", u"N 42 21 43", true, true, 42 + 21 / 60. + 43 / 3600.);
    row("decimal minutes", u"W 071 00.5", false, true, -(71 + 0.5 / 60));
    row("east", u"E 012 14 20", false, true, 12 + 14 / 60. + 20 / 3600.);
    row("south", u"S 33 56 33", true, true, -(33 + 56 / 60. + 33 / 3600.));
    row("decimal seconds", u"N 42 21 43.25", true, true, 42 + 21 / 60. + 43.25 / 3600.);
    row("hemisphere after", u"42 21 43 N", true, true, 42 + 21 / 60. + 43 / 3600.);
    // What charts print.
    row("marks", u"42°22'N", true, true, 42 + 22 / 60.);
    row("marks with seconds", u"71°01'30\"W", false, true, -(71 + 1 / 60. + 30 / 3600.));
    row("prime marks", u"71°01′30″W", false, true, -(71 + 1 / 60. + 30 / 3600.));
    row("compact", u"N42 22.0", true, true, 42 + 22 / 60.);
    row("signed decimal", u"-71.0167", false, true, -71.0167);
    row("plus sign", u"+42.5", true, true, 42.5);
    row("lower case letter", u"n 42 30", true, true, 42.5);
    row("pole", u"N 90 00 00", true, true, 90);
    row("date line", u"W 180", false, true, -180);
    // Not readable.
    row("empty", u"", true, false, 0);
    row("letter only", u"N", true, false, 0);
    row("other axis", u"E 012 14 20", true, false, 0);
    row("latitude past the pole", u"N 90 00 01", true, false, 0);
    row("longitude past the date line", u"E 180 00.1", false, false, 0);
    row("sixty minutes", u"N 42 60 00", true, false, 0);
    row("sixty seconds", u"N 42 20 60", true, false, 0);
    row("fraction before the end", u"N 42.5 20", true, false, 0);
    row("four parts", u"N 42 20 10 05", true, false, 0);
    row("two letters", u"N 42 20 S", true, false, 0);
    row("letter and sign", u"N -42 20", true, false, 0);
    row("sign inside", u"42 -20", true, false, 0);
    row("two points", u"42.1.2", true, false, 0);
    row("other characters", u"N 42 2O", true, false, 0);
    row("digits past any number", u"N 0000000000000000000000000000000042 30", true, false, 0);
    row("not a number", u"nan", true, false, 0);
    row("infinity", u"inf", true, false, 0);
}

void TestCoordinates::readsAngles()
{
    QFETCH(QString, text);
    QFETCH(bool, latitude);
    QFETCH(bool, readable);
    QFETCH(double, degrees);
    const std::optional<double> angle = readAngle(text, latitude ? Axis::Latitude : Axis::Longitude);
    QCOMPARE(angle.has_value(), readable);
    if (readable)
        QVERIFY2(qAbs(*angle - degrees) < 1e-9, qPrintable(QString::number(*angle, 'f', 9)));
}

void TestCoordinates::readsPositions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    const auto row = [](const char *name, const char16_t *text, bool readable, double latitude,
                        double longitude) {
        QTest::newRow(name) << QString::fromUtf16(text) << readable << latitude << longitude;
    };
    row("marks, letters after", u"42°22'N 71°01'W", true, 42 + 22 / 60., -(71 + 1 / 60.));
    row("letters before", u"N42 22.0 W071 01.0", true, 42 + 22 / 60., -(71 + 1 / 60.));
    row("signed decimals", u"42.3667 -71.0167", true, 42.3667, -71.0167);
    row("decimals with a comma", u"42.3667, 71.0167", true, 42.3667, 71.0167);
    row("longitude first", u"W 071 00.5 N 42 21 43", true, 42 + 21 / 60. + 43 / 3600., -(71 + 0.5 / 60));
    row("comma between lettered", u"42°22'N, 71°01'W", true, 42 + 22 / 60., -(71 + 1 / 60.));
    row("signed degrees and minutes", u"42 22 -71 01", true, 42 + 22 / 60., -(71 + 1 / 60.));
    row("two latitudes", u"N 42 22 S 42 22", false, 0, 0);
    row("one angle", u"42°22'N", false, 0, 0);
    row("letters mixed before and after", u"N 42 22 71 01 W", false, 0, 0);
    row("three plain numbers", u"42 22 71", false, 0, 0);
    row("two commas", u"42, 71, 3", false, 0, 0);
    row("latitude out of range", u"95.0 -71.0", false, 0, 0);
    row("junk", u"KBOS", false, 0, 0);
}

void TestCoordinates::readsPositions()
{
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    const std::optional<GeoPosition> position = readPosition(text);
    QCOMPARE(position.has_value(), readable);
    if (readable) {
        QVERIFY(qAbs(position->latitude() - latitude) < 1e-9);
        QVERIFY(qAbs(position->longitude() - longitude) < 1e-9);
    }
}

void TestCoordinates::recordPositionNeedsBothFields()
{
    const auto record = [](const char *longitude, const char *latitude) {
        return AirportRecord({QStringLiteral("01KBOS"), QStringLiteral("US"), QStringLiteral("BOSTON"),
                              QLatin1String(longitude), QLatin1String(latitude)},
                             {});
    };
    const std::optional<GeoPosition> boston = recordPosition(record("W 071 00 19", "N 42 21 47"));
    QVERIFY(boston);
    QVERIFY(qAbs(boston->latitude() - (42 + 21 / 60. + 47 / 3600.)) < 1e-9);
    QVERIFY(qAbs(boston->longitude() + (71 + 19 / 3600.)) < 1e-9);
    QVERIFY(!recordPosition(record("W 071 00 19", "")));
    QVERIFY(!recordPosition(record("N 42 21 47", "W 071 00 19")));
    QVERIFY(!recordPosition(AirportRecord({QStringLiteral("01KBOS"), QStringLiteral("US")}, {})));
}

void TestCoordinates::measuresOnTheEllipsoid()
{
    // One degree of latitude at the equator is 110,574 m on WGS 84, shorter than at the poles (111,694 m).
    const GeoPosition equator = *GeoPosition::fromDegrees(0, 0);
    const Course north = courseBetween(equator, *GeoPosition::fromDegrees(1, 0));
    QCOMPARE(qRound(north.distance.inMetres()), 110574);
    QCOMPARE(north.bearing.inDegrees(), 0.0);
    QCOMPARE(qRound(courseBetween(*GeoPosition::fromDegrees(89, 0), *GeoPosition::fromDegrees(90, 0))
                        .distance.inMetres()),
             111694);

    // There and back: 12 NM on 230° from the Boston airport and the way back to it.
    const GeoPosition boston = *GeoPosition::fromDegrees(42.3629, -71.0064);
    const GeoPosition out = travel(boston, Bearing::degreesTrue(230), Length::nauticalMiles(12));
    const Course back = courseBetween(boston, out);
    QVERIFY(qAbs(back.distance.inNauticalMiles() - 12) < 1e-6);
    QVERIFY(qAbs(back.bearing.inDegrees() - 230) < 1e-6);
    QVERIFY(qAbs(courseBetween(out, boston).bearing.inDegrees() - 50) < 0.2);
}

void TestCoordinates::bearingsTurnIntoOneCircle_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<double>("turned");
    QTest::newRow("north") << 0.0 << 0.0;
    QTest::newRow("full circle") << 360.0 << 0.0;
    QTest::newRow("west as negative") << -90.0 << 270.0;
    QTest::newRow("two turns") << 720.5 << 0.5;
    QTest::newRow("just below north") << -1e-15 << 0.0;
}

void TestCoordinates::bearingsTurnIntoOneCircle()
{
    QFETCH(double, degrees);
    QFETCH(double, turned);
    const double result = Bearing::degreesTrue(degrees).inDegrees();
    QVERIFY(result >= 0 && result < 360);
    QCOMPARE(result, turned);
}

QTEST_APPLESS_MAIN(TestCoordinates)
#include "tst_coordinates.moc"
