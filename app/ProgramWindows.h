// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartPlace.h"
#include "CompanionServices.h"
#include "MainWindowServices.h"

#include <QObject>
#include <QPointer>

namespace mainwindow {
class FrmMain;
}

namespace companion {
class FrmFS9;
}

namespace session {
struct ProgramValues;
}

namespace app {

// Owns the program's two windows for the whole run: loads, shows and unloads them as their commands ask,
// hands the place in the chart from one to the other, and ends the program. Installed as an event filter on
// the application, it also ends the program when the desktop session ends, which the companion window must
// not refuse.
class ProgramWindows final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgramWindows)

public:
    ProgramWindows(session::ProgramValues &values, const mainwindow::MainWindowServices &mainServices,
                   const companion::CompanionServices &companionServices);
    ~ProgramWindows() override;

    void start();
    mainwindow::FrmMain *mainWindow() const;
    companion::FrmFS9 *companionWindow() const;

signals:
    // The main window has been drawn on screen for the first time since it was loaded.
    void mainWindowShownOnScreen();
    void programEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadMainWindow();
    void showMainWindow(const viewer::ChartPlace &place);
    void showCompanionWindow();
    void unloadAllForms();
    void endProgram();

    session::ProgramValues &m_values;
    mainwindow::MainWindowServices m_mainServices;
    companion::CompanionServices m_companionServices;
    QPointer<mainwindow::FrmMain> m_main;
    QPointer<companion::FrmFS9> m_companion;
};

} // namespace app
