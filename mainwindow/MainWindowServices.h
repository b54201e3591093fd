#pragma once

namespace platform {
class ExitQuestion;
class MailLauncher;
class Notice;
class SoundCues;
class WindowPrinter;
} // namespace platform

namespace mainwindow {

// What the main window asks of the desktop; tests hand in fakes.
struct MainWindowServices {
    platform::SoundCues &sound;
    platform::ExitQuestion &exitQuestion;
    platform::WindowPrinter &printer;
    platform::MailLauncher &mail;
    platform::Notice &notice;
};

} // namespace mainwindow
