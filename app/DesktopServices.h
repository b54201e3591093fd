#pragma once

#include "CompanionServices.h"
#include "CuePlayerModule.h"
#include "ExitQuestion.h"
#include "MailLauncher.h"
#include "MainWindowServices.h"
#include "Notice.h"
#include "SoundCues.h"
#include "TrayIcon.h"
#include "WindowPrinter.h"

namespace app {

// The real desktop behind the windows' services, for the whole run. The sound cues come from the sound
// module at soundModule, loaded when sound.loadPlayer() is called.
struct DesktopServices {
    explicit DesktopServices(const QString &soundModule)
        : sound([soundModule] { return desktop::loadCuePlayerModule(soundModule).player; })
    {}

    desktop::DeferredSoundCues sound;
    desktop::MessageBoxExitQuestion exitQuestion;
    desktop::DefaultPrinter printer;
    desktop::DesktopMailLauncher mail;
    desktop::MessageBoxNotice notice;
    desktop::SystemTrayIcon tray;

    mainwindow::MainWindowServices forMainWindow() { return {sound, exitQuestion, printer, mail, notice}; }
    companion::CompanionServices forCompanion() { return {exitQuestion, tray}; }
};

} // namespace app
