// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartGeoreference.h"
#include "Geodesy.h"

#include <QLineF>
#include <QTest>

using namespace georef;
using airportdata::Bearing;
using airportdata::GeoPosition;
using airportdata::Length;

namespace {

const GeoPosition Corner = *GeoPosition::fromDegrees(42.35, -71.01);

GeoPosition from(const GeoPosition &place, double bearing, double metres)
{
    return airportdata::travel(place, Bearing::degreesTrue(bearing), Length::metres(metres));
}

} // namespace

// A chart placed by two points: places to the page and back, directions, the scale, and the doubts.
class TestChartGeoreference : public QObject {
    Q_OBJECT

private slots:
    void placesFollowTheChartsScaleAndTurn_data();
    void placesFollowTheChartsScaleAndTurn();
    void onePointTwiceIsNoPlace();
    void doubtsAboutThePoints_data();
    void doubtsAboutThePoints();
};

void TestChartGeoreference::placesFollowTheChartsScaleAndTurn_data()
{
    // Two points 2 km apart, north of each other, 100 points apart on the page: 20 m a point, 1:56,693.
    QTest::addColumn<QPointF>("north");    // where the northern point lies on the page
    QTest::addColumn<QPointF>("eastward"); // where a place 1 km east of the corner must then lie
    QTest::addColumn<double>("east");      // the page direction of east
    QTest::newRow("north up") << QPointF(100, 400) << QPointF(150, 500) << 90.0;
    QTest::newRow("north to the right") << QPointF(200, 500) << QPointF(100, 550) << 180.0;
    QTest::newRow("north down") << QPointF(100, 600) << QPointF(50, 500) << 270.0;
}

void TestChartGeoreference::placesFollowTheChartsScaleAndTurn()
{
    QFETCH(QPointF, north);
    QFETCH(QPointF, eastward);
    QFETCH(double, east);
    const std::optional<ChartGeoreference> chart =
        ChartGeoreference::fromPoints({{100, 500}, Corner}, {north, from(Corner, 0, 2000)});
    QVERIFY(chart);
    const QPointF page = chart->pageOf(from(Corner, 90, 1000));
    QVERIFY2(QLineF(page, eastward).length() < 0.05,
             qPrintable(QStringLiteral("%1 %2").arg(page.x()).arg(page.y())));
    QVERIFY(qAbs(chart->pageDirection(Corner, Bearing::degreesTrue(90)) - east) < 0.1);
    QCOMPARE(qRound(chart->scaleDenominator()), 56693);

    // And back: a page point to its place, within a centimetre.
    const GeoPosition place = from(Corner, 200, 700);
    const Length error = airportdata::courseBetween(chart->positionOf(chart->pageOf(place)), place).distance;
    QVERIFY(error.inMetres() < 0.01);
    QCOMPARE(chart->pageOf(Corner), QPointF(100, 500));
}

void TestChartGeoreference::onePointTwiceIsNoPlace()
{
    QVERIFY(!ChartGeoreference::fromPoints({{100, 500}, Corner}, {{100, 500}, from(Corner, 0, 2000)}));
    QVERIFY(!ChartGeoreference::fromPoints({{100, 500}, Corner}, {{300, 200}, Corner}));
}

void TestChartGeoreference::doubtsAboutThePoints_data()
{
    QTest::addColumn<QPointF>("secondPage");
    QTest::addColumn<double>("metres");
    QTest::addColumn<bool>("close");
    QTest::addColumn<bool>("unlikely");
    QTest::newRow("an airport diagram, far apart") << QPointF(400, 100) << 3000.0 << false << false;
    QTest::newRow("close on the page") << QPointF(150, 450) << 500.0 << true << false;
    QTest::newRow("close on the ground") << QPointF(400, 100) << 200.0 << true << false;
    QTest::newRow("a mistyped degree") << QPointF(400, 100) << 111000.0 * 40 << false << true;
    QTest::newRow("larger than life") << QPointF(400, 100) << 100.0 << true << true;
}

void TestChartGeoreference::doubtsAboutThePoints()
{
    QFETCH(QPointF, secondPage);
    QFETCH(double, metres);
    QFETCH(bool, close);
    QFETCH(bool, unlikely);
    const ReferencePoint first{{100, 500}, Corner};
    const ReferencePoint second{secondPage, from(Corner, 45, metres)};
    QCOMPARE(ChartGeoreference::pointsAreClose(first, second), close);
    QCOMPARE(ChartGeoreference::fromPoints(first, second)->scaleIsUnlikely(), unlikely);
}

QTEST_APPLESS_MAIN(TestChartGeoreference)
#include "tst_chartgeoreference.moc"
