#pragma once

#include "mainwindow/MainWindowServices.h"

#include <QObject>
#include <QPointer>

namespace mainwindow {
class FrmMain;
}

namespace app {

struct ProgramValues;

// Owns the program's windows for the whole run: loads the main window, and ends the program.
class ProgramWindows final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgramWindows)

public:
    ProgramWindows(ProgramValues &values, const mainwindow::MainWindowServices &services);
    ~ProgramWindows() override;

    void start();
    mainwindow::FrmMain *mainWindow() const { return m_main; }

signals:
    void programEnded();

private:
    void loadMainWindow();
    void endProgram();

    ProgramValues &m_values;
    mainwindow::MainWindowServices m_services;
    QPointer<mainwindow::FrmMain> m_main;
};

} // namespace app
