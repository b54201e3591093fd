#pragma once

#include "CompanionServices.h"
#include "CuePlayerModule.h"
#include "ExitQuestion.h"
#include "MailLauncher.h"
#include "MainWindowServices.h"
#include "Notice.h"
#include "ProgramSettings.h"
#include "SoundCues.h"
#include "TrayIcon.h"
#include "WindowPrinter.h"

#include <QPointer>

namespace app {

// The real desktop behind the windows' services, for the whole run. The sound cues come from the sound
// module at soundModule, loaded when sound.loadPlayer() is called; its player ends with the services,
// before the application does.
struct DesktopServices {
    explicit DesktopServices(const QString &soundModule)
        : sound([this, soundModule] {
            const desktop::CuePlayerModule module = desktop::loadCuePlayerModule(soundModule);
            m_soundModule = module.instance;
            return module.player;
        })
    {}
    ~DesktopServices() { delete m_soundModule.data(); }
    Q_DISABLE_COPY_MOVE(DesktopServices)

    desktop::DeferredSoundCues sound;
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

private:
    QPointer<QObject> m_soundModule;
};

} // namespace app
