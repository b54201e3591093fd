// SPDX-License-Identifier: GPL-3.0-or-later
#include "../mainwindow/MainWindowFixture.h"
#include "AircraftOnChart.h"
#include "ChartFixtures.h"
#include "ChartPageView.h"
#include "ChartViewer.h"
#include "CompanionFakes.h"
#include "FrmFS9.h"
#include "Geodesy.h"
#include "PageFit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMainWindow>
#include <QScrollBar>
#include <QTest>

using viewer::ChartViewer;

namespace {

constexpr int DrawWaitMs = 10000;

// The pixels of a window grab that belong to the chart page: its paper and its four corner markers.
struct PaintedPage {
    QRect extent;
    bool corners[4] = {}; // top-left, top-right, bottom-left, bottom-right

    bool allCorners() const { return corners[0] && corners[1] && corners[2] && corners[3]; }
};

bool near(QRgb pixel, const QColor &colour, int tolerance)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance &&
           qAbs(qGreen(pixel) - colour.green()) <= tolerance &&
           qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Looks at what the window shows of the viewer's area: the grab of the window ends where the window ends.
PaintedPage paintedPage(QWidget *window, const ChartViewer *viewer)
{
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area = QRect(viewer->mapTo(window, QPoint(0, 0)), viewer->size()).intersected(image.rect());
    static const QColor markers[] = {Qt::red, Qt::green, Qt::blue, Qt::magenta};
    int markerPixels[4] = {};
    PaintedPage page;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = line[x];
            bool onPage = near(pixel, fixtures::cornerChartPaper(), 12);
            for (int corner = 0; corner < 4; ++corner) {
                if (near(pixel, markers[corner], 40)) {
                    ++markerPixels[corner];
                    onPage = true;
                }
            }
            if (onPage)
                page.extent |= QRect(x, y, 1, 1);
        }
    }
    for (int corner = 0; corner < 4; ++corner)
        page.corners[corner] = markerPixels[corner] >= 16;
    return page;
}

bool sameProportions(const QRect &extent, QSizeF points)
{
    if (extent.isEmpty())
        return false;
    const qreal shown = qreal(extent.width()) / extent.height();
    const qreal page = points.width() / points.height();
    return qAbs(shown / page - 1) < 0.03;
}

QAbstractScrollArea *pageView(ChartViewer *viewer)
{
    return viewer->findChild<QAbstractScrollArea *>(QStringLiteral("chartPageView"));
}

// A scroll bar is seen when it is shown and lies inside the window.
bool isSeen(const QScrollBar *bar, const QWidget *window)
{
    return bar->isVisible() && window->rect().contains(QRect(bar->mapTo(window, QPoint(0, 0)), bar->size()));
}

} // namespace

// The chart as the two windows show it: a whole page in "fit page", every edge reachable by scrolling, and
// the viewer's keys in the main window.
class ChartInWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void viewerFillsThePartOfItsBoxInView_data();
    void viewerFillsThePartOfItsBoxInView();
    void fitPageShowsTheWholePage_data();
    void fitPageShowsTheWholePage();
    void scrollingReachesEveryEdge_data();
    void scrollingReachesEveryEdge();
    void tabReachesTheViewerAndPageDownTurnsThePage();
    void chartReplacedAfterTheLookupShowsAsReplaced();
    void simulatedAircraftOnAPlacedChart_data();
    void simulatedAircraftOnAPlacedChart();

private:
    // Shows a chart in the named window and returns that window's viewer, with the focus, once it shows.
    ChartViewer *showChart(const QString &window, QSizeF points,
                           const QList<fixtures::OutlineItem> &outline = {});

    std::unique_ptr<MainWindowFixture> m_fixture;
    std::unique_ptr<FakeTray> m_tray;
    std::unique_ptr<AnsweringExitQuestion> m_exitQuestion;
    QPointer<companion::FrmFS9> m_companion;
    QWidget *m_window = nullptr;
};

void ChartInWindowsTest::init()
{
    m_fixture = std::make_unique<MainWindowFixture>();
    m_fixture->writeDirectory("  TALL|XX|A CHART|E 1|N 1|1 FT|X\r\n\r\n");
    m_tray = std::make_unique<FakeTray>();
    m_exitQuestion = std::make_unique<AnsweringExitQuestion>();
}

void ChartInWindowsTest::cleanup()
{
    delete m_companion;
    m_fixture.reset();
}

ChartViewer *ChartInWindowsTest::showChart(const QString &window, QSizeF points,
                                           const QList<fixtures::OutlineItem> &outline)
{
    const QString relative = QStringLiteral("Airports/TALL/ADPLL2-1.PDF");
    QDir().mkpath(m_fixture->folder.filePath(QStringLiteral("Airports/TALL")));
    if (!fixtures::writeCornerChart(m_fixture->folder.filePath(relative), points, outline))
        return nullptr;
    ChartViewer *viewer = nullptr;
    if (window == u"main") {
        m_window = &m_fixture->load();
        m_fixture->lookUp(QStringLiteral("TALL"));
        QTest::mouseClick(m_fixture->category(1), Qt::LeftButton);
        viewer = m_fixture->control<ChartViewer>(QStringLiteral("openPDF"));
    } else {
        m_fixture->values.sChartPath = m_fixture->folder.filePath(relative);
        m_companion = new companion::FrmFS9(m_fixture->values, {*m_exitQuestion, *m_tray, m_fixture->settings,
                                                                m_fixture->simulator.link, m_fixture->charts,
                                                                m_fixture->places});
        m_companion->Form_Load();
        m_companion->show();
        m_window = m_companion;
        viewer = m_companion->findChild<ChartViewer *>(QStringLiteral("openPDF2"));
    }
    QApplication::setActiveWindow(m_window);
    viewer->setFocus();
    if (!QTest::qWaitFor([viewer] { return viewer->state() == ChartViewer::State::Shown; }, DrawWaitMs))
        return nullptr;
    return viewer;
}

void ChartInWindowsTest::viewerFillsThePartOfItsBoxInView_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QRect>("pixels"); // in the client area, at 96 dpi
    // The box reaches 240 twips below the main window's client area, and the companion window's viewer
    // 480 twips below its box; either viewer ends where its box is cut off.
    QTest::newRow("main window") << "main" << QRect(360, 160, 505, 537);
    QTest::newRow("companion window") << "companion" << QRect(0, 0, 505, 625);
}

void ChartInWindowsTest::viewerFillsThePartOfItsBoxInView()
{
    QFETCH(QString, window);
    QFETCH(QRect, pixels);
    ChartViewer *viewer = showChart(window, QSizeF(595, 842));
    QVERIFY(viewer);
    QWidget *clientArea =
        window == u"main" ? m_window : static_cast<QMainWindow *>(m_window)->centralWidget();
    QCOMPARE(QRect(viewer->mapTo(clientArea, QPoint(0, 0)), viewer->size()), pixels);
    QCOMPARE(viewer->parentWidget()->objectName(), QStringLiteral("Picture1"));
}

void ChartInWindowsTest::fitPageShowsTheWholePage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<bool>("indexed");
    QTest::addColumn<Qt::Key>("fit");
    const QSizeF airportDiagram(387, 594); // an FAA airport diagram
    QTest::newRow("main window, tall page") << "main" << QSizeF(400, 1000) << false << Qt::Key_F;
    QTest::newRow("main window, A4") << "main" << QSizeF(595, 842) << false << Qt::Key_F;
    QTest::newRow("main window, landscape") << "main" << QSizeF(842, 595) << false << Qt::Key_F;
    QTest::newRow("main window, airport diagram") << "main" << airportDiagram << false << Qt::Key_F;
    QTest::newRow("main window, airport diagram with its index")
        << "main" << airportDiagram << true << Qt::Key_F;
    QTest::newRow("main window, landscape, fit width") << "main" << QSizeF(842, 595) << true << Qt::Key_W;
    QTest::newRow("companion window, tall page") << "companion" << QSizeF(400, 1000) << false << Qt::Key_F;
    QTest::newRow("companion window, A4") << "companion" << QSizeF(595, 842) << false << Qt::Key_F;
    QTest::newRow("companion window, airport diagram") << "companion" << airportDiagram << true << Qt::Key_F;
}

// Fit page shows all four corners, fit width both sides of a page that is less tall than the page area, with
// the fitting margin to spare inside the page area, also once the chart's index has made the toolbar taller.
void ChartInWindowsTest::fitPageShowsTheWholePage()
{
    QFETCH(QString, window);
    QFETCH(QSizeF, points);
    QFETCH(bool, indexed);
    QFETCH(Qt::Key, fit);
    const QList<fixtures::OutlineItem> outline{{QStringLiteral("AIRPORT DIAGRAM (APD)"), 0, 0}};
    ChartViewer *viewer = showChart(window, points, indexed ? outline : QList<fixtures::OutlineItem>{});
    QVERIFY(viewer);
    QTest::keyClick(pageView(viewer), fit);
    // Without the focus frame, the page's edges are painted as they are.
    pageView(viewer)->clearFocus();
    QWidget *area = pageView(viewer)->viewport();
    const auto wholePage = [&] {
        const PaintedPage page = paintedPage(m_window, viewer);
        const int margin = viewer::FitMargin;
        const QRect inView = QRect(area->mapTo(m_window, QPoint(0, 0)), area->size())
                                 .adjusted(margin, margin, -margin, -margin);
        return sameProportions(page.extent, points) && page.allCorners() && inView.contains(page.extent);
    };
    QTRY_VERIFY_WITH_TIMEOUT(wholePage(), DrawWaitMs);
    if (indexed && viewer->isToolbarVisible()) {
        // The next chart opens fitted as well: its first page is drawn before its index arrives.
        const QString chart = viewer->loadedFile();
        viewer->loadFile(chart);
        QTRY_VERIFY_WITH_TIMEOUT(viewer->findChild<QWidget *>(QStringLiteral("chartIndex"))->isVisible(),
                                 DrawWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(wholePage(), DrawWaitMs);
    }
}

void ChartInWindowsTest::scrollingReachesEveryEdge_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("companion window") << "companion";
}

void ChartInWindowsTest::scrollingReachesEveryEdge()
{
    QFETCH(QString, window);
    ChartViewer *viewer = showChart(window, QSizeF(595, 842));
    QVERIFY(viewer);
    QAbstractScrollArea *view = pageView(viewer);
    for (int step = 0; step < 4; ++step)
        QTest::keyClick(view, Qt::Key_Plus);
    QScrollBar *across = view->horizontalScrollBar();
    QScrollBar *down = view->verticalScrollBar();
    QTRY_VERIFY_WITH_TIMEOUT(across->maximum() > 0 && down->maximum() > 0, DrawWaitMs);
    // The scroll area shows its bars after their ranges change, from the event loop.
    QTRY_VERIFY(isSeen(across, m_window));
    QTRY_VERIFY(isSeen(down, m_window));

    const auto shows = [this, viewer](int corner) { return paintedPage(m_window, viewer).corners[corner]; };
    across->setValue(across->maximum());
    down->setValue(down->maximum());
    QTRY_VERIFY_WITH_TIMEOUT(shows(3), DrawWaitMs); // bottom-right
    QVERIFY(!shows(0));
    across->setValue(0);
    QTRY_VERIFY(shows(2)); // bottom-left
    down->setValue(0);
    QTRY_VERIFY(shows(0)); // top-left
    QVERIFY(!shows(3));
    across->setValue(across->maximum());
    QTRY_VERIFY(shows(1)); // top-right
}

void ChartInWindowsTest::tabReachesTheViewerAndPageDownTurnsThePage()
{
    const QString chart = m_fixture->folder.filePath(QStringLiteral("Airports/TALL/ADPLL1-1.PDF"));
    QDir().mkpath(QFileInfo(chart).absolutePath());
    QVERIFY(fixtures::writeChart(chart, 2));
    m_fixture->load();
    QApplication::setActiveWindow(m_fixture->window.get());
    m_fixture->lookUp(QStringLiteral("TALL"));
    QTest::mouseClick(m_fixture->category(0), Qt::LeftButton);
    auto *viewer = m_fixture->control<ChartViewer>(QStringLiteral("openPDF"));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, DrawWaitMs);
    QCOMPARE(viewer->pageCount(), 2);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pageView(viewer));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    QCOMPARE(viewer->currentPage(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    QCOMPARE(viewer->currentPage(), 0);
    // From the viewer Tab goes on to the management commands ("&Print" is off while a chart is shown).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_fixture->control(QStringLiteral("cmdClean")));
}

// The pilot looks the airport up, its chart is drawn ahead, then the file is replaced (a new cycle copied
// in): the click shows the new chart, not the one drawn ahead.
void ChartInWindowsTest::chartReplacedAfterTheLookupShowsAsReplaced()
{
    const QString relative = QStringLiteral("Airports/TALL/ADPLL2-1.PDF");
    const QString chart = m_fixture->folder.filePath(relative);
    QDir().mkpath(QFileInfo(chart).absolutePath());
    QVERIFY(fixtures::writeCornerChart(chart, QSizeF(595, 842)));
    m_window = &m_fixture->load();
    QApplication::setActiveWindow(m_window);
    m_fixture->lookUp(QStringLiteral("TALL"));
    QVERIFY(fixtures::waitForDrawingAhead(DrawWaitMs));

    QVERIFY(fixtures::writeChart(chart + QStringLiteral(".new"), 1));
    QVERIFY(QFile::remove(chart) && QFile::rename(chart + QStringLiteral(".new"), chart));
    QTest::mouseClick(m_fixture->category(1), Qt::LeftButton);
    auto *viewer = m_fixture->control<ChartViewer>(QStringLiteral("openPDF"));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, DrawWaitMs);
    // The replaced chart had markers in its right-hand corners; the new one has none there.
    const PaintedPage shown = paintedPage(m_window, viewer);
    QVERIFY(!shown.corners[1] && !shown.corners[3]);
}

void ChartInWindowsTest::simulatedAircraftOnAPlacedChart_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("companion window") << "companion";
}

// Either window's viewer draws the aircraft the simulator link hears of, once the page is placed.
void ChartInWindowsTest::simulatedAircraftOnAPlacedChart()
{
    QFETCH(QString, window);
    const airportdata::GeoPosition topLeft = *airportdata::GeoPosition::fromDegrees(42.37, -71.03);
    m_fixture->simulator.fly(42.36, -71.02);
    ChartViewer *viewer = showChart(window, QSizeF(595, 842));
    QVERIFY(viewer);
    auto *view = viewer->findChild<viewer::ChartPageView *>(QStringLiteral("chartPageView"));
    QVERIFY(!view->mark());

    // 10 m a point, north up, from the page's top-left corner.
    const auto place = georef::ChartGeoreference::fromPoints(
        {{0, 0}, topLeft},
        {{500, 800},
         airportdata::travel(airportdata::travel(topLeft, airportdata::Bearing::degreesTrue(90),
                                                 airportdata::Length::metres(5000)),
                             airportdata::Bearing::degreesTrue(180), airportdata::Length::metres(8000))});
    QVERIFY(place);
    QVERIFY(viewer->findChild<viewer::AircraftOnChart *>()->placeShownPage(*place));
    QVERIFY(view->mark());
    const QPointF before = view->mark()->onImage;
    m_fixture->simulator.fly(42.365, -71.02);
    QTRY_VERIFY(view->mark() && view->mark()->onImage.y() < before.y());
    QVERIFY(!view->mark()->stale);
}

QTEST_MAIN(ChartInWindowsTest)
#include "tst_chartinwindows.moc"
