#pragma once

#include "CompanionServices.h"
#include "ExitQuestion.h"
#include "MailLauncher.h"
#include "MainWindowServices.h"
#include "Notice.h"
#include "ProgramSettings.h"
#include "SoundCues.h"
#include "TrayIcon.h"
#include "WindowPrinter.h"

namespace app {

// The real desktop behind the windows' services, for the whole run.
struct DesktopServices {
    desktop::EffectSoundCues sound;
    desktop::MessageBoxExitQuestion exitQuestion;
    desktop::DefaultPrinter printer;
    desktop::DesktopMailLauncher mail;
    desktop::MessageBoxNotice notice;
    desktop::SystemTrayIcon tray;
    desktop::ProgramSettings settings;

    mainwindow::MainWindowServices forMainWindow()
    {
        return {sound, exitQuestion, printer, mail, notice, settings};
    }
    companion::CompanionServices forCompanion() { return {exitQuestion, tray, settings}; }
};

} // namespace app
