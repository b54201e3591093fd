// SPDX-License-Identifier: GPL-3.0-or-later
#include "AircraftOnChart.h"
#include "ChartFixtures.h"
#include "ChartPageView.h"
#include "CoordinateText.h"
#include "PageFit.h"

#include <QDir>
#include <QFileInfo>
#include <QLineF>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace viewer;
using airportdata::GeoPosition;

namespace {

constexpr int LoadWaitMs = 15000;
constexpr double MetresPerPoint = 0.0254 / 72;

// The FAA's airport diagram of Boston Logan, edition 14093 (3 April 2014), as the real data folder holds it.
const QByteArray DiagramSha256("6241f24924f0be06422d28b40f6204de222d7bd789417c4909f87af7e09d7e87");
const QStringList DiagramPlaces{QStringLiteral("faa-libraries/single/Airports/KBOS/ADPOS2-1.PDF"),
                                QStringLiteral("faa/examples/BOS/MA-BOS-AIRPORT-DIAGRAM.pdf")};
const QSizeF DiagramPoints(387, 594);
// Read off the diagram drawn at 288 dpi: where its grid lines of 42°21'N and 71°01'W cross, and those of
// 42°23'N and 71°00'W; and the end of the bar of runway 04R, on its centre line.
const georef::ReferencePoint SouthWest{{111.625, 500.375}, *airportdata::readPosition(u"42°21'N 71°01'W")};
const georef::ReferencePoint NorthEast{{250.5, 125.875}, *airportdata::readPosition(u"42°23'N 71°00'W")};
const QPointF DrawnEnd04R(152.35, 487.3);
// The runway end of 04R as published (FAA runway data, as OurAirports carries it).
const GeoPosition PublishedEnd04R = *GeoPosition::fromDegrees(42.351064, -71.011801);

QString diagramFile()
{
    const QString folder = qEnvironmentVariable("VARNELOX_REAL_DATA");
    for (const QString &place : DiagramPlaces)
        if (!folder.isEmpty() && QFileInfo::exists(QDir(folder).filePath(place)))
            return QDir(folder).filePath(place);
    return {};
}

} // namespace

// The aircraft on the real airport diagram of Boston, placed by two crossings of its grid: at the published
// end of runway 04R it is drawn within 30 m (the runway's width is 46 m) of the end the diagram draws, fitted
// to the page and at 200 %.
class RealAirportDiagramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void runwayEndWithinThirtyMetres_data();
    void runwayEndWithinThirtyMetres();

private:
    QString m_diagram;
    QTemporaryDir m_folder;
};

void RealAirportDiagramTest::initTestCase()
{
    m_diagram = diagramFile();
    if (m_diagram.isEmpty())
        QSKIP("no FAA airport diagram of KBOS: name the real data folder (holding faa-libraries/ or faa/) in "
              "VARNELOX_REAL_DATA");
    const std::optional<georef::ChartPage> page = georef::ChartPage::ofFile(m_diagram, 0);
    QVERIFY(page);
    if (page->sha256 != DiagramSha256)
        QSKIP("the KBOS airport diagram is another edition than the one whose grid was measured");
}

void RealAirportDiagramTest::runwayEndWithinThirtyMetres_data()
{
    QTest::addColumn<int>("zoomMode");
    QTest::addColumn<double>("scale");
    QTest::newRow("fit page") << int(ZoomMode::FitPage) << PixelsPerPoint;
    QTest::newRow("200 %") << int(ZoomMode::Custom) << 2 * PixelsPerPoint;
}

void RealAirportDiagramTest::runwayEndWithinThirtyMetres()
{
    QFETCH(int, zoomMode);
    QFETCH(double, scale);
    georef::PlacedCharts places(m_folder.filePath(QStringLiteral("placed.json")));
    auto viewer = fixtures::viewerWithHelper(fixtures::realHelper(), &places);
    viewer->resize(560, 760);
    viewer->show();
    viewer->loadFile(m_diagram);
    QTRY_VERIFY_WITH_TIMEOUT(viewer->state() == ChartViewer::State::Shown, LoadWaitMs);
    QSignalSpy shown(viewer.get(), &ChartViewer::pageShown);
    viewer->setPlace({0, ZoomMode(zoomMode), scale, 0, false});
    QVERIFY(shown.wait(LoadWaitMs));

    const auto georeference = georef::ChartGeoreference::fromPoints(SouthWest, NorthEast);
    QVERIFY(georeference && !georeference->scaleIsUnlikely());
    auto *aircraft = viewer->findChild<AircraftOnChart *>();
    QVERIFY(aircraft->placeShownPage(*georeference));
    viewer->setAircraft(AircraftFix{PublishedEnd04R, airportdata::Bearing::degreesTrue(20), false});

    auto *view = viewer->findChild<ChartPageView *>(QStringLiteral("chartPageView"));
    const std::optional<PageMark> mark = view->mark();
    QVERIFY(mark);
    // On the page image as the viewer shows it, in its pixels, and in metres at the diagram's scale.
    // (An image of whole pixels: its height and width differ a little from the page's at one scale.)
    const QImage image = view->image();
    const double pixelsPerPoint = image.width() / DiagramPoints.width();
    const QPointF markPixel(mark->onImage.x() * image.width(), mark->onImage.y() * image.height());
    const QPointF endPixel(DrawnEnd04R.x() * image.width() / DiagramPoints.width(),
                           DrawnEnd04R.y() * image.height() / DiagramPoints.height());
    const double missPixels = QLineF(markPixel, endPixel).length();
    const double missMetres = missPixels / pixelsPerPoint * MetresPerPoint * georeference->scaleDenominator();
    qInfo(
        "diagram at 1:%.0f, %.2f pixels a point: the aircraft is drawn %.1f pixels, %.1f m, from the end of "
        "runway 04R",
        georeference->scaleDenominator(), pixelsPerPoint, missPixels, missMetres);
    QVERIFY2(missMetres < 30, qPrintable(QString::number(missMetres)));

    // The page image shows the runway's bar there (dark within a runway's width).
    int darkest = 255;
    const int reach = qCeil(23 / (MetresPerPoint * georeference->scaleDenominator()) * pixelsPerPoint);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint at = markPixel.toPoint() + QPoint(dx, dy);
            if (image.rect().contains(at))
                darkest = std::min(darkest, qGray(image.pixel(at)));
        }
    QVERIFY2(darkest < 80, qPrintable(QString::number(darkest)));
}

QTEST_MAIN(RealAirportDiagramTest)
#include "tst_realairportdiagram.moc"
