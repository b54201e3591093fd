// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XDisplay.h"

#include <QList>
#include <QString>

#include <chrono>
#include <optional>

namespace bench {

class RunningProgram;

// What the measures run: the program with its library and an airport in it, and the yardsticks.
struct BenchSetup {
    QString program;
    QString bareWindow;
    QString pdfView;
    QString library;
    QString airport;
    QString workFolder; // the programs' home folder and mutool's output
    QString log;        // when given, the file the measured programs' logs are added to
};

// Start-up: from starting the program to its first window mapped, to its first drawing in it (when that
// could be seen) and to its first complete frame (what it shows once it stops drawing).
struct StartUpTimes {
    double mappedMs = 0;
    std::optional<double> drawnMs;
    std::optional<double> completeMs;
};

// The program and every process it started: memory (proportional set size) and open descriptors.
struct ProgramResources {
    qint64 bytes = 0;
    int descriptors = 0;
};

// From the main window closing to the program's end, and whether a process it started outlived it.
struct ExitTimes {
    double endedMs = 0;
    bool helpersLeft = false;
};

// The end-to-end measures, each one run of the real program or of a yardstick on the X display. Each
// returns nothing when the run failed; error() then says why.
class DesktopMeasures {
public:
    DesktopMeasures(XDisplay &display, BenchSetup setup);

    std::optional<StartUpTimes> programStartUp();
    std::optional<StartUpTimes> bareWindowStartUp();
    // One run of the program: start-up, the airport looked up, then, afterLookup later, a click on the
    // category, timed to the chart drawn in the viewer.
    std::optional<double> chartClick(int category, std::chrono::milliseconds afterLookup);
    // A cold `mutool draw` of the first page of the category's chart at the viewer's width.
    std::optional<double> mutoolDraw(int category);
    // Program and helpers with the category's chart on screen, pageTurns pages on, once the pages drawn
    // ahead are done and the start-up cues are over, in bytes.
    std::optional<qint64> programMemory(int category, int pageTurns);
    // The minimal QPdfView program showing the same chart at the viewer's size, in bytes.
    std::optional<qint64> pdfViewMemory(int category);
    // One run of the program: the categories' charts opened in turn, opens times in all; what the program
    // and its helpers hold after the first round and after the last open.
    std::optional<std::pair<ProgramResources, ProgramResources>> manyOpens(const QList<int> &categories,
                                                                           int opens);
    // One run of the program, a chart on screen, ended with Exit and Yes.
    std::optional<ExitTimes> exitAfterChart(int category);

    // The categories whose chart the library holds for the airport.
    QList<int> categoriesInLibrary() const;
    QString chartFile(int category) const;
    QString error() const { return m_error; }

private:
    std::optional<StartUpTimes> startUp(const QString &program, const QStringList &arguments);
    std::optional<xcb_window_t> startAndLookUp(RunningProgram &program);
    std::optional<double> timeChartClick(xcb_window_t window, int category);
    bool waitForDrawingAhead(const RunningProgram &program);
    bool settle(xcb_window_t window, QRect region);
    bool pressKeys(const QString &keys);
    template <typename T> std::optional<T> failure(const QString &error);

    XDisplay &m_display;
    BenchSetup m_setup;
    QString m_error;
};

} // namespace bench
