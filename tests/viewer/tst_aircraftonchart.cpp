// SPDX-License-Identifier: GPL-3.0-or-later
#include "AircraftOnChart.h"
#include "ChartFixtures.h"
#include "ChartPageView.h"
#include "CoordinateText.h"
#include "Geodesy.h"
#include "PageFit.h"
#include "PlacePointDialog.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineF>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace viewer;
using airportdata::Bearing;
using airportdata::GeoPosition;
using airportdata::Length;

namespace {

constexpr int LoadWaitMs = 15000;
const QSizeF PagePoints(600, 800);
const GeoPosition Field = *GeoPosition::fromDegrees(42.36, -71.01);
const QColor Live(0xe0, 0x00, 0xe0);

GeoPosition from(const GeoPosition &place, double bearing, double metres)
{
    return airportdata::travel(place, Bearing::degreesTrue(bearing), Length::metres(metres));
}

ChartPageView *pageView(ChartViewer &viewer)
{
    return viewer.findChild<ChartPageView *>(QStringLiteral("chartPageView"));
}

AircraftOnChart *aircraftOf(ChartViewer &viewer)
{
    return viewer.findChild<AircraftOnChart *>();
}

// The middle of the pixels of the viewport in the colour, and how many there are.
struct Pixels {
    int count = 0;
    QPointF middle;
};
Pixels pixelsOf(ChartPageView *view, const QColor &colour)
{
    const QImage image = view->viewport()->grab().toImage();
    Pixels found;
    QPointF sum;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) {
                ++found.count;
                sum += QPointF(x + 0.5, y + 0.5);
            }
    if (found.count > 0)
        found.middle = sum / found.count;
    return found;
}

// The pilot at the dialogs of placing: types the positions into the dialogs for the points, one after the
// other, and answers Yes when asked whether to place the page anyway.
class PlacingPilot : public QObject {
public:
    explicit PlacingPilot(QStringList positions)
        : m_positions(std::move(positions))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, &PlacingPilot::answer);
        m_timer.start();
    }

    int questions = 0;

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<PlacePointDialog *>(modal); dialog && !m_positions.isEmpty()) {
            dialog->setText(m_positions.takeFirst());
            dialog->accept();
        } else if (auto *question = qobject_cast<QMessageBox *>(modal)) {
            ++questions;
            question->button(QMessageBox::Yes)->click();
        }
    }

    QStringList m_positions;
    QTimer m_timer;
};

void clickAt(ChartPageView *view, QPointF at)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at.toPoint());
}

} // namespace

// The aircraft on a page placed on the map: placing by two clicks and their coordinates, at any zoom and
// turn; the symbol where the place says, grey when stale; forgetting; following; pages not placed.
class AircraftOnChartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pagePointsTurnAndBack_data();
    void pagePointsTurnAndBack();
    void placedByTwoClicks_data();
    void placedByTwoClicks();
    void drawnWhereThePlaceSays_data();
    void drawnWhereThePlaceSays();
    void staleAircraftIsGrey();
    void forgottenOrOtherPagesShowNoAircraft();
    void followingKeepsTheAircraftInView();

private:
    std::unique_ptr<ChartViewer> shownViewer(const QString &chart, const ChartPlace &place);
    void placeNorthUp(ChartViewer &viewer);
    QString path(const QString &name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    std::unique_ptr<georef::PlacedCharts> m_places;
};

void AircraftOnChartTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(fixtures::writeCornerChart(path(QStringLiteral("diagram.pdf")), PagePoints));
    QVERIFY(fixtures::writeCornerChart(path(QStringLiteral("other.pdf")), QSizeF(612, 792)));
}

void AircraftOnChartTest::init()
{
    QFile::remove(path(QStringLiteral("placed.json")));
    m_places = std::make_unique<georef::PlacedCharts>(path(QStringLiteral("placed.json")));
}

void AircraftOnChartTest::cleanup()
{
    m_places.reset();
}

std::unique_ptr<ChartViewer> AircraftOnChartTest::shownViewer(const QString &chart, const ChartPlace &place)
{
    auto viewer = fixtures::viewerWithHelper(fixtures::realHelper(), m_places.get());
    viewer->resize(520, 640);
    viewer->setToolbarVisible(false);
    viewer->show();
    viewer->loadFile(path(chart));
    if (!QTest::qWaitFor([&] { return viewer->state() == ChartViewer::State::Shown; }, LoadWaitMs))
        qWarning("the chart was not shown");
    // The page at the place's zoom and turn (none comes when the first one has them already).
    QSignalSpy shown(viewer.get(), &ChartViewer::pageShown);
    viewer->setPlace(place);
    shown.wait(3000);
    // And the scroll bars it no longer needs gone.
    QTest::qWait(200);
    return viewer;
}

// North up, 1:12,000 (4.233 m a point): the page's top-left corner is Field.
void AircraftOnChartTest::placeNorthUp(ChartViewer &viewer)
{
    const double metresPerPoint = 12000 * 0.0254 / 72;
    const auto chart = georef::ChartGeoreference::fromPoints(
        {{0, 0}, Field},
        {{500, 700}, from(from(Field, 90, 500 * metresPerPoint), 180, 700 * metresPerPoint)});
    QVERIFY(chart);
    QVERIFY(aircraftOf(viewer)->placeShownPage(*chart));
}

void AircraftOnChartTest::pagePointsTurnAndBack_data()
{
    QTest::addColumn<int>("turns");
    QTest::addColumn<QPointF>("turned"); // where (100, 50) of a 600 x 800 page goes
    QTest::newRow("upright") << 0 << QPointF(100, 50);
    QTest::newRow("a quarter turn") << 1 << QPointF(750, 100);
    QTest::newRow("upside down") << 2 << QPointF(500, 750);
    QTest::newRow("three quarters") << 3 << QPointF(50, 500);
    QTest::newRow("a turn less") << -1 << QPointF(50, 500);
}

void AircraftOnChartTest::pagePointsTurnAndBack()
{
    QFETCH(int, turns);
    QFETCH(QPointF, turned);
    QCOMPARE(turnedPagePoint({100, 50}, PagePoints, turns), turned);
    QCOMPARE(unturnedPagePoint(turned, PagePoints, turns), QPointF(100, 50));
}

void AircraftOnChartTest::placedByTwoClicks_data()
{
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<int>("turns");
    QTest::addColumn<int>("questions"); // whether the points are so close that placing asks first
    QTest::newRow("fit page") << int(ZoomMode::FitPage) << 0 << 0;
    QTest::newRow("fit page, turned") << int(ZoomMode::FitPage) << 1 << 0;
    QTest::newRow("200 %, upside down: close on the page") << int(ZoomMode::Custom) << 2 << 1;
}

// Whatever the zoom and the turn, the aircraft at a clicked point's coordinates is drawn where it was
// clicked, and the page keeps its place in page points.
void AircraftOnChartTest::placedByTwoClicks()
{
    QFETCH(int, zoomMode);
    QFETCH(int, turns);
    QFETCH(int, questions);
    auto viewer =
        shownViewer(QStringLiteral("diagram.pdf"), {0, ZoomMode(zoomMode), 2 * PixelsPerPoint, turns, false});
    ChartPageView *view = pageView(*viewer);
    AircraftOnChart *aircraft = aircraftOf(*viewer);
    const PlacingPilot pilot({QStringLiteral("42.37 -71.02"), QStringLiteral("N42 21.5 W071 00.5")});
    const QRect area = view->viewport()->rect();
    // On the page however it is fitted and turned.
    const QPointF first = QPointF(area.width() * 0.2, area.height() * 0.15);
    const QPointF second = QPointF(area.width() * 0.8, area.height() * 0.5);
    const GeoPosition firstPlace = *GeoPosition::fromDegrees(42.3700, -71.0200);
    const GeoPosition secondPlace = *airportdata::readPosition(u"42°21.5'N 71°00.5'W");

    aircraft->placeOnMap->trigger();
    QVERIFY(view->isPicking());
    clickAt(view, first);
    QVERIFY(view->isPicking());
    clickAt(view, second);
    QVERIFY(!view->isPicking());
    QCOMPARE(pilot.questions, questions);
    QVERIFY(aircraft->place());

    for (const auto &[place, clicked] : {std::pair{firstPlace, first}, std::pair{secondPlace, second}}) {
        viewer->setAircraft(AircraftFix{place, Bearing::degreesTrue(45), false});
        const std::optional<QPointF> drawn = view->markCentre();
        QVERIFY(drawn);
        QVERIFY2(QLineF(*drawn, clicked).length() < 1.5,
                 qPrintable(QStringLiteral("%1,%2").arg(drawn->x()).arg(drawn->y())));
    }

    // Kept in the store for the next run, by page points: a new viewer of the chart shows the aircraft.
    const auto again =
        shownViewer(QStringLiteral("diagram.pdf"), {0, ZoomMode::FitPage, PixelsPerPoint, 0, false});
    again->setAircraft(AircraftFix{secondPlace, std::nullopt, false});
    QVERIFY(pageView(*again)->mark());
}

void AircraftOnChartTest::drawnWhereThePlaceSays_data()
{
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<int>("turns");
    QTest::addColumn<double>("bearing");   // the aircraft's track
    QTest::addColumn<double>("direction"); // its arrow on the screen
    QTest::newRow("fit page") << int(ZoomMode::FitPage) << 0 << 30.0 << 30.0;
    QTest::newRow("fit page, turned") << int(ZoomMode::FitPage) << 1 << 30.0 << 120.0;
    QTest::newRow("200 %, three quarters") << int(ZoomMode::Custom) << 3 << 350.0 << 260.0;
}

// The symbol is drawn over the page image, at the aircraft's place on the turned page, pointing along its
// track.
void AircraftOnChartTest::drawnWhereThePlaceSays()
{
    QFETCH(int, zoomMode);
    QFETCH(int, turns);
    QFETCH(double, bearing);
    QFETCH(double, direction);
    auto viewer =
        shownViewer(QStringLiteral("diagram.pdf"), {0, ZoomMode(zoomMode), 2 * PixelsPerPoint, turns, false});
    placeNorthUp(*viewer);
    const double metresPerPoint = 12000 * 0.0254 / 72;
    // 300 points right and 400 down from the top-left corner: the middle of the page.
    const GeoPosition middle = from(from(Field, 90, 300 * metresPerPoint), 180, 400 * metresPerPoint);
    viewer->setAircraft(AircraftFix{middle, Bearing::degreesTrue(bearing), false});

    ChartPageView *view = pageView(*viewer);
    const std::optional<PageMark> mark = view->mark();
    QVERIFY(mark);
    QVERIFY(QLineF(mark->onImage, QPointF(0.5, 0.5)).length() < 1e-3);
    QVERIFY2(qAbs(*mark->direction - direction) < 0.5, qPrintable(QString::number(*mark->direction)));

    // Where it is drawn: scrolled into view first at 200 %.
    view->keepMarkInView();
    QTest::qWait(50);
    const Pixels drawn = pixelsOf(view, Live);
    QVERIFY2(drawn.count > 40, qPrintable(QString::number(drawn.count)));
    QVERIFY(QLineF(drawn.middle, *view->markCentre()).length() < 4);
}

void AircraftOnChartTest::staleAircraftIsGrey()
{
    auto viewer =
        shownViewer(QStringLiteral("diagram.pdf"), {0, ZoomMode::FitPage, PixelsPerPoint, 0, false});
    placeNorthUp(*viewer);
    const GeoPosition place = from(Field, 135, 1500);
    viewer->setAircraft(AircraftFix{place, Bearing::degreesTrue(90), false});
    QTest::qWait(50);
    QVERIFY(pixelsOf(pageView(*viewer), Live).count > 40);
    viewer->setAircraft(AircraftFix{place, Bearing::degreesTrue(90), true});
    QTest::qWait(50);
    QCOMPARE(pixelsOf(pageView(*viewer), Live).count, 0);
    QVERIFY(pixelsOf(pageView(*viewer), QColor(0x9a, 0x9a, 0x9a)).count > 40);
}

void AircraftOnChartTest::forgottenOrOtherPagesShowNoAircraft()
{
    auto viewer =
        shownViewer(QStringLiteral("diagram.pdf"), {0, ZoomMode::FitPage, PixelsPerPoint, 0, false});
    placeNorthUp(*viewer);
    const AircraftFix fix{from(Field, 135, 1500), std::nullopt, false};
    viewer->setAircraft(fix);
    QVERIFY(pageView(*viewer)->mark());
    // Off the page: nothing drawn on its border.
    viewer->setAircraft(AircraftFix{from(Field, 315, 1500), std::nullopt, false});
    QVERIFY(!pageView(*viewer)->mark());
    viewer->setAircraft(std::nullopt);
    QVERIFY(!pageView(*viewer)->mark());

    viewer->setAircraft(fix);
    aircraftOf(*viewer)->forgetPlace->trigger();
    QVERIFY(!pageView(*viewer)->mark());
    QVERIFY(!aircraftOf(*viewer)->place());

    placeNorthUp(*viewer);
    viewer->loadFile(path(QStringLiteral("other.pdf")));
    QTRY_VERIFY_WITH_TIMEOUT(viewer->state() == ChartViewer::State::Shown, LoadWaitMs);
    QTRY_VERIFY(!aircraftOf(*viewer)->place());
    QVERIFY(!pageView(*viewer)->mark());
}

void AircraftOnChartTest::followingKeepsTheAircraftInView()
{
    auto viewer =
        shownViewer(QStringLiteral("diagram.pdf"), {0, ZoomMode::Custom, 4 * PixelsPerPoint, 0, false});
    placeNorthUp(*viewer);
    ChartPageView *view = pageView(*viewer);
    const double metresPerPoint = 12000 * 0.0254 / 72;
    const GeoPosition nearEnd = from(from(Field, 90, 550 * metresPerPoint), 180, 750 * metresPerPoint);
    viewer->setAircraft(AircraftFix{nearEnd, std::nullopt, false});
    QVERIFY(!view->viewport()->rect().contains(view->markCentre()->toPoint()));

    aircraftOf(*viewer)->follow->setChecked(true);
    QVERIFY(view->viewport()->rect().contains(view->markCentre()->toPoint()));
    // And back to the top-left corner as the aircraft moves there.
    viewer->setAircraft(AircraftFix{from(Field, 135, 300), std::nullopt, false});
    QVERIFY(view->viewport()->rect().contains(view->markCentre()->toPoint()));
    QVERIFY(view->verticalScrollBar()->value() < view->verticalScrollBar()->maximum() / 2);
}

QTEST_MAIN(AircraftOnChartTest)
#include "tst_aircraftonchart.moc"
