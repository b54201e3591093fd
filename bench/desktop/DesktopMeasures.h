#pragma once

#include "XDisplay.h"

#include <QList>
#include <QString>

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
};

// Start-up: from starting the program to its first window mapped, and to its first drawing in it (when
// that could be seen).
struct StartUpTimes {
    double mappedMs = 0;
    std::optional<double> drawnMs;
};

// The end-to-end measures, each one run of the real program or of a yardstick on the X display. Each
// returns nothing when the run failed; error() then says why.
class DesktopMeasures {
public:
    DesktopMeasures(XDisplay &display, BenchSetup setup);

    std::optional<StartUpTimes> programStartUp();
    std::optional<StartUpTimes> bareWindowStartUp();
    // One run of the program: start-up, the airport looked up, then a click on each chart category in
    // turn, timed to the chart drawn in the viewer (the first is the first chart after start-up).
    std::optional<QList<double>> chartClicks(const QList<int> &categories);
    // A cold `mutool draw` of the first page of the category's chart at the viewer's width.
    std::optional<double> mutoolDraw(int category);
    // Program and render helper with the category's chart on screen, in bytes.
    std::optional<qint64> programMemory(int category);
    // The minimal QPdfView program showing the same chart at the viewer's size, in bytes.
    std::optional<qint64> pdfViewMemory(int category);

    // The categories whose chart the library holds for the airport.
    QList<int> categoriesInLibrary() const;
    QString chartFile(int category) const;
    QString error() const { return m_error; }

private:
    std::optional<StartUpTimes> startUp(const QString &program, const QStringList &arguments);
    std::optional<xcb_window_t> startAndLookUp(RunningProgram &program);
    std::optional<double> timeChartClick(xcb_window_t window, int category);
    bool settle(xcb_window_t window, QRect region);
    template <typename T> std::optional<T> failure(const QString &error);

    XDisplay &m_display;
    BenchSetup m_setup;
    QString m_error;
};

} // namespace bench
