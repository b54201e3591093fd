// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartPlace.h"
#include "CompanionServices.h"

#include <QMainWindow>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

namespace aircraft {
class SimulatorStatusLine;
}

namespace session {
struct ProgramValues;
}

namespace viewer {
class ChartViewer;
}

namespace companion {

// The chart window kept above the simulator, with its tray icon and the menu "&Change or Exit" that serves
// both its menu bar and the tray icon. Only the program's own unload closes it. It first shows at its
// layout's size, centred; the user may then resize it, maximise it or make it full screen (F11), and the
// chart follows. Its place is kept for the next run.
class FrmFS9 final : public QMainWindow {
    Q_OBJECT

public:
    FrmFS9(session::ProgramValues &values, const CompanionServices &services, QWidget *parent = nullptr);

    // Run once by the owner before the window is first shown: its place (kept from the last time when it
    // still fits a screen, else centred at the layout's size), tray icon, chart at the given place, title,
    // top-most band.
    void Form_Load(const viewer::ChartPlace &place = {});
    // The program's own unload: the one close the window lets through. The window then deletes itself.
    void unload();
    // Keeps the window's place for the next run.
    void keepWindowPlace();

signals:
    // UnloadAllForms: every loaded window is to be unloaded, this one included.
    void unloadAllFormsRequested();
    // The main window is to be shown: the hidden one as it was, at the place this window's chart has
    // reached, or a freshly loaded one when there is none.
    void mainWindowRequested(const viewer::ChartPlace &place);
    // "&Exit" answered Yes: the program ends at once.
    void programEndRequested();
    // After "&New Airport": the main window, loaded afresh, is to look this airport up.
    void airportLookupRequested(const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildSimulatorLink();
    void returnWithAirport(const QString &code);
    void addWindowKeys();
    void placeViewer();
    void placeWindow();
    QString chartTitle() const;
    bool isNormalPlace() const;
    void toggleFullScreen();
    void Form_Resize();
    bool Form_QueryUnload() const;
    void Form_Unload();
    void UnloadAllForms();
    void nidTray_Activated(QSystemTrayIcon::ActivationReason reason);
    void showRestored();

    void mnuAeroporto_Click();
    void mnuNuovaProc_Click();
    void mnuProcScelta_Click();
    void mPopExit_Click();

    session::ProgramValues &m_values;
    CompanionServices m_services;
    QWidget *m_clientArea = nullptr;
    QWidget *m_picture1 = nullptr;
    viewer::ChartViewer *m_openPDF2 = nullptr;
    QMenu *m_mApps = nullptr;
    aircraft::SimulatorStatusLine *m_statusLine = nullptr;
    QAction *m_leaveFullScreen = nullptr;
    QPoint m_frameOffset; // where the frame's corner lies from the client area's, for the place kept
    bool m_unloading = false;
};

} // namespace companion
