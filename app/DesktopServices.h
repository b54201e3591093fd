// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartRenderClient.h"
#include "CompanionServices.h"
#include "CueProcess.h"
#include "ExitQuestion.h"
#include "MailLauncher.h"
#include "MainWindowServices.h"
#include "Notice.h"
#include "PlacedCharts.h"
#include "ProgramSettings.h"
#include "SoundCues.h"
#include "TrayIcon.h"
#include "WindowPrinter.h"

#include <memory>

namespace app {

// The real desktop behind the windows' services, for the whole run. The sound cues play through the sound
// helper at soundHelper, looked for when sound.loadPlayer() is called. Both windows' chart viewers share one
// render helper.
struct DesktopServices {
    explicit DesktopServices(const QString &soundHelper)
        : sound([this, soundHelper] {
            m_cuePlayer = desktop::startableCueProcess(soundHelper);
            return m_cuePlayer.get();
        })
    {}
    Q_DISABLE_COPY_MOVE(DesktopServices)

    desktop::DeferredSoundCues sound;
    desktop::MessageBoxExitQuestion exitQuestion;
    desktop::DefaultPrinter printer;
    desktop::DesktopMailLauncher mail;
    desktop::MessageBoxNotice notice;
    desktop::SystemTrayIcon tray;
    desktop::ProgramSettings settings;
    viewer::ChartRenderClient charts{viewer::ChartRenderSettings{}};
    georef::PlacedCharts places;

    mainwindow::MainWindowServices forMainWindow(aircraft::SimulatorLink &link)
    {
        return {sound, exitQuestion, printer, mail, notice, settings, link, charts, places};
    }
    companion::CompanionServices forCompanion(aircraft::SimulatorLink &link)
    {
        return {exitQuestion, tray, settings, link, charts, places};
    }

private:
    std::unique_ptr<desktop::CueProcess> m_cuePlayer; // made by sound.loadPlayer()
};

} // namespace app
