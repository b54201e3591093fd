// SPDX-License-Identifier: GPL-3.0-or-later
// From a chart request to the first page drawn in the viewer, against `mutool draw` rendering the same
// page at the same pixel size. Both read the same generated vector chart (lines, text, fills). The viewer
// once with a render helper that keeps no page (every page drawn), once with one that keeps them (the page
// asked for again comes from its cache). Then End in a chart file of 2,100 pages: the last page must be on
// screen within a second, no page between drawn.

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

constexpr int LongChartPages = 2100;
constexpr double LastPageBudgetMs = 1000;

struct Setup {
    QTemporaryDir dir;
    QString chart;
    QString longChart;                            // LongChartPages small pages
    std::unique_ptr<viewer::ChartViewer> drawing; // its helper keeps no page
    std::unique_ptr<viewer::ChartViewer> keeping; // its helper keeps pages, as the program's does
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

void firstPage(benchmark::State &state, viewer::ChartViewer &viewer)
{
    for (auto _ : state) {
        viewer.loadFile(setup->chart);
        if (!waitForState(viewer, viewer::ChartViewer::State::Shown)) {
            state.SkipWithError(qPrintable(viewer.message()));
            return;
        }
        viewer.repaint();
    }
}

void BM_ViewerFirstPage(benchmark::State &state)
{
    firstPage(state, *setup->drawing);
}

void BM_ViewerKeptPage(benchmark::State &state)
{
    firstPage(state, *setup->keeping);
}

// Turning to the next page, drawn ahead while the first one was on screen.
void BM_ViewerNextPage(benchmark::State &state)
{
    viewer::ChartViewer &viewer = *setup->keeping;
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

// End in a long chart file, from the key to the last page drawn on screen. Only that page may be drawn.
void BM_ViewerEndOfLongChart(benchmark::State &state)
{
    viewer::ChartViewer &viewer = *setup->drawing;
    auto *toolbar = viewer.findChild<viewer::ChartToolbar *>();
    const int last = LongChartPages - 1;
    int between = 0;
    for (auto _ : state) {
        state.PauseTiming();
        viewer.loadFile(setup->longChart);
        if (!waitForState(viewer, viewer::ChartViewer::State::Shown) ||
            viewer.pageCount() != LongChartPages) {
            state.SkipWithError("the long chart was not shown");
            return;
        }
        bool shown = false;
        QObject context;
        QObject::connect(&viewer, &viewer::ChartViewer::pageShown, &context, [&](int page) {
            if (page == last)
                shown = true;
            else
                ++between;
        });
        state.ResumeTiming();
        toolbar->lastPage->trigger();
        QElapsedTimer limit;
        limit.start();
        while (!shown && limit.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        viewer.repaint();
        if (!shown) {
            state.SkipWithError("the last page was not shown");
            return;
        }
    }
    state.counters["pages_between_drawn"] = between;
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
BENCHMARK(BM_ViewerKeptPage)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_ViewerNextPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_ViewerEndOfLongChart)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_MutoolDraw)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Prints the results as usual, then the viewer's time as a share of mutool's and whether End stays within its
// budget; overBudget() then makes the program fail.
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
        const auto mutool = m_times.find("BM_MutoolDraw");
        for (const auto &[name, what] : {std::pair{"BM_ViewerFirstPage", "page drawn"},
                                         std::pair{"BM_ViewerKeptPage", "page kept by the helper"}}) {
            const auto viewer = m_times.find(name);
            if (viewer != m_times.end() && mutool != m_times.end() && mutool->second > 0)
                std::printf("viewer (%s) / mutool draw wall time: %.2f\n", what,
                            viewer->second / mutool->second);
        }
        const auto end = m_times.find("BM_ViewerEndOfLongChart");
        if (end != m_times.end()) {
            m_overBudget = end->second > LastPageBudgetMs;
            std::printf("End in %d pages: %.0f ms, budget %.0f ms: %s\n", LongChartPages, end->second,
                        LastPageBudgetMs, m_overBudget ? "OVER BUDGET" : "met");
        }
    }

    bool overBudget() const { return m_overBudget; }

private:
    std::map<std::string, double> m_times;
    bool m_overBudget = false;
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
    state.longChart = state.dir.filePath(QStringLiteral("ADPCD4-1.PDF"));
    if (!fixtures::writeChart(state.chart, 3) ||
        !fixtures::writeOutlinedChart(state.longChart, LongChartPages))
        return 1;
    viewer::ChartRenderSettings settings;
    settings.helperProgram = QStringLiteral(VARNELOX_PROGRAM_DIR "/varnelox-render");
    state.keeping = fixtures::viewerWithHelper(settings);
    settings.cacheBytes = 0;
    state.drawing = fixtures::viewerWithHelper(settings);
    for (viewer::ChartViewer *viewer : {state.drawing.get(), state.keeping.get()}) {
        viewer->resize(505, 801);
        viewer->show();
        // One chart first: the helper is up and the size of the page image is known for mutool.
        viewer->loadFile(state.chart);
        if (!waitForState(*viewer, viewer::ChartViewer::State::Shown))
            return 1;
    }
    state.pagePixels = state.drawing->findChild<viewer::ChartPageView *>()->image().size();
    std::printf("page image: %d x %d pixels\n", state.pagePixels.width(), state.pagePixels.height());

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    state.drawing.reset();
    state.keeping.reset();
    return reporter.overBudget() ? 1 : 0;
}
