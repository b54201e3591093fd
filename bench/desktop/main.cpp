// desktop_bench: the real program measured end to end on an X display with a window manager (run.sh starts
// a virtual one), each measure against a yardstick run alternately with it, medians and ratios printed:
// - start-up to the main window mapped, against a bare Qt Widgets window of the same size;
// - a click on a chart category to the chart drawn in the viewer, against a cold `mutool draw` of the same
//   page at the viewer's width, the first chart after start-up apart from the later ones;
// - memory with a chart open once the start-up cues are over (program and render helper), against a minimal
//   QPdfView program.
// No limit is asserted: the exit status says only whether every run worked.

#include "DesktopMeasures.h"
#include "Statistics.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using bench::describe;
using bench::ratioLine;

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
    bench::BenchSetup setup;
};

Options parseOptions(const QCoreApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("End-to-end measures of varnelox on the X display."));
    parser.addHelpOption();
    const QString programFolder = QStringLiteral(VARNELOX_PROGRAM_DIR);
    const QCommandLineOption iterations(QStringLiteral("iterations"), QStringLiteral("Runs of each measure."),
                                        QStringLiteral("count"), QStringLiteral("9"));
    const QCommandLineOption program(QStringLiteral("program"), QStringLiteral("The program measured."),
                                     QStringLiteral("path"), programFolder + QStringLiteral("/varnelox"));
    const QCommandLineOption library(QStringLiteral("library"), QStringLiteral("The chart library used."),
                                     QStringLiteral("folder"), programFolder);
    const QCommandLineOption airport(QStringLiteral("airport"), QStringLiteral("The airport looked up."),
                                     QStringLiteral("code"), QStringLiteral("LIRF"));
    parser.addOptions({iterations, program, library, airport});
    parser.process(application);

    Options options;
    options.iterations = std::max(1, parser.value(iterations).toInt());
    options.setup.program = parser.value(program);
    options.setup.library = parser.value(library);
    options.setup.airport = parser.value(airport).toUpper();
    const QString here = QCoreApplication::applicationDirPath();
    options.setup.bareWindow = here + QStringLiteral("/bare_window");
    options.setup.pdfView = here + QStringLiteral("/pdf_view_window");
    return options;
}

bool measureStartUp(bench::DesktopMeasures &measures, int iterations)
{
    bench::Series program, programDrawn, bare, bareDrawn;
    for (int run = 0; run < iterations; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool programTurn = (run + turn) % 2 == 0;
            const auto times = programTurn ? measures.programStartUp() : measures.bareWindowStartUp();
            if (!times)
                return false;
            (programTurn ? program : bare).append(times->mappedMs);
            if (times->drawnMs)
                (programTurn ? programDrawn : bareDrawn).append(*times->drawnMs);
        }
    }
    print(QStringLiteral("Start-up to the main window mapped (%1 runs each, alternated):").arg(iterations));
    print(QStringLiteral("  varnelox     %1; first drawn %2").arg(describe(program), describe(programDrawn)));
    print(QStringLiteral("  bare window  %1; first drawn %2").arg(describe(bare), describe(bareDrawn)));
    print(ratioLine(QStringLiteral("mapped"), program, bare, 1.3));
    print(ratioLine(QStringLiteral("first drawn"), programDrawn, bareDrawn, 0));
    return true;
}

bool measureChartClicks(bench::DesktopMeasures &measures, int iterations, const QList<int> &categories)
{
    const QList<int> later = categories.mid(1, 3);
    bench::Series first, firstMutool, others, othersMutool;
    for (int run = 0; run < iterations; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((run + turn) % 2 == 0) {
                const auto times = measures.chartClicks(categories.mid(0, 4));
                if (!times)
                    return false;
                first.append(times->first());
                others.append(times->mid(1));
                continue;
            }
            for (int category : categories.mid(0, 4)) {
                const auto time = measures.mutoolDraw(category);
                if (!time)
                    return false;
                (category == categories.first() ? firstMutool : othersMutool).append(*time);
            }
        }
    }
    print(
        QStringLiteral("Category click to the chart drawn on screen (%1 runs, alternated with mutool draw):")
            .arg(iterations));
    print(QStringLiteral("  first chart after start-up  %1; mutool draw %2")
              .arg(describe(first), describe(firstMutool)));
    print(ratioLine(QStringLiteral("first chart"), first, firstMutool, 1.0));
    if (!later.isEmpty()) {
        print(QStringLiteral("  later charts                %1; mutool draw %2")
                  .arg(describe(others), describe(othersMutool)));
        print(ratioLine(QStringLiteral("later charts"), others, othersMutool, 1.0));
    }
    return true;
}

bool measureMemory(bench::DesktopMeasures &measures, int iterations, int category)
{
    bench::Series program, pdfView;
    for (int run = 0; run < iterations; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool programTurn = (run + turn) % 2 == 0;
            const auto bytes =
                programTurn ? measures.programMemory(category) : measures.pdfViewMemory(category);
            if (!bytes)
                return false;
            (programTurn ? program : pdfView).append(double(*bytes) / (1024 * 1024));
        }
    }
    print(
        QStringLiteral("Memory with the chart open, proportional set size (%1 runs each):").arg(iterations));
    print(QStringLiteral("  varnelox and render helper  %1").arg(describe(program, QStringLiteral("MiB"))));
    print(QStringLiteral("  minimal QPdfView program    %1").arg(describe(pdfView, QStringLiteral("MiB"))));
    print(ratioLine(QStringLiteral("memory"), program, pdfView, 1.5));
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
    print(QStringLiteral("Load average at the start: %1").arg(loadAverage()));
    print(QStringLiteral("Charts: %1").arg(measures.chartFile(categories.first())));
    const bool measured = measureStartUp(measures, options.iterations) &&
                          measureChartClicks(measures, options.iterations, categories) &&
                          measureMemory(measures, std::max(1, options.iterations / 3), categories.first());
    print(QStringLiteral("Load average at the end: %1").arg(loadAverage()));
    if (!measured) {
        print(QStringLiteral("desktop_bench: %1").arg(measures.error()));
        return 1;
    }
    return 0;
}
