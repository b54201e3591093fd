// SPDX-License-Identifier: GPL-3.0-or-later
// desktop_bench: the real program measured end to end on an X display with a window manager (run.sh starts
// a virtual one), each measure against a yardstick run alternately with it, medians and ratios printed:
// - start-up to the first complete frame of the main window, against a bare Qt Widgets window of the same
//   size;
// - a click on a chart category to the chart drawn in the viewer, a second after the lookup and at once
//   after it, each in a program of its own, against a cold `mutool draw` of the same page at the viewer's
//   width;
// - memory with a chart open once the pages drawn ahead are done and the start-up cues are over (program
//   and helpers), against a minimal QPdfView program; and once pages of the largest chart were turned;
// - many chart opens in one run: memory and open descriptors after the first round and after the last;
// - Exit: from the main window closing to the program's end, and whether a helper outlived it.
// No limit is asserted: the exit status says only whether every run worked.

#include "DesktopMeasures.h"
#include "Statistics.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

using namespace std::chrono_literals;
using bench::describe;
using bench::ratioLine;

constexpr double MiB = 1024 * 1024;
// Pages turned in the largest chart for the memory measure with the helper's cache filled.
constexpr int PageTurns = 40;

void print(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll().split(' ').mid(0, 3).join(' '))
                                          : QStringLiteral("unknown");
}

struct Options {
    int iterations = 9;
    int opens = 500;
    QStringList measures; // empty: all
    bench::BenchSetup setup;

    bool wants(const QString &measure) const { return measures.isEmpty() || measures.contains(measure); }
};

Options parseOptions(const QCoreApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("End-to-end measures of varnelox on the X display."));
    parser.addHelpOption();
    const QString programFolder = QStringLiteral(VARNELOX_PROGRAM_DIR);
    const QCommandLineOption iterations(QStringLiteral("iterations"), QStringLiteral("Runs of each measure."),
                                        QStringLiteral("count"), QStringLiteral("9"));
    const QCommandLineOption opens(QStringLiteral("opens"),
                                   QStringLiteral("Chart opens in the run that counts them."),
                                   QStringLiteral("count"), QStringLiteral("500"));
    const QCommandLineOption program(QStringLiteral("program"), QStringLiteral("The program measured."),
                                     QStringLiteral("path"), programFolder + QStringLiteral("/varnelox"));
    const QCommandLineOption library(QStringLiteral("library"), QStringLiteral("The chart library used."),
                                     QStringLiteral("folder"), programFolder);
    const QCommandLineOption airport(QStringLiteral("airport"), QStringLiteral("The airport looked up."),
                                     QStringLiteral("code"), QStringLiteral("LIRF"));
    const QCommandLineOption measure(
        QStringLiteral("measure"),
        QStringLiteral("Runs only this measure (start-up, click, memory, opens, exit); may be repeated."),
        QStringLiteral("name"));
    const QCommandLineOption log(
        QStringLiteral("log"),
        QStringLiteral("Adds the measured programs' logs (as QT_LOGGING_RULES asks) to this file."),
        QStringLiteral("file"));
    parser.addOptions({iterations, opens, program, library, airport, measure, log});
    parser.process(application);

    Options options;
    options.iterations = std::max(1, parser.value(iterations).toInt());
    options.opens = std::max(2, parser.value(opens).toInt());
    options.measures = parser.values(measure);
    options.setup.program = parser.value(program);
    options.setup.library = parser.value(library);
    options.setup.airport = parser.value(airport).toUpper();
    options.setup.log = parser.value(log);
    const QString here = QCoreApplication::applicationDirPath();
    options.setup.bareWindow = here + QStringLiteral("/bare_window");
    options.setup.pdfView = here + QStringLiteral("/pdf_view_window");
    return options;
}

bool measureStartUp(bench::DesktopMeasures &measures, int iterations)
{
    bench::Series program, programDrawn, programComplete, bare, bareDrawn, bareComplete;
    for (int run = 0; run < iterations; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool programTurn = (run + turn) % 2 == 0;
            const auto times = programTurn ? measures.programStartUp() : measures.bareWindowStartUp();
            if (!times)
                return false;
            (programTurn ? program : bare).append(times->mappedMs);
            if (times->drawnMs)
                (programTurn ? programDrawn : bareDrawn).append(*times->drawnMs);
            if (times->completeMs)
                (programTurn ? programComplete : bareComplete).append(*times->completeMs);
        }
    }
    print(QStringLiteral("Start-up (%1 runs each, alternated):").arg(iterations));
    print(QStringLiteral("  varnelox     mapped %1; first drawn %2; complete %3")
              .arg(describe(program), describe(programDrawn), describe(programComplete)));
    print(QStringLiteral("  bare window  mapped %1; first drawn %2; complete %3")
              .arg(describe(bare), describe(bareDrawn), describe(bareComplete)));
    print(ratioLine(QStringLiteral("mapped"), program, bare, 0));
    print(ratioLine(QStringLiteral("first complete frame"), programComplete, bareComplete, 1.3));
    return true;
}

// Each click in a program of its own, so that nothing was drawn for an earlier click; the categories in
// turn, each alternated with mutool drawing its page.
bool measureChartClicks(bench::DesktopMeasures &measures, int iterations, const QList<int> &categories,
                        std::chrono::milliseconds afterLookup, double goal)
{
    bench::Series clicks, mutool;
    QList<bench::Series> clicksOf(categories.size()), mutoolOf(categories.size());
    for (int run = 0; run < iterations; ++run) {
        for (qsizetype index = 0; index < categories.size(); ++index) {
            for (int turn = 0; turn < 2; ++turn) {
                const bool programTurn = (run + turn) % 2 == 0;
                const auto time = programTurn ? measures.chartClick(categories[index], afterLookup)
                                              : measures.mutoolDraw(categories[index]);
                if (!time)
                    return false;
                (programTurn ? clicks : mutool).append(*time);
                (programTurn ? clicksOf : mutoolOf)[index].append(*time);
            }
        }
    }
    print(
        QStringLiteral("Category click %1 the lookup to the chart drawn on screen (%2 runs, alternated with "
                       "mutool draw):")
            .arg(afterLookup > 0ms ? QStringLiteral("%1 ms after").arg(afterLookup.count())
                                   : QStringLiteral("at once after"))
            .arg(iterations * categories.size()));
    for (qsizetype index = 0; index < categories.size(); ++index)
        print(QStringLiteral("  %1  %2; mutool draw %3")
                  .arg(QFileInfo(measures.chartFile(categories[index])).fileName(), describe(clicksOf[index]),
                       describe(mutoolOf[index])));
    print(QStringLiteral("  all charts  %1; mutool draw %2").arg(describe(clicks), describe(mutool)));
    print(ratioLine(QStringLiteral("click / mutool draw"), clicks, mutool, goal));
    return true;
}

// The chart of the category whose file is largest: the one with the most pages to turn.
int largestChart(const bench::DesktopMeasures &measures, const QList<int> &categories)
{
    return *std::max_element(categories.begin(), categories.end(), [&](int one, int other) {
        return QFileInfo(measures.chartFile(one)).size() < QFileInfo(measures.chartFile(other)).size();
    });
}

bool measureMemory(bench::DesktopMeasures &measures, int iterations, const QList<int> &categories)
{
    bench::Series program, turned, pdfView;
    const int largest = largestChart(measures, categories);
    for (int run = 0; run < iterations; ++run) {
        const auto shown = measures.programMemory(categories.first(), 0);
        const auto paged = measures.programMemory(largest, PageTurns);
        const auto yardstick = measures.pdfViewMemory(categories.first());
        if (!shown || !paged || !yardstick)
            return false;
        program.append(double(*shown) / MiB);
        turned.append(double(*paged) / MiB);
        pdfView.append(double(*yardstick) / MiB);
    }
    print(QStringLiteral("Memory, proportional set size (%1 runs each):").arg(iterations));
    print(QStringLiteral("  varnelox and helpers, a chart open, pages drawn ahead  %1")
              .arg(describe(program, QStringLiteral("MiB"))));
    print(
        QStringLiteral("  the same after %1 pages of %2 turned                  %3")
            .arg(PageTurns)
            .arg(QFileInfo(measures.chartFile(largest)).fileName(), describe(turned, QStringLiteral("MiB"))));
    print(QStringLiteral("  minimal QPdfView program                                %1")
              .arg(describe(pdfView, QStringLiteral("MiB"))));
    print(ratioLine(QStringLiteral("memory"), program, pdfView, 0));
    print(QStringLiteral("  most with pages turned: %1 MiB (goal: at most 48 MiB, %2)")
              .arg(*std::max_element(turned.begin(), turned.end()), 0, 'f', 1)
              .arg(bench::median(turned) <= 48 ? QStringLiteral("met") : QStringLiteral("not met")));
    return true;
}

bool measureOpens(bench::DesktopMeasures &measures, int opens, const QList<int> &categories)
{
    if (categories.size() < 2) {
        print(QStringLiteral("Chart opens in one run: skipped, the airport has one chart only"));
        return true;
    }
    const auto held = measures.manyOpens(categories, opens);
    if (!held)
        return false;
    const auto &[first, last] = *held;
    print(QStringLiteral("%1 chart opens in one run (the %2 categories in turn):")
              .arg(opens)
              .arg(categories.size()));
    print(QStringLiteral("  after the first round  %1 MiB, %2 descriptors")
              .arg(double(first.bytes) / MiB, 0, 'f', 1)
              .arg(first.descriptors));
    print(QStringLiteral("  after the last open    %1 MiB, %2 descriptors")
              .arg(double(last.bytes) / MiB, 0, 'f', 1)
              .arg(last.descriptors));
    return true;
}

bool measureExit(bench::DesktopMeasures &measures, int iterations, int category)
{
    bench::Series ended;
    int left = 0;
    for (int run = 0; run < iterations; ++run) {
        const auto times = measures.exitAfterChart(category);
        if (!times)
            return false;
        ended.append(times->endedMs);
        left += times->helpersLeft ? 1 : 0;
    }
    print(QStringLiteral("Exit and Yes, from the main window closing to the program's end (%1 runs):")
              .arg(iterations));
    print(QStringLiteral("  %1 (goal: at most 100 ms, %2); runs that left a helper behind: %3")
              .arg(describe(ended))
              .arg(bench::median(ended) <= 100 ? QStringLiteral("met") : QStringLiteral("not met"))
              .arg(left));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    Options options = parseOptions(application);
    QTemporaryDir work;
    options.setup.workFolder = work.path();

    bench::XDisplay display;
    if (!display.isValid()) {
        print(QStringLiteral("desktop_bench: no X display with the DAMAGE and XTEST extensions"));
        return 1;
    }
    bench::DesktopMeasures measures(display, options.setup);
    const QList<int> categories = measures.categoriesInLibrary();
    if (categories.isEmpty()) {
        print(QStringLiteral("desktop_bench: the library %1 has no chart of %2")
                  .arg(options.setup.library, options.setup.airport));
        return 1;
    }
    const QList<int> clicked = categories.mid(0, 4);
    print(QStringLiteral("Load average at the start: %1").arg(loadAverage()));
    print(QStringLiteral("Charts: %1").arg(measures.chartFile(categories.first())));
    const int iterations = options.iterations;
    const bool measured =
        (!options.wants(QStringLiteral("start-up")) || measureStartUp(measures, iterations)) &&
        (!options.wants(QStringLiteral("click")) ||
         (measureChartClicks(measures, iterations, clicked, 1000ms, 0.5) &&
          measureChartClicks(measures, iterations, clicked, 0ms, 1.0))) &&
        (!options.wants(QStringLiteral("memory")) ||
         measureMemory(measures, std::max(1, iterations / 3), categories)) &&
        (!options.wants(QStringLiteral("opens")) || measureOpens(measures, options.opens, clicked)) &&
        (!options.wants(QStringLiteral("exit")) || measureExit(measures, iterations, categories.first()));
    print(QStringLiteral("Load average at the end: %1").arg(loadAverage()));
    if (!measured) {
        print(QStringLiteral("desktop_bench: %1").arg(measures.error()));
        return 1;
    }
    return 0;
}
