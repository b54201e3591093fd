// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportPositions.h"

#include <QMenu>

#include <optional>

namespace aircraft {

class SimulatorLink;

// The menu "&Simulator" of both windows: the nearest airport (Alt+N) and the list of the ten nearest, then
// how the program listens: on or off, this computer only, the ports, and the lookup of the nearest airport
// once the aircraft is on the ground.
class SimulatorMenu final : public QMenu {
    Q_OBJECT

public:
    // window: where the list and the ports open, and where Alt+N works.
    SimulatorMenu(SimulatorLink &link, QWidget *window);

    static constexpr int ListLength = 10;

signals:
    // The pilot chose the airport to look up: the nearest one, or one of the list.
    void airportChosen(const QString &code);
    // A hint for the status line: why no airport could be chosen.
    void hintRequested(const QString &text);

private:
    QAction *addCommand(const char *name, const QString &caption);
    QAction *addSwitch(const char *name, const QString &caption);
    void showSettings();
    void chooseNearest();
    void chooseFromList();
    void choosePorts();
    std::optional<QList<airportdata::NearbyAirport>> airportsAround(int count);

    SimulatorLink &m_link;
    QWidget *m_window;
    QAction *m_listen;
    QAction *m_loopbackOnly;
    QAction *m_nearestOnGround;
};

} // namespace aircraft
