// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixtures.h"
#include "ChartPageView.h"
#include "ChartPrintJob.h"
#include "ChartRenderClient.h"
#include "ChartToolbar.h"
#include "ChartViewer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPdfDocument>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using viewer::ChartRenderSettings;
using viewer::ChartViewer;

namespace {

constexpr int LoadWaitMs = 20000;

ChartRenderSettings fakeHelper(int timeoutMs)
{
    ChartRenderSettings settings;
    settings.helperProgram = qEnvironmentVariable("FAKE_RENDER_HELPER");
    settings.timeoutMs = timeoutMs;
    return settings;
}

bool isReddish(QRgb pixel)
{
    return qRed(pixel) > 150 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

bool isBluish(QRgb pixel)
{
    return qBlue(pixel) > 150 && qRed(pixel) < 100 && qGreen(pixel) < 100;
}

} // namespace

class ChartViewerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void goodChartShows();
    void unreadableFilesFail_data();
    void unreadableFilesFail();
    void stuckOrDeadHelperRecovers_data();
    void stuckOrDeadHelperRecovers();
    void missingHelperSaysSo();
    void newerRequestSupersedesOlder();
    void stuckChartIsSupersededWithoutWaitingForTheLimit();
    void slowChartShowsBusyIndicator();
    void pageDoesNotWaitForTheIndex_data();
    void pageDoesNotWaitForTheIndex();
    void toolbarToggles();
    void closedChartLeavesThePlaceholder_data();
    void closedChartLeavesThePlaceholder();
    void keysTurnPagesAndRotate();
    void letterKeysWorkWithAndWithoutShift_data();
    void letterKeysWorkWithAndWithoutShift();
    void zoomAndNightChangeTheImage();
    void printWithoutPrinterSaysSo();
    void printJobPrintsChosenPages();

private:
    std::unique_ptr<ChartViewer> shownViewer(const ChartRenderSettings &settings);
    QString path(const QString &name) const { return m_dir.filePath(name); }
    static viewer::ChartPageView *pageView(ChartViewer &viewer);
    static viewer::ChartToolbar *toolbar(ChartViewer &viewer);

    QTemporaryDir m_dir;
};

void ChartViewerTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::writeChart(path(QStringLiteral("three.pdf")), 3));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("one.pdf")), 1));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("hang.pdf")), 1));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("crash.pdf")), 1));
    QVERIFY(fixtures::writeChart(path(QStringLiteral("slow.pdf")), 1));
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("index-stalls.pdf")), 3, {{"STALLS", 1, 0}}));
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("index-dies.pdf")), 3, {{"DIES", 1, 0}}));
    QVERIFY(fixtures::writeOutlinedChart(path(QStringLiteral("indexed.pdf")), 2, {{"A", 0, 0}, {"B", 1, 0}}));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("empty.pdf")), {}));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("garbage.pdf")), QByteArray(4000, '\x9c')));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("broken.pdf")), "%PDF-1.4\n" + QByteArray(4000, 'x')));
    QVERIFY(fixtures::writeTruncatedChart(path(QStringLiteral("truncated.pdf"))));
    QVERIFY(fixtures::writeEncryptedChart(path(QStringLiteral("locked.pdf"))));
    QVERIFY(fixtures::writeEndlessPageTree(path(QStringLiteral("endless.pdf"))));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.pdf")));
}

std::unique_ptr<ChartViewer> ChartViewerTest::shownViewer(const ChartRenderSettings &settings)
{
    auto viewer = fixtures::viewerWithHelper(settings);
    viewer->resize(505, 801);
    viewer->show();
    viewer->activateWindow();
    if (!QTest::qWaitForWindowActive(viewer.get()))
        qWarning("the viewer's window did not become active");
    return viewer;
}

viewer::ChartPageView *ChartViewerTest::pageView(ChartViewer &viewer)
{
    return viewer.findChild<viewer::ChartPageView *>(QStringLiteral("chartPageView"));
}

viewer::ChartToolbar *ChartViewerTest::toolbar(ChartViewer &viewer)
{
    return viewer.findChild<viewer::ChartToolbar *>(QStringLiteral("chartToolbar"));
}

void ChartViewerTest::goodChartShows()
{
    const auto viewer = shownViewer(fixtures::realHelper());
    QSignalSpy states(viewer.get(), &ChartViewer::stateChanged);
    viewer->loadFile(path(QStringLiteral("three.pdf")));
    QCOMPARE(viewer->state(), ChartViewer::State::Loading);
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 3);
    QCOMPARE(viewer->loadedFile(), path(QStringLiteral("three.pdf")));
    QVERIFY(viewer->message().isEmpty());
    QCOMPARE(toolbar(*viewer)->pageText(), QStringLiteral("1 of 3"));
    const QImage image = pageView(*viewer)->image();
    QCOMPARE(image.width(), 505 - 2 * viewer::FitMargin); // fit width, a margin on either side
    QVERIFY(isReddish(image.pixel(5, 5)));
    QCOMPARE(states.count(), 2);
}

void ChartViewerTest::unreadableFilesFail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "absent.pdf"
                             << "The file does not exist.";
    QTest::newRow("missing folder") << "nowhere/absent.pdf"
                                    << "The folder does not exist.";
    QTest::newRow("folder") << "folder.pdf"
                            << "This is a folder, not a chart file.";
    QTest::newRow("empty") << "empty.pdf"
                           << "The file is empty.";
    QTest::newRow("garbage") << "garbage.pdf"
                             << "The file is not a PDF chart.";
    QTest::newRow("damaged") << "broken.pdf"
                             << "The file is damaged or incomplete.";
    QTest::newRow("truncated") << "truncated.pdf"
                               << "The file is damaged or incomplete.";
    QTest::newRow("encrypted") << "locked.pdf"
                               << "The file is protected by a password.";
}

void ChartViewerTest::unreadableFilesFail()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const auto viewer = shownViewer(fixtures::realHelper());
    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);

    const QFileInfo file(path(name));
    viewer->loadFile(file.filePath());
    QVERIFY(pageView(*viewer)->image().isNull());
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Failed, LoadWaitMs);
    QVERIFY2(viewer->message().contains(reason), qPrintable(viewer->message()));
    QVERIFY(viewer->message().contains(file.fileName()));
    QVERIFY(viewer->message().contains(QDir::toNativeSeparators(file.absolutePath())));
    QVERIFY(pageView(*viewer)->image().isNull());
    QCOMPARE(pageView(*viewer)->message(), viewer->message());
    QCOMPARE(viewer->pageCount(), 0);
    QVERIFY(toolbar(*viewer)->pageText().isEmpty());
}

void ChartViewerTest::stuckOrDeadHelperRecovers_data()
{
    QTest::addColumn<bool>("engine");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("engine hangs") << true << "endless.pdf"
                                  << "reading it took too long";
    QTest::newRow("helper hangs") << false << "hang.pdf"
                                  << "reading it took too long";
    QTest::newRow("helper dies") << false << "crash.pdf"
                                 << "the chart reader stopped unexpectedly";
}

void ChartViewerTest::stuckOrDeadHelperRecovers()
{
    QFETCH(bool, engine);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    ChartRenderSettings settings = engine ? fixtures::realHelper() : fakeHelper(0);
    settings.timeoutMs = 3000;
    const auto viewer = shownViewer(settings);
    viewer->loadFile(path(name));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Failed, LoadWaitMs);
    QVERIFY2(viewer->message().contains(QStringLiteral("The chart could not be read")),
             qPrintable(viewer->message()));
    QVERIFY(viewer->message().contains(reason));
    QVERIFY(viewer->message().contains(name));

    viewer->loadFile(path(QStringLiteral("three.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 3);
}

void ChartViewerTest::missingHelperSaysSo()
{
    ChartRenderSettings settings;
    settings.helperProgram = path(QStringLiteral("no-such-helper"));
    const auto viewer = shownViewer(settings);
    for (int attempt = 0; attempt < 2; ++attempt) {
        viewer->loadFile(path(QStringLiteral("one.pdf")));
        QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Failed, LoadWaitMs);
        QVERIFY2(viewer->message().contains(QStringLiteral("varnelox-render")),
                 qPrintable(viewer->message()));
        QVERIFY(viewer->message().contains(QStringLiteral("one.pdf")));
    }
}

void ChartViewerTest::newerRequestSupersedesOlder()
{
    const auto viewer = shownViewer(fixtures::realHelper());
    QSignalSpy states(viewer.get(), &ChartViewer::stateChanged);
    viewer->loadFile(path(QStringLiteral("three.pdf")));
    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 1);
    QCOMPARE(viewer->loadedFile(), path(QStringLiteral("one.pdf")));
    QCOMPARE(states.count(), 3);
    QCOMPARE(states.at(1).at(0).value<ChartViewer::State>(), ChartViewer::State::Loading);
}

void ChartViewerTest::stuckChartIsSupersededWithoutWaitingForTheLimit()
{
    // The limit is far beyond the wait below: only superseding can bring the second chart in time.
    const QString taken = path(QStringLiteral("hang.pdf.taken"));
    QFile::remove(taken);
    const auto viewer = shownViewer(fakeHelper(120000));
    viewer->loadFile(path(QStringLiteral("hang.pdf")));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(taken), LoadWaitMs); // the helper is stuck in it
    viewer->loadFile(path(QStringLiteral("three.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 3);
}

void ChartViewerTest::slowChartShowsBusyIndicator()
{
    const auto viewer = shownViewer(fakeHelper(20000));
    viewer::ChartPageView *view = pageView(*viewer);
    viewer->loadFile(path(QStringLiteral("slow.pdf")));
    QVERIFY(!view->isBusy());
    QTRY_VERIFY_WITH_TIMEOUT(view->isBusy(), LoadWaitMs);
    QCOMPARE(viewer->state(), ChartViewer::State::Loading);
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QVERIFY(!view->isBusy());
}

void ChartViewerTest::pageDoesNotWaitForTheIndex_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("reading the index never ends") << "index-stalls.pdf";
    QTest::newRow("the helper dies reading the index") << "index-dies.pdf";
}

// The first page shows whatever becomes of the chart's index; the next chart gets its own index, never the
// late one of the chart before.
void ChartViewerTest::pageDoesNotWaitForTheIndex()
{
    QFETCH(QString, name);
    const auto viewer = shownViewer(fakeHelper(120000));
    viewer->loadFile(path(name));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 3);
    QVERIFY(isReddish(pageView(*viewer)->image().pixel(5, 5)));
    QVERIFY(!toolbar(*viewer)->hasIndex());

    viewer->loadFile(path(QStringLiteral("indexed.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QTRY_VERIFY_WITH_TIMEOUT(toolbar(*viewer)->hasIndex(), LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 2);
    const auto *index = viewer->findChild<QComboBox *>(QStringLiteral("chartIndex"));
    QCOMPARE(index->count(), 2);
    QCOMPARE(index->itemText(1), QStringLiteral("B"));
}

void ChartViewerTest::toolbarToggles()
{
    const auto viewer = shownViewer(fixtures::realHelper());
    QVERIFY(viewer->isToolbarVisible());
    QVERIFY(toolbar(*viewer)->isVisible());
    viewer->setToolbarVisible(false);
    QVERIFY(!viewer->isToolbarVisible());
    QVERIFY(!toolbar(*viewer)->isVisible());
    viewer->setToolbarVisible(true);
    QVERIFY(viewer->isToolbarVisible());
    QVERIFY(toolbar(*viewer)->isVisible());

    // T shows and hides it, also while it is hidden.
    pageView(*viewer)->setFocus();
    QTest::keyClick(pageView(*viewer), Qt::Key_T);
    QVERIFY(!viewer->isToolbarVisible());
    QVERIFY(!toolbar(*viewer)->showToolbar->isChecked());
    QTest::keyClick(pageView(*viewer), Qt::Key_T);
    QVERIFY(viewer->isToolbarVisible());
    QVERIFY(toolbar(*viewer)->showToolbar->isChecked());
}

void ChartViewerTest::closedChartLeavesThePlaceholder_data()
{
    QTest::addColumn<bool>("waitForThePage");
    QTest::newRow("chart shown") << true;
    QTest::newRow("chart still on its way") << false;
}

void ChartViewerTest::closedChartLeavesThePlaceholder()
{
    QFETCH(bool, waitForThePage);
    const auto viewer = shownViewer(fixtures::realHelper());
    viewer->setPlaceholderText(QStringLiteral("Choose a chart"));
    QCOMPARE(pageView(*viewer)->message(), QStringLiteral("Choose a chart"));
    viewer->loadFile(path(QStringLiteral("three.pdf")));
    QVERIFY(pageView(*viewer)->message().isEmpty());
    if (waitForThePage)
        QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);

    viewer->closeChart();
    QCOMPARE(viewer->state(), ChartViewer::State::Empty);
    QVERIFY(viewer->loadedFile().isEmpty());
    QVERIFY(viewer->message().isEmpty());
    QCOMPARE(pageView(*viewer)->message(), QStringLiteral("Choose a chart"));
    QCOMPARE(viewer->pageCount(), 0);
    QVERIFY(toolbar(*viewer)->pageText().isEmpty());
    QVERIFY(!toolbar(*viewer)->nextPage->isEnabled());
    QVERIFY(!toolbar(*viewer)->print->isEnabled());
    // Whatever the render helper still sends about the closed chart is dropped.
    QTest::qWait(500);
    QCOMPARE(viewer->state(), ChartViewer::State::Empty);
    QVERIFY(pageView(*viewer)->image().isNull());

    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    QCOMPARE(viewer->pageCount(), 1);
}

void ChartViewerTest::keysTurnPagesAndRotate()
{
    const auto viewer = shownViewer(fixtures::realHelper());
    viewer->setToolbarVisible(false);
    viewer::ChartPageView *view = pageView(*viewer);
    viewer->loadFile(path(QStringLiteral("three.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    view->setFocus();

    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(viewer->currentPage(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(isBluish(view->image().pixel(5, 5)), LoadWaitMs);
    QCOMPARE(toolbar(*viewer)->pageText(), QStringLiteral("2 of 3"));
    QTest::keyClick(view, Qt::Key_PageUp);
    QTRY_VERIFY_WITH_TIMEOUT(isReddish(view->image().pixel(5, 5)), LoadWaitMs);

    QTest::keyClick(view, Qt::Key_R);
    QTRY_VERIFY_WITH_TIMEOUT(view->image().width() > view->image().height(), LoadWaitMs);
    const QImage turned = view->image();
    QVERIFY(isReddish(turned.pixel(turned.width() - 6, 5)));
    QVERIFY(!isReddish(turned.pixel(5, 5)));
}

void ChartViewerTest::letterKeysWorkWithAndWithoutShift_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("effect");
    for (const Qt::KeyboardModifiers shift :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        const char *with = shift ? "Shift+" : "";
        QTest::addRow("%sW", with) << Qt::Key_W << shift << "fit width";
        QTest::addRow("%sF", with) << Qt::Key_F << shift << "fit page";
        QTest::addRow("%sR", with) << Qt::Key_R << shift << "rotated";
        QTest::addRow("%sN", with) << Qt::Key_N << shift << "night";
        QTest::addRow("%sT", with) << Qt::Key_T << shift << "no toolbar";
    }
}

// The README writes the keys as capitals: each works with Shift as without.
void ChartViewerTest::letterKeysWorkWithAndWithoutShift()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, effect);
    const auto viewer = shownViewer(fixtures::realHelper());
    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    viewer->setPlace({.zoomMode = viewer::ZoomMode::Custom, .customScale = 1});
    pageView(*viewer)->setFocus();

    QTest::keyClick(pageView(*viewer), key, modifiers);
    const viewer::ChartPlace place = viewer->place();
    const QString seen = place.zoomMode == viewer::ZoomMode::FitWidth  ? QStringLiteral("fit width")
                         : place.zoomMode == viewer::ZoomMode::FitPage ? QStringLiteral("fit page")
                         : place.quarterTurns == 1                     ? QStringLiteral("rotated")
                         : place.night                                 ? QStringLiteral("night")
                         : !viewer->isToolbarVisible()                 ? QStringLiteral("no toolbar")
                                                                       : QStringLiteral("nothing");
    QCOMPARE(seen, effect);
}

void ChartViewerTest::zoomAndNightChangeTheImage()
{
    const auto viewer = shownViewer(fixtures::realHelper());
    viewer::ChartPageView *view = pageView(*viewer);
    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    view->setFocus();
    const int fitted = view->image().width();

    QTest::keyClick(view, Qt::Key_Plus);
    QTRY_VERIFY_WITH_TIMEOUT(view->image().width() > fitted, LoadWaitMs);
    QTest::keyClick(view, Qt::Key_W);
    QTRY_COMPARE_WITH_TIMEOUT(view->image().width(), fitted, LoadWaitMs);
    QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QTRY_VERIFY_WITH_TIMEOUT(view->image().width() < fitted, LoadWaitMs);

    QTest::keyClick(view, Qt::Key_N);
    QTRY_VERIFY_WITH_TIMEOUT(qGray(view->image().pixel(view->image().width() / 2, 2)) < 60, LoadWaitMs);
    QVERIFY(isReddish(view->image().pixel(5, 5)));
}

void ChartViewerTest::printWithoutPrinterSaysSo()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed on this machine");
    const auto viewer = shownViewer(fixtures::realHelper());
    viewer->loadFile(path(QStringLiteral("one.pdf")));
    QTRY_COMPARE_WITH_TIMEOUT(viewer->state(), ChartViewer::State::Shown, LoadWaitMs);
    toolbar(*viewer)->print->trigger();
    const auto *notice = viewer->findChild<QLabel *>(QStringLiteral("chartNotice"));
    QVERIFY(notice->isVisible());
    QVERIFY(notice->text().contains(QStringLiteral("No printer is installed")));
}

void ChartViewerTest::printJobPrintsChosenPages()
{
    viewer::ChartRenderClient client(fixtures::realHelper());
    QSignalSpy opened(&client, &viewer::ChartRenderClient::opened);
    client.open(path(QStringLiteral("three.pdf")));
    QVERIFY(opened.wait(LoadWaitMs));
    const auto pageSizes = opened.first().at(1).value<QList<QSizeF>>();

    const QString output = path(QStringLiteral("printed.pdf"));
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(output);
    viewer::ChartPrintJob job(&client, path(QStringLiteral("three.pdf")), std::move(printer), {0, 2},
                              pageSizes);
    QSignalSpy finished(&job, &viewer::ChartPrintJob::finished);
    job.start();
    QVERIFY(finished.count() == 1 || finished.wait(LoadWaitMs));
    QCOMPARE(finished.first().at(0).value<viewer::ChartFailure>(), viewer::ChartFailure::None);

    QPdfDocument printed;
    QCOMPARE(printed.load(output), QPdfDocument::Error::None);
    QCOMPARE(printed.pageCount(), 2);
}

QTEST_MAIN(ChartViewerTest)
#include "tst_chartviewer.moc"
