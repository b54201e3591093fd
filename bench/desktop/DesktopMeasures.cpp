// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopMeasures.h"

#include "ChartLibrary.h"
#include "ProcessMemory.h"
#include "RunningProgram.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <array>

namespace bench {

using namespace std::chrono_literals;

namespace {

// Places in the main window, from its layout table in twips (15 twips a pixel at 96 dpi).
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}
constexpr int ChartFrameLeft = 5400;
const QSize MainWindowSize(px(13020), px(10455));
const QPoint CodeBox(px(1087), px(832));
const QRect ChartSelector(px(ChartFrameLeft), 0, px(7695), px(2415));
const QRect ChartViewer(px(ChartFrameLeft), px(2400), px(7575), MainWindowSize.height() - px(2400));
// The window less the band of the code box, whose text cursor blinks for as long as it has the focus.
const QRect RestingPart(0, px(1200), MainWindowSize.width(), MainWindowSize.height() - px(1200));
// The option button of each chart category, in the chart selector: its left edge and middle, in twips.
constexpr std::array<QPoint, 7> OptionPlaces{{
    {240, 240},
    {2640, 240},
    {5040, 240},
    {240, 720},
    {2640, 720},
    {5040, 720},
    {240, 1320},
}};

// The window of the program comes to rest this long after it stopped drawing.
constexpr std::chrono::milliseconds Rest(500);

QPoint optionButton(int category)
{
    const QPoint place = OptionPlaces.at(size_t(category));
    return {px(ChartFrameLeft + place.x() + 150), px(place.y() + 120)};
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

} // namespace

DesktopMeasures::DesktopMeasures(XDisplay &display, BenchSetup setup)
    : m_display(display)
    , m_setup(std::move(setup))
{}

std::optional<StartUpTimes> DesktopMeasures::programStartUp()
{
    return startUp(m_setup.program, {QStringLiteral("--library"), m_setup.library});
}

std::optional<StartUpTimes> DesktopMeasures::bareWindowStartUp()
{
    return startUp(m_setup.bareWindow,
                   {QString::number(MainWindowSize.width()), QString::number(MainWindowSize.height())});
}

// The first complete frame is the first to show what the window shows once it has come to rest, the blinking
// text cursor aside; when the window drew nothing after it was mapped, its first drawing was complete.
std::optional<StartUpTimes> DesktopMeasures::startUp(const QString &program, const QStringList &arguments)
{
    RunningProgram running(program, arguments, m_setup.workFolder);
    const auto shown = m_display.waitForWindow(running.pid(), running.started() + 20s);
    if (!shown)
        return failure<StartUpTimes>(QStringLiteral("no window of %1 appeared").arg(program));
    StartUpTimes times{millisecondsBetween(running.started(), shown->mapped), {}, {}};
    const std::vector<Frame> frames =
        m_display.recordChanges(shown->window, RestingPart, Rest, shown->mapped + 10s);
    if (const auto drawn = m_display.waitForFirstDrawing(shown->window, Clock::now()))
        times.drawnMs = millisecondsBetween(running.started(), *drawn);
    const auto complete = std::find_if(frames.begin(), frames.end(), [&](const Frame &frame) {
        return frame.picture == frames.back().picture;
    });
    if (complete != frames.end())
        times.completeMs = millisecondsBetween(running.started(), complete->at);
    else
        times.completeMs = times.drawnMs;
    return times;
}

std::optional<double> DesktopMeasures::chartClick(int category, std::chrono::milliseconds afterLookup)
{
    RunningProgram running(m_setup.program, {QStringLiteral("--library"), m_setup.library},
                           m_setup.workFolder, m_setup.log);
    const auto window = startAndLookUp(running);
    if (!window)
        return std::nullopt;
    // The display's events go on being read meanwhile, so that none of them is taken for the chart.
    const auto until = Clock::now() + afterLookup;
    while (Clock::now() < until)
        m_display.recordChanges(*window, ChartViewer, afterLookup, until);
    return timeChartClick(*window, category);
}

std::optional<double> DesktopMeasures::mutoolDraw(int category)
{
    QProcess mutool;
    mutool.setStandardOutputFile(QProcess::nullDevice());
    const auto started = Clock::now();
    mutool.start(QStringLiteral("mutool"),
                 {QStringLiteral("draw"), QStringLiteral("-q"), QStringLiteral("-o"),
                  QDir(m_setup.workFolder).filePath(QStringLiteral("page.pnm")), QStringLiteral("-c"),
                  QStringLiteral("rgb"), QStringLiteral("-w"), QString::number(ChartViewer.width()),
                  chartFile(category), QStringLiteral("1")});
    if (!mutool.waitForFinished(20000) || mutool.exitStatus() != QProcess::NormalExit ||
        mutool.exitCode() != 0)
        return failure<double>(QStringLiteral("mutool draw failed: %1").arg(mutool.errorString()));
    return millisecondsBetween(started, Clock::now());
}

std::optional<qint64> DesktopMeasures::programMemory(int category, int pageTurns)
{
    RunningProgram running(m_setup.program, {QStringLiteral("--library"), m_setup.library},
                           m_setup.workFolder, m_setup.log);
    const auto window = startAndLookUp(running);
    if (!window || !timeChartClick(*window, category))
        return std::nullopt;
    for (int turn = 0; turn < pageTurns; ++turn) {
        if (!pressKeys(QStringLiteral("Next")))
            return std::nullopt;
        m_display.recordChanges(*window, ChartViewer, 100ms, Clock::now() + 5s);
    }
    if (!waitForDrawingAhead(running) || !settle(*window, QRect(QPoint(), MainWindowSize)))
        return std::nullopt;
    // Measured once the start-up cues are over: their sound helper ends by itself then (within a few
    // seconds, the longest on a machine without sound).
    const auto deadline = Clock::now() + 15s;
    while (hasChildNamed(running.pid(), "varnelox-sound")) {
        if (Clock::now() > deadline)
            return failure<qint64>(QStringLiteral("the sound helper did not end after the cues"));
        QThread::msleep(100);
    }
    return proportionalSetSize(running.pid());
}

std::optional<qint64> DesktopMeasures::pdfViewMemory(int category)
{
    RunningProgram running(
        m_setup.pdfView,
        {chartFile(category), QString::number(ChartViewer.width()), QString::number(ChartViewer.height())},
        m_setup.workFolder);
    const auto shown = m_display.waitForWindow(running.pid(), running.started() + 20s);
    if (!shown)
        return failure<qint64>(QStringLiteral("the QPdfView program showed no window"));
    if (!settle(shown->window, QRect(QPoint(), ChartViewer.size())))
        return std::nullopt;
    return proportionalSetSize(running.pid());
}

std::optional<std::pair<ProgramResources, ProgramResources>>
DesktopMeasures::manyOpens(const QList<int> &categories, int opens)
{
    using Result = std::pair<ProgramResources, ProgramResources>;
    if (categories.size() < 2)
        return failure<Result>(QStringLiteral("opening charts in turn needs two categories"));
    RunningProgram running(m_setup.program, {QStringLiteral("--library"), m_setup.library},
                           m_setup.workFolder, m_setup.log);
    const auto window = startAndLookUp(running);
    if (!window)
        return std::nullopt;
    const auto holding = [&]() -> std::optional<ProgramResources> {
        if (!waitForDrawingAhead(running) || !settle(*window, ChartViewer))
            return std::nullopt;
        return ProgramResources{proportionalSetSize(running.pid()), openDescriptors(running.pid())};
    };
    std::optional<ProgramResources> afterFirstRound;
    for (int open = 0; open < opens; ++open) {
        const size_t before = m_display.picture(*window, ChartViewer);
        m_display.click(*window, optionButton(categories.at(open % categories.size())));
        // Drawn once the viewer shows another picture and then stays still for a moment.
        const auto deadline = Clock::now() + 10s;
        std::vector<Frame> frames;
        while ((frames.empty() || frames.back().picture == before) && Clock::now() < deadline)
            frames = m_display.recordChanges(*window, ChartViewer, 60ms, deadline);
        if (frames.empty() || frames.back().picture == before)
            return failure<Result>(QStringLiteral("chart open %1 was not drawn").arg(open + 1));
        if (open + 1 == categories.size() && !(afterFirstRound = holding()))
            return std::nullopt;
    }
    const std::optional<ProgramResources> atEnd = holding();
    if (!afterFirstRound || !atEnd)
        return std::nullopt;
    return Result{*afterFirstRound, *atEnd};
}

std::optional<ExitTimes> DesktopMeasures::exitAfterChart(int category)
{
    RunningProgram running(m_setup.program, {QStringLiteral("--library"), m_setup.library},
                           m_setup.workFolder, m_setup.log);
    const auto window = startAndLookUp(running);
    if (!window || !timeChartClick(*window, category) || !waitForDrawingAhead(running))
        return std::nullopt;
    const QList<qint64> helpers = descendantsOf(running.pid());
    if (!pressKeys(QStringLiteral("alt+x")))
        return std::nullopt;
    if (!m_display.waitForWindow(running.pid(), Clock::now() + 10s))
        return failure<ExitTimes>(QStringLiteral("Exit did not ask whether to end"));
    if (!pressKeys(QStringLiteral("alt+y")))
        return std::nullopt;
    const auto closed = m_display.waitForUnmap(*window, Clock::now() + 10s);
    const auto ended = running.waitForEnd(Clock::now() + 10s);
    if (!closed || !ended)
        return failure<ExitTimes>(QStringLiteral("the program did not end after Exit and Yes"));
    ExitTimes times{millisecondsBetween(*closed, *ended), false};
    // Helpers end with the program: a moment for the system to take them down.
    QThread::msleep(100);
    times.helpersLeft = std::any_of(helpers.begin(), helpers.end(), isAlive);
    return times;
}

QList<int> DesktopMeasures::categoriesInLibrary() const
{
    QList<int> categories;
    for (int category = 0; category < int(OptionPlaces.size()); ++category)
        if (QFileInfo(chartFile(category)).isFile())
            categories.append(category);
    return categories;
}

QString DesktopMeasures::chartFile(int category) const
{
    return airportdata::OpenableChartPath(
        m_setup.library, airportdata::ChartFilePath(m_setup.library, m_setup.airport, category));
}

// Starts the program and, once its window has come to rest, looks the airport up as a user would: a click in
// the code box, the code typed, Return. Done when the chart selector has been drawn.
std::optional<xcb_window_t> DesktopMeasures::startAndLookUp(RunningProgram &program)
{
    const auto shown = m_display.waitForWindow(program.pid(), program.started() + 20s);
    if (!shown)
        return failure<xcb_window_t>(QStringLiteral("the main window did not appear"));
    if (!settle(shown->window, RestingPart))
        return std::nullopt;
    m_display.click(shown->window, CodeBox);
    if (QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"),
                                                      QStringLiteral("1"), m_setup.airport.toLower()}) != 0 ||
        !pressKeys(QStringLiteral("Return")))
        return failure<xcb_window_t>(QStringLiteral("xdotool could not type the airport code"));
    const auto deadline = Clock::now() + 10s;
    while (Clock::now() < deadline) {
        if (!m_display.recordChanges(shown->window, ChartSelector, 200ms, deadline).empty())
            return shown->window;
    }
    return failure<xcb_window_t>(
        QStringLiteral("the chart selector did not appear for %1").arg(m_setup.airport));
}

// From the click on the category to the moment the viewer shows what it finally shows: every change of
// the viewer is recorded until it stays still, and the first change to the last picture counts.
std::optional<double> DesktopMeasures::timeChartClick(xcb_window_t window, int category)
{
    const size_t before = m_display.picture(window, ChartViewer);
    const auto clicked = Clock::now();
    m_display.click(window, optionButton(category));
    const std::vector<Frame> frames = m_display.recordChanges(window, ChartViewer, 700ms, clicked + 30s);
    if (frames.empty() || frames.back().picture == before)
        return failure<double>(QStringLiteral("the chart of category %1 was not drawn").arg(category));
    const auto drawn = std::find_if(frames.begin(), frames.end(), [&](const Frame &frame) {
        return frame.picture == frames.back().picture;
    });
    return millisecondsBetween(clicked, drawn->at);
}

// Waits until the render helper has drawn every page it draws ahead: it draws each in a copy of itself.
bool DesktopMeasures::waitForDrawingAhead(const RunningProgram &program)
{
    const auto deadline = Clock::now() + 60s;
    auto quietSince = Clock::now();
    while (Clock::now() - quietSince < Rest) {
        if (Clock::now() > deadline) {
            m_error = QStringLiteral("the render helper did not finish drawing ahead");
            return false;
        }
        const QList<qint64> processes = descendantsOf(program.pid());
        const bool drawing = std::any_of(processes.begin(), processes.end(), [&](qint64 pid) {
            return !childrenOf(pid).isEmpty() && isNamed(pid, "varnelox-render");
        });
        if (drawing)
            quietSince = Clock::now();
        QThread::msleep(20);
    }
    return true;
}

// Waits until the window has drawn nothing in the region for a second.
bool DesktopMeasures::settle(xcb_window_t window, QRect region)
{
    const auto deadline = Clock::now() + 30s;
    m_display.recordChanges(window, region, 1s, deadline);
    if (Clock::now() < deadline)
        return true;
    m_error = QStringLiteral("the window did not come to rest");
    return false;
}

bool DesktopMeasures::pressKeys(const QString &keys)
{
    if (QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0)
        return true;
    m_error = QStringLiteral("xdotool could not press %1").arg(keys);
    return false;
}

template <typename T> std::optional<T> DesktopMeasures::failure(const QString &error)
{
    m_error = error;
    return std::nullopt;
}

} // namespace bench
