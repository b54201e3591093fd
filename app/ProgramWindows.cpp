// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramWindows.h"

#include "FrmFS9.h"
#include "FrmMain.h"
#include "ProgramValues.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QEvent>

namespace app {

ProgramWindows::ProgramWindows(session::ProgramValues &values,
                               const mainwindow::MainWindowServices &mainServices,
                               const companion::CompanionServices &companionServices)
    : m_values(values)
    , m_mainServices(mainServices)
    , m_companionServices(companionServices)
{}

ProgramWindows::~ProgramWindows()
{
    delete m_companion;
    delete m_main;
}

void ProgramWindows::start()
{
    loadMainWindow();
}

mainwindow::FrmMain *ProgramWindows::mainWindow() const
{
    return m_main;
}

companion::FrmFS9 *ProgramWindows::companionWindow() const
{
    return m_companion;
}

bool ProgramWindows::eventFilter(QObject *watched, QEvent *event)
{
    // The desktop asks the application to quit when the session ends (log-off, shut-down). Qt would first
    // ask every window to close, and the companion window refuses that: end the program without asking.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        endProgram();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ProgramWindows::loadMainWindow()
{
    m_main = new mainwindow::FrmMain(m_values, m_mainServices);
    connect(m_main, &mainwindow::FrmMain::firstShownOnScreen, this, &ProgramWindows::mainWindowShownOnScreen);
    connect(m_main, &mainwindow::FrmMain::linkRequested, this, &ProgramWindows::showCompanionWindow);
    connect(m_main, &mainwindow::FrmMain::programEndRequested, this, &ProgramWindows::endProgram);
    m_main->Form_Load();
    m_main->show();
}

void ProgramWindows::showMainWindow(const viewer::ChartPlace &place)
{
    // A hidden main window comes back as it was, at the place the companion window's chart reached; after
    // an unload it is loaded afresh.
    if (!m_main) {
        loadMainWindow();
        return;
    }
    m_main->setChartPlace(place);
    m_main->show();
    desktop::bringToForeground(m_main);
}

void ProgramWindows::showCompanionWindow()
{
    if (!m_companion) {
        m_companion = new companion::FrmFS9(m_values, m_companionServices);
        connect(m_companion, &companion::FrmFS9::unloadAllFormsRequested, this,
                &ProgramWindows::unloadAllForms);
        connect(m_companion, &companion::FrmFS9::mainWindowRequested, this, &ProgramWindows::showMainWindow);
        connect(m_companion, &companion::FrmFS9::programEndRequested, this, &ProgramWindows::endProgram);
        connect(m_companion, &companion::FrmFS9::airportLookupRequested, this, [this](const QString &code) {
            if (m_main)
                m_main->lookUpAirport(code);
        });
        m_companion->Form_Load(m_main ? m_main->chartPlace() : viewer::ChartPlace{});
    }
    m_companion->show();
}

void ProgramWindows::unloadAllForms()
{
    // The main window has no handler for its own unloading: closing it would end the program.
    delete m_main;
    if (m_companion)
        m_companion->unload();
}

void ProgramWindows::endProgram()
{
    if (m_companion)
        m_companion->keepWindowPlace();
    emit programEnded();
}

} // namespace app
