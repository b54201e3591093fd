// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "ChartIndexBox.h"
#include "ChartPageView.h"
#include "ChartToolbar.h"
#include "ChartViewer.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointingDevice>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using viewer::ChartPlace;
using viewer::ChartViewer;
using viewer::ZoomMode;

namespace {

constexpr int LoadWaitMs = 20000;
constexpr int ManyPages = 2000;

bool sameColour(QRgb pixel, const QColor &colour)
{
    return qAbs(qRed(pixel) - colour.red()) < 40 && qAbs(qGreen(pixel) - colour.green()) < 40 &&
           qAbs(qBlue(pixel) - colour.blue()) < 40;
}

// A zoom gesture as a touchpad reports it: value is the change of scale, 0.5 for half as large again.
void pinch(QWidget *viewport, QPointF at, qreal value)
{
    QNativeGestureEvent gesture(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, at, at,
                                viewport->mapToGlobal(at), value, QPointF());
    QApplication::sendEvent(viewport, &gesture);
}

void ctrlWheel(QWidget *viewport, QPointF at, int angle)
{
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
}

} // namespace

// Finding one's way in a chart: the page box, Home and End, dragging the page, zooming where one points,
// the chart's index, and the place a chart is kept at.
class ChartNavigationTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pageJumps_data();
    void pageJumps();
    void dragMovesTheViewByTheDragDistance();
    void zoomKeepsThePointUnderThePointer_data();
    void zoomKeepsThePointUnderThePointer();
    void zoomStopsAtItsLimits();
    void indexNamesTheEntryOfThePage_data();
    void indexNamesTheEntryOfThePage();
    void indexJumpsAndHidesWithoutOutline();
    void indexNamesTheChartOnScreenWholeOrCutInTheMiddle_data();
    void indexNamesTheChartOnScreenWholeOrCutInTheMiddle();
    void placeIsTakenAndGiven();

private:
    // A viewer showing the chart, with the keys.
    std::unique_ptr<ChartViewer> viewerWith(const QString &chart);
    QString path(const QString &name) const { return m_dir.filePath(name); }
    static viewer::ChartPageView *pageView(ChartViewer &viewer)
    {
        return viewer.findChild<viewer::ChartPageView *>(QStringLiteral("chartPageView"));
    }
    static viewer::ChartToolbar *toolbar(ChartViewer &viewer)
    {
        return viewer.findChild<viewer::ChartToolbar *>(QStringLiteral("chartToolbar"));
    }

    QTemporaryDir m_dir;
};

void ChartNavigationTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("many.pdf")), ManyPages));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("one.pdf")), 1));
    QVERIFY(fixtures::writeOutlinedChart(
        path(QStringLiteral("set.pdf")), 6,
        {{"AERODROME", 0, 0}, {"ILS RWY 16L", 2, 1}, {"CONTINUED", 3, 2}, {"NOTES", 5, 0}}));
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("late.pdf")), 3, {{"SID", 1, 0}}));
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("approaches.pdf")), 3,
                                         {{"ILS OR LOC RWY 04R", 0, 0},
                                          {"ILS OR LOC RWY 22L", 1, 0},
                                          {"QUIET BRIDGE VISUAL RWY 04L AND RWY 04R", 2, 0}}));
}

std::unique_ptr<ChartViewer> ChartNavigationTest::viewerWith(const QString &chart)
{
    auto viewer = fixtures::viewerWithHelper(fixtures::realHelper());
    viewer->resize(505, 801);
    viewer->show();
    QApplication::setActiveWindow(viewer.get());
    viewer->loadFile(path(chart));
    if (!QTest::qWaitFor([&] { return viewer->state() == ChartViewer::State::Shown; }, LoadWaitMs))
        qWarning("the chart was not shown");
    pageView(*viewer)->setFocus();
    return viewer;
}

void ChartNavigationTest::pageJumps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<int>("expected");
    const QKeySequence none;
    QTest::newRow("typed number") << 0 << "7" << none << 6;
    QTest::newRow("number past the last page") << 0 << "99999" << none << ManyPages - 1;
    QTest::newRow("0 goes nowhere") << 3 << "0" << none << 3;
    QTest::newRow("End") << 0 << "" << QKeySequence(Qt::Key_End) << ManyPages - 1;
    QTest::newRow("Ctrl+End") << 0 << "" << QKeySequence(Qt::ControlModifier | Qt::Key_End) << ManyPages - 1;
    QTest::newRow("Home") << 1500 << "" << QKeySequence(Qt::Key_Home) << 0;
    QTest::newRow("Ctrl+Home") << 1500 << "" << QKeySequence(Qt::ControlModifier | Qt::Key_Home) << 0;
    QTest::newRow("Page Down") << 1500 << "" << QKeySequence(Qt::Key_PageDown) << 1501;
}

// Only the page asked for is drawn, however far it is.
void ChartNavigationTest::pageJumps()
{
    QFETCH(int, start);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, key);
    QFETCH(int, expected);
    const auto viewer = viewerWith(QStringLiteral("many.pdf"));
    QCOMPARE(viewer->pageCount(), ManyPages);
    QSignalSpy shown(viewer.get(), &ChartViewer::pageShown);
    if (start > 0) {
        viewer->setPlace({.page = start});
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty() && shown.last().at(0).toInt() == start, LoadWaitMs);
        shown.clear();
    }

    if (typed.isEmpty()) {
        QTest::keySequence(pageView(*viewer), key);
    } else {
        auto *box = viewer->findChild<QLineEdit *>(QStringLiteral("chartPageNumber"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        if (expected != start)
            QCOMPARE(QApplication::focusWidget(), pageView(*viewer)); // the keys work again at once
    }
    QCOMPARE(viewer->currentPage(), expected);
    if (expected != start)
        QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), LoadWaitMs);
    for (const QList<QVariant> &page : shown)
        QCOMPARE(page.at(0).toInt(), expected);
    QVERIFY(sameColour(pageView(*viewer)->image().pixel(5, 5), fixtures::markerColour(expected)));
    QCOMPARE(toolbar(*viewer)->pageText(), QStringLiteral("%1 of %2").arg(expected + 1).arg(ManyPages));
    QCOMPARE(viewer->findChild<QLineEdit *>(QStringLiteral("chartPageNumber"))->text(),
             QString::number(expected + 1));
}

void ChartNavigationTest::dragMovesTheViewByTheDragDistance()
{
    const auto viewer = viewerWith(QStringLiteral("one.pdf"));
    viewer::ChartPageView *view = pageView(*viewer);
    viewer->setPlace({.zoomMode = ZoomMode::Custom, .customScale = 2});
    QTRY_COMPARE_WITH_TIMEOUT(view->image().width(), 1190, LoadWaitMs);
    QScrollBar *across = view->horizontalScrollBar();
    QScrollBar *down = view->verticalScrollBar();
    across->setValue(100);
    down->setValue(200);
    QWidget *area = view->viewport();
    QCOMPARE(area->cursor().shape(), Qt::OpenHandCursor);

    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(300, 400));
    QCOMPARE(area->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseMove(area, QPoint(270, 380));
    QTest::mouseMove(area, QPoint(250, 330));
    QCOMPARE(across->value(), 150);
    QCOMPARE(down->value(), 270);
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(250, 330));
    QCOMPARE(area->cursor().shape(), Qt::OpenHandCursor);
    QCOMPARE(across->value(), 150);
    QCOMPARE(down->value(), 270);
}

void ChartNavigationTest::zoomKeepsThePointUnderThePointer_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<qreal>("amount");
    QTest::addColumn<qreal>("factor");
    QTest::newRow("Ctrl+wheel in") << "wheel" << 120.0 << 1.25;
    QTest::newRow("Ctrl+wheel out") << "wheel" << -120.0 << 0.8;
    QTest::newRow("Ctrl+wheel two notches in") << "wheel" << 240.0 << 1.5625;
    QTest::newRow("pinch open") << "pinch" << 0.5 << 1.5;
    QTest::newRow("pinch close") << "pinch" << -0.25 << 0.75;
}

void ChartNavigationTest::zoomKeepsThePointUnderThePointer()
{
    QFETCH(QString, gesture);
    QFETCH(qreal, amount);
    QFETCH(qreal, factor);
    const auto viewer = viewerWith(QStringLiteral("one.pdf"));
    viewer::ChartPageView *view = pageView(*viewer);
    viewer->setPlace({.zoomMode = ZoomMode::Custom, .customScale = 2});
    QTRY_COMPARE_WITH_TIMEOUT(view->image().width(), 1190, LoadWaitMs);
    view->horizontalScrollBar()->setValue(300);
    view->verticalScrollBar()->setValue(500);
    // The page lies at minus the scroll values: the point under the pointer, as a fraction of the page.
    const QPointF pointer(260, 310);
    const QPointF onPage((pointer.x() + 300) / 1190, (pointer.y() + 500) / 1684);

    if (gesture == u"wheel")
        ctrlWheel(view->viewport(), pointer, int(amount));
    else
        pinch(view->viewport(), pointer, amount);
    const QSizeF size(std::floor(595 * 2 * factor), std::floor(842 * 2 * factor));
    QTRY_COMPARE_WITH_TIMEOUT(view->image().size(), size.toSize(), LoadWaitMs);
    const QPointF nowUnder(pointer.x() + view->horizontalScrollBar()->value(),
                           pointer.y() + view->verticalScrollBar()->value());
    QVERIFY2(qAbs(nowUnder.x() - onPage.x() * size.width()) <= 1, qPrintable(QString::number(nowUnder.x())));
    QVERIFY2(qAbs(nowUnder.y() - onPage.y() * size.height()) <= 1, qPrintable(QString::number(nowUnder.y())));
    QCOMPARE(toolbar(*viewer)->zoomText(), QStringLiteral("%1 %").arg(qRound(2 * factor * 75)));
    QCOMPARE(viewer->place().zoomMode, ZoomMode::Custom);
}

void ChartNavigationTest::zoomStopsAtItsLimits()
{
    const auto viewer = viewerWith(QStringLiteral("one.pdf"));
    viewer::ChartToolbar *bar = toolbar(*viewer);
    QVERIFY(bar->zoomIn->isEnabled() && bar->zoomOut->isEnabled());
    for (int step = 0; step < 20 && bar->zoomIn->isEnabled(); ++step)
        QTest::keyClick(pageView(*viewer), Qt::Key_Plus);
    QVERIFY(!bar->zoomIn->isEnabled());
    QCOMPARE(bar->zoomText(), QStringLiteral("600 %"));
    ctrlWheel(pageView(*viewer)->viewport(), QPointF(100, 100), 120);
    QCOMPARE(bar->zoomText(), QStringLiteral("600 %"));

    for (int step = 0; step < 30 && bar->zoomOut->isEnabled(); ++step)
        QTest::keyClick(pageView(*viewer), Qt::Key_Minus);
    QVERIFY(!bar->zoomOut->isEnabled());
    QVERIFY(bar->zoomIn->isEnabled());
    QCOMPARE(bar->zoomText(), QStringLiteral("19 %"));
}

void ChartNavigationTest::indexNamesTheEntryOfThePage_data()
{
    QTest::addColumn<QString>("chart");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("entry");
    QTest::newRow("first page") << "set.pdf" << 0 << "AERODROME";
    QTest::newRow("page between entries: the one before") << "set.pdf" << 1 << "AERODROME";
    QTest::newRow("nested entry") << "set.pdf" << 2 << "   ILS RWY 16L";
    QTest::newRow("continued plate") << "set.pdf" << 4 << "      CONTINUED";
    QTest::newRow("last entry") << "set.pdf" << 5 << "NOTES";
    QTest::newRow("before the first entry: none") << "late.pdf" << 0 << "";
}

void ChartNavigationTest::indexNamesTheEntryOfThePage()
{
    QFETCH(QString, chart);
    QFETCH(int, page);
    QFETCH(QString, entry);
    const auto viewer = viewerWith(chart);
    QTRY_VERIFY_WITH_TIMEOUT(toolbar(*viewer)->hasIndex(), LoadWaitMs);
    viewer->setPlace({.page = page});
    auto *index = viewer->findChild<viewer::ChartIndexBox *>(QStringLiteral("chartIndex"));
    QCOMPARE(index->currentText(), entry);
}

void ChartNavigationTest::indexJumpsAndHidesWithoutOutline()
{
    const auto viewer = viewerWith(QStringLiteral("set.pdf"));
    auto *index = viewer->findChild<viewer::ChartIndexBox *>(QStringLiteral("chartIndex"));
    QTRY_VERIFY_WITH_TIMEOUT(toolbar(*viewer)->hasIndex(), LoadWaitMs);
    QVERIFY(index->isVisible());
    QCOMPARE(index->count(), 4);
    QSignalSpy shown(viewer.get(), &ChartViewer::pageShown);
    emit index->activated(3);
    QCOMPARE(viewer->currentPage(), 5);
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty() && shown.last().at(0).toInt() == 5, LoadWaitMs);
    QVERIFY(sameColour(pageView(*viewer)->image().pixel(5, 5), fixtures::markerColour(5)));

    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QVERIFY(!toolbar(*viewer)->hasIndex());
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QVERIFY(!toolbar(*viewer)->hasIndex());
    QVERIFY(!index->isVisible());
}

void ChartNavigationTest::indexNamesTheChartOnScreenWholeOrCutInTheMiddle_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("page"); // -1: the first page, before the index arrives
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("whole");
    QTest::newRow("first page, before the index came") << 505 << -1 << "ILS OR LOC RWY 04R" << false;
    QTest::newRow("second chart") << 505 << 1 << "ILS OR LOC RWY 22L" << false;
    QTest::newRow("long name") << 505 << 2 << "QUIET BRIDGE VISUAL RWY 04L AND RWY 04R" << false;
    QTest::newRow("full screen: whole") << 1200 << 2 << "QUIET BRIDGE VISUAL RWY 04L AND RWY 04R" << true;
}

// The index names the chart on screen from its first page on: its name cut in the middle where the box is
// narrow (both ends tell the approaches apart), whole in the tool tip; the print button stays in view.
void ChartNavigationTest::indexNamesTheChartOnScreenWholeOrCutInTheMiddle()
{
    QFETCH(int, width);
    QFETCH(int, page);
    QFETCH(QString, title);
    QFETCH(bool, whole);
    const auto viewer = viewerWith(QStringLiteral("approaches.pdf"));
    viewer->resize(width, viewer->height());
    auto *index = viewer->findChild<viewer::ChartIndexBox *>(QStringLiteral("chartIndex"));
    QTRY_VERIFY_WITH_TIMEOUT(toolbar(*viewer)->hasIndex(), LoadWaitMs);
    if (page >= 0)
        viewer->setPlace({.page = page});
    QTRY_VERIFY(index->isVisible() && index->width() > 0);

    QCOMPARE(index->currentText(), title);
    QVERIFY2(index->toolTip().startsWith(title), qPrintable(index->toolTip()));
    const QString shown = index->shownText();
    if (whole) {
        QCOMPARE(shown, title);
    } else {
        QVERIFY2(shown.contains(u'…'), qPrintable(shown));
        const QStringList ends = shown.split(u'…');
        QVERIFY2(title.startsWith(ends.first()) && title.endsWith(ends.last()), qPrintable(shown));
        QVERIFY2(ends.first().size() >= 3 && ends.last().size() >= 3, qPrintable(shown));
    }
    const QWidget *print = toolbar(*viewer)->widgetForAction(toolbar(*viewer)->print);
    QVERIFY(print && print->isVisible());
    QVERIFY(toolbar(*viewer)->rect().contains(print->geometry()));
}

// The place goes from one viewer to the other: set while the chart is on its way, it applies once the chart
// is read; a new chart starts at its first page, in the same colours.
void ChartNavigationTest::placeIsTakenAndGiven()
{
    const ChartPlace place{5, ZoomMode::Custom, 1.5, 1, true};
    const auto viewer = viewerWith(QStringLiteral("one.pdf"));
    QSignalSpy shown(viewer.get(), &ChartViewer::pageShown);
    viewer->loadFile(path(QStringLiteral("set.pdf")));
    viewer->setPlace(place);
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), LoadWaitMs);
    QCOMPARE(shown.first().at(0).toInt(), 5);
    QCOMPARE(viewer->place(), place);
    const QImage turned = pageView(*viewer)->image();
    QCOMPARE(turned.size(), QSize(1263, 892)); // A4 at 1.5 pixels a point, turned
    QVERIFY(qGray(turned.pixel(turned.width() / 2, turned.height() / 2)) < 60);

    viewer->setPlace({.page = 99});
    QCOMPARE(viewer->currentPage(), 5);

    viewer->setPlace(place);
    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QCOMPARE(viewer->place(), (ChartPlace{0, ZoomMode::FitWidth, 1.5, 0, true}));
}

QTEST_MAIN(ChartNavigationTest)
#include "tst_chartnavigation.moc"
