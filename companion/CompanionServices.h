// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace aircraft {
class SimulatorLink;
}

namespace desktop {
class ExitQuestion;
class ProgramSettings;
class TrayIcon;
} // namespace desktop

namespace georef {
class PlacedCharts;
}

namespace viewer {
class ChartRenderClient;
}

namespace companion {

// What the companion window asks of the desktop; tests hand in fakes.
struct CompanionServices {
    desktop::ExitQuestion &exitQuestion;
    desktop::TrayIcon &tray;            // nidTray: outlives the window, which adds and removes the icon
    desktop::ProgramSettings &settings; // the window's place and the night colours, kept for the next run
    aircraft::SimulatorLink &link;      // the simulated aircraft, shared with the main window
    viewer::ChartRenderClient &charts;  // the render helper, shared with the main window
    georef::PlacedCharts &places;       // the pages placed on the map, in the user's data folder
};

} // namespace companion
