#pragma once

namespace platform {
class ExitQuestion;
class TrayIcon;
} // namespace platform

namespace companion {

// What the companion window asks of the desktop; tests hand in fakes.
struct CompanionServices {
    platform::ExitQuestion &exitQuestion;
    platform::TrayIcon &tray; // nidTray: outlives the window, which adds and removes the icon
};

} // namespace companion
