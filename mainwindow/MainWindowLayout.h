// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChartCategory.h"

#include <QtGlobal>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QWidget;

namespace georef {
class PlacedCharts;
}

namespace viewer {
class ChartRenderClient;
class ChartViewer;
} // namespace viewer

namespace mainwindow {

class GridCell;
class IcaoCodeBox;
class LinkLabel;

inline constexpr int SlotCount = 151;
inline constexpr int CategoryCount = int(airportdata::ChartCategories.size());

// The controls of the main window that its handlers drive, by their names in the layout tables.
struct MainWindowControls {
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QGroupBox *Frame5 = nullptr;
    QGroupBox *Frame6 = nullptr;
    QFrame *fraUscita = nullptr;
    QLabel *Image2 = nullptr;
    QWidget *Picture1 = nullptr;
    viewer::ChartViewer *openPDF = nullptr; // built by buildChartViewer once it is needed
    IcaoCodeBox *txtIcao = nullptr;
    QAbstractButton *cmdElabora = nullptr;
    QAbstractButton *cmdStampa = nullptr;
    QAbstractButton *cmdClean = nullptr;
    QAbstractButton *cmdLink = nullptr;
    QAbstractButton *cmdExit = nullptr;
    QAbstractButton *cmdInfo = nullptr;
    QAbstractButton *Command2 = nullptr;
    LinkLabel *supportAddress = nullptr; // Label4(1)
    std::array<GridCell *, SlotCount> lblRwy{};
    std::array<QRadioButton *, CategoryCount> Option1{};
    QButtonGroup *Option1Group = nullptr;
};

// Builds every control of the main window from its layout tables, in the stored start state, except the
// chart viewer: it stays hidden until a lookup shows the chart area.
MainWindowControls buildMainWindow(QWidget *form);
// Builds the chart viewer in its box (Picture1), hidden, and sets controls.openPDF.
viewer::ChartViewer *buildChartViewer(MainWindowControls &controls, viewer::ChartRenderClient *charts,
                                      georef::PlacedCharts *places);

} // namespace mainwindow
