// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartPlace.h"
#include "GroundLookup.h"
#include "MainWindowLayout.h"
#include "MainWindowServices.h"

#include <QWidget>

namespace aircraft {
class SimulatorStatusLine;
}

namespace airportdata {
class AirportRecord;
}

namespace session {
struct ProgramValues;
}

namespace mainwindow {

// The start-up window: airport entry and data grid, chart selector and viewer, management commands.
class FrmMain final : public QWidget {
    Q_OBJECT

public:
    FrmMain(session::ProgramValues &values, const MainWindowServices &services, QWidget *parent = nullptr);

    // Run once by the owner before the window is first shown: panel layout, centring, sound cues.
    void Form_Load();
    // The place in the chart shown (page, zoom, rotation, night colours), handed to the companion window
    // and back.
    viewer::ChartPlace chartPlace() const;
    void setChartPlace(const viewer::ChartPlace &place);
    // Enters the code into the code box and looks it up, when the box takes input; else says why not.
    void lookUpAirport(const QString &code);

signals:
    // The window has been drawn on screen for the first time since it was loaded.
    void firstShownOnScreen();
    // "&Link to FS": this window has hidden itself; the owner shows the companion window.
    void linkRequested();
    // The program is to end: "&Exit" answered Yes, or the window closed through its frame.
    void programEndRequested();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectHandlers();
    void buildStatusLine();
    void lookUpOnGround();
    viewer::ChartViewer *chartViewer();
    void afterFirstPaint();
    void Form_Activate();
    void ShowDataLayout();
    void ShowEntryLayout();
    void playStartCues();

    void txtIcao_Change();
    void cmdElabora_Click();
    void cmdClean_Click();
    void ClearAirportData();
    void showAirportRecord(const airportdata::AirportRecord &record);
    void showChartAvailability();

    void Option1_Click(int index);
    void closeChart();
    void cmdLink_Click();

    void cmdExit_Click();
    void cmdStampa_Click();
    void cmdInfo_Click();
    void Command2_Click();
    void Label4_Click();

    static constexpr int NoChart = -1;

    session::ProgramValues &m_values;
    MainWindowServices m_services;
    MainWindowControls m_controls;
    aircraft::SimulatorStatusLine *m_statusLine = nullptr;
    aircraft::GroundLookup m_groundLookup;
    viewer::ChartPlace m_chartPlace; // for the viewer until it is built
    int m_chartCategory = NoChart;   // the category of the chart shown
    bool m_shownOnScreen = false;
};

} // namespace mainwindow
