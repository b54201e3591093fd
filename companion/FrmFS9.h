#pragma once

#include "CompanionServices.h"

#include <QMainWindow>
#include <QSystemTrayIcon>

class QAction;
class QMenu;

namespace session {
struct ProgramValues;
}

namespace viewer {
class ChartViewer;
}

namespace companion {

// The compact chart window kept above the simulator, with its tray icon and the menu "&Change or Exit"
// that serves both its menu bar and the tray icon. Only the program's own unload closes it.
class FrmFS9 final : public QMainWindow {
    Q_OBJECT

public:
    FrmFS9(session::ProgramValues &values, const CompanionServices &services, QWidget *parent = nullptr);

    // Run once by the owner before the window is first shown: centring, tray icon, chart, top-most band.
    void Form_Load();
    // The program's own unload: the one close the window lets through. The window then deletes itself.
    void unload();

signals:
    // UnloadAllForms: every loaded window is to be unloaded, this one included.
    void unloadAllFormsRequested();
    // The main window is to be shown: the hidden one as it was, or a freshly loaded one when there is none.
    void mainWindowRequested();
    // "&Exit" answered Yes: the program ends at once.
    void programEndRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
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
    viewer::ChartViewer *m_openPDF2 = nullptr;
    QMenu *m_mApps = nullptr;
    bool m_unloading = false;
};

} // namespace companion
