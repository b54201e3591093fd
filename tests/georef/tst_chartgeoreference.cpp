// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartGeoreference.h"
#include "Geodesy.h"

#include <GeographicLib/LambertConformalConic.hpp>

#include <QLineF>
#include <QTest>

#include <cmath>
#include <numbers>

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

// A chart drawn in a Lambert conformal conic projection (standard parallels 33° and 45°, as the FAA's
// charts), at a scale of 1:scale, turned by the given degrees clockwise (a chart drawn with magnetic north
// up), its top-left corner at topLeft.
class LambertChart {
public:
    LambertChart(const GeoPosition &topLeft, double scale, double turn)
        : m_projection(GeographicLib::Constants::WGS84_a(), GeographicLib::Constants::WGS84_f(), 33, 45, 1)
        , m_centralMeridian(topLeft.longitude())
        , m_pointsPerMetre(72 / 0.0254 / scale)
        , m_turn(std::polar(1.0, turn * std::numbers::pi / 180))
        , m_origin(projected(topLeft))
    {}

    QPointF pageOf(const GeoPosition &place) const
    {
        const std::complex<double> page = (projected(place) - m_origin) * m_turn * m_pointsPerMetre;
        return {page.real(), page.imag()};
    }

private:
    // East to the right, south down.
    std::complex<double> projected(const GeoPosition &place) const
    {
        double x = 0;
        double y = 0;
        m_projection.Forward(m_centralMeridian, place.latitude(), place.longitude(), x, y);
        return {x, -y};
    }

    GeographicLib::LambertConformalConic m_projection;
    double m_centralMeridian;
    double m_pointsPerMetre;
    std::complex<double> m_turn;
    std::complex<double> m_origin;
};

} // namespace

// A chart placed by two points: places to the page and back, directions, the scale, and the doubts.
class TestChartGeoreference : public QObject {
    Q_OBJECT

private slots:
    void placesFollowTheChartsScaleAndTurn_data();
    void placesFollowTheChartsScaleAndTurn();
    void knownChartWithinThirtyMetres_data();
    void knownChartWithinThirtyMetres();
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

void TestChartGeoreference::knownChartWithinThirtyMetres_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("turn");
    QTest::newRow("Boston, 1:12,000, north up") << 42.38 << 12000.0 << 0.0;
    QTest::newRow("Boston, magnetic north up") << 42.38 << 12000.0 << 15.2;
    QTest::newRow("a larger field, 1:30,000") << 42.38 << 30000.0 << -8.0;
    QTest::newRow("far north, 1:20,000") << 64.13 << 20000.0 << 20.0;
}

// Placed by two crossings of its grid near opposite corners, a chart drawn in another projection shows
// places all over it within 30 m (a runway's width) of where it draws them.
void TestChartGeoreference::knownChartWithinThirtyMetres()
{
    QFETCH(double, latitude);
    QFETCH(double, scale);
    QFETCH(double, turn);
    const GeoPosition topLeft = *GeoPosition::fromDegrees(latitude, -71.03);
    const LambertChart drawn(topLeft, scale, turn);
    const double metresPerPoint = scale * 0.0254 / 72;
    // The page is some 400 x 550 points: grid crossings 50 points in from two corners.
    const GeoPosition southWest = from(from(topLeft, 180, 500 * metresPerPoint), 90, 50 * metresPerPoint);
    const GeoPosition northEast = from(from(topLeft, 180, 50 * metresPerPoint), 90, 350 * metresPerPoint);
    const auto chart = ChartGeoreference::fromPoints({drawn.pageOf(southWest), southWest},
                                                     {drawn.pageOf(northEast), northEast});
    QVERIFY(chart);
    double worst = 0;
    for (double down = 0; down <= 550; down += 55)
        for (double across = 0; across <= 400; across += 40) {
            const GeoPosition place =
                from(from(topLeft, 180, down * metresPerPoint), 90, across * metresPerPoint);
            worst =
                std::max(worst, QLineF(chart->pageOf(place), drawn.pageOf(place)).length() * metresPerPoint);
        }
    qInfo("at most %.2f m from where the chart draws a place", worst);
    QVERIFY2(worst < 30, qPrintable(QStringLiteral("%1 m").arg(worst)));
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
