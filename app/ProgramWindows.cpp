#include "app/ProgramWindows.h"

#include "app/ProgramValues.h"
#include "mainwindow/FrmMain.h"

namespace app {

ProgramWindows::ProgramWindows(ProgramValues &values, const mainwindow::MainWindowServices &services)
    : m_values(values)
    , m_services(services)
{
}

ProgramWindows::~ProgramWindows()
{
    delete m_main;
}

void ProgramWindows::start()
{
    loadMainWindow();
}

void ProgramWindows::loadMainWindow()
{
    m_main = new mainwindow::FrmMain(m_values, m_services);
    connect(m_main, &mainwindow::FrmMain::programEndRequested, this, &ProgramWindows::endProgram);
    m_main->Form_Load();
    m_main->show();
}

void ProgramWindows::endProgram()
{
    emit programEnded();
}

} // namespace app
