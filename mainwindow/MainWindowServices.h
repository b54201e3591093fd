// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace aircraft {
class SimulatorLink;
}

namespace desktop {
class ExitQuestion;
class MailLauncher;
class Notice;
class ProgramSettings;
class SoundCues;
class WindowPrinter;
} // namespace desktop

namespace georef {
class PlacedCharts;
}

namespace viewer {
class ChartRenderClient;
}

namespace mainwindow {

// What the main window asks of the desktop; tests hand in fakes.
struct MainWindowServices {
    desktop::SoundCues &sound;
    desktop::ExitQuestion &exitQuestion;
    desktop::WindowPrinter &printer;
    desktop::MailLauncher &mail;
    desktop::Notice &notice;
    desktop::ProgramSettings &settings; // the night colours, kept for the next run
    aircraft::SimulatorLink &link;      // the simulated aircraft, shared with the companion window
    viewer::ChartRenderClient &charts;  // the render helper, shared with the companion window
    georef::PlacedCharts &places;       // the pages placed on the map, in the user's data folder
};

} // namespace mainwindow
