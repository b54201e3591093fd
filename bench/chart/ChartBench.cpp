// From a chart request to the first page drawn in the viewer, against `mutool draw` rendering the same
// page at the same pixel size. Both read the same generated vector chart (lines, text, fills).

#include "ChartFixtures.h"
#include "ChartPageView.h"
#include "ChartToolbar.h"
#include "ChartViewer.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

struct Setup {
    QTemporaryDir dir;
    QString chart;
    std::unique_ptr<viewer::ChartViewer> viewer;
    QSize pagePixels;
};

Setup *setup = nullptr;

bool waitForState(viewer::ChartViewer &viewer, viewer::ChartViewer::State wanted)
{
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, [&loop] { loop.exit(1); });
    QObject::connect(&viewer, &viewer::ChartViewer::stateChanged, &loop,
                     [&loop, wanted](viewer::ChartViewer::State state) {
                         if (state == wanted || state == viewer::ChartViewer::State::Failed)
                             loop.exit(state == wanted ? 0 : 1);
                     });
    limit.start(20000);
    return loop.exec() == 0;
}

void BM_ViewerFirstPage(benchmark::State &state)
{
    viewer::ChartViewer &viewer = *setup->viewer;
    for (auto _ : state) {
        viewer.loadFile(setup->chart);
        if (!waitForState(viewer, viewer::ChartViewer::State::Shown)) {
            state.SkipWithError(qPrintable(viewer.message()));
            return;
        }
        viewer.repaint();
    }
}

// Turning to the next page, drawn ahead while the first one was on screen.
void BM_ViewerNextPage(benchmark::State &state)
{
    viewer::ChartViewer &viewer = *setup->viewer;
    auto *view = viewer.findChild<viewer::ChartPageView *>();
    auto *toolbar = viewer.findChild<viewer::ChartToolbar *>();
    for (auto _ : state) {
        state.PauseTiming();
        viewer.loadFile(setup->chart);
        if (!waitForState(viewer, viewer::ChartViewer::State::Shown)) {
            state.SkipWithError(qPrintable(viewer.message()));
            return;
        }
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 300)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const qint64 firstPage = view->image().cacheKey();
        state.ResumeTiming();
        toolbar->nextPage->trigger();
        while (view->image().cacheKey() == firstPage)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        viewer.repaint();
    }
}

void BM_MutoolDraw(benchmark::State &state)
{
    const QStringList arguments{QStringLiteral("draw"), QStringLiteral("-q"),
                                QStringLiteral("-o"),   setup->dir.filePath(QStringLiteral("page.pnm")),
                                QStringLiteral("-c"),   QStringLiteral("rgb"),
                                QStringLiteral("-w"),   QString::number(setup->pagePixels.width()),
                                QStringLiteral("-h"),   QString::number(setup->pagePixels.height()),
                                setup->chart,           QStringLiteral("1")};
    for (auto _ : state) {
        QProcess mutool;
        mutool.setProcessChannelMode(QProcess::ForwardedChannels);
        mutool.start(QStringLiteral("mutool"), arguments);
        if (!mutool.waitForFinished(20000) || mutool.exitCode() != 0) {
            state.SkipWithError("mutool draw failed");
            return;
        }
    }
}

BENCHMARK(BM_ViewerFirstPage)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_ViewerNextPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_MutoolDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Prints the results as usual, then the viewer's time as a share of mutool's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto viewer = m_times.find("BM_ViewerFirstPage");
        const auto mutool = m_times.find("BM_MutoolDraw");
        if (viewer != m_times.end() && mutool != m_times.end() && mutool->second > 0)
            std::printf("viewer / mutool draw wall time: %.2f\n", viewer->second / mutool->second);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);

    Setup state;
    setup = &state;
    state.chart = state.dir.filePath(QStringLiteral("ADPCD8-1.PDF"));
    if (!fixtures::writeChart(state.chart, 3))
        return 1;
    viewer::ChartRenderSettings settings;
    settings.helperProgram = QStringLiteral(VARNELOX_PROGRAM_DIR "/varnelox-render");
    state.viewer = std::make_unique<viewer::ChartViewer>(settings);
    state.viewer->resize(505, 801);
    state.viewer->show();
    // One chart first: the helper is up and the size of the page image is known for mutool.
    state.viewer->loadFile(state.chart);
    if (!waitForState(*state.viewer, viewer::ChartViewer::State::Shown))
        return 1;
    state.pagePixels = state.viewer->findChild<viewer::ChartPageView *>()->image().size();
    std::printf("page image: %d x %d pixels\n", state.pagePixels.width(), state.pagePixels.height());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    state.viewer.reset();
    return 0;
}
