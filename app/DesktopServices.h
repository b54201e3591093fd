#pragma once

#include "companion/CompanionServices.h"
#include "mainwindow/MainWindowServices.h"
#include "platform/ExitQuestion.h"
#include "platform/MailLauncher.h"
#include "platform/Notice.h"
#include "platform/SoundCues.h"
#include "platform/TrayIcon.h"
#include "platform/WindowPrinter.h"

namespace app {

// The real desktop behind the windows' services, for the whole run.
struct DesktopServices {
    platform::EffectSoundCues sound;
    platform::MessageBoxExitQuestion exitQuestion;
    platform::DefaultPrinter printer;
    platform::DesktopMailLauncher mail;
    platform::MessageBoxNotice notice;
    platform::SystemTrayIcon tray;

    mainwindow::MainWindowServices forMainWindow() { return {sound, exitQuestion, printer, mail, notice}; }
    companion::CompanionServices forCompanion() { return {exitQuestion, tray}; }
};

} // namespace app
