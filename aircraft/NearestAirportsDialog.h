// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportPositions.h"

#include <QDialog>

class QTreeWidget;

namespace aircraft {

// The airports nearest the aircraft, nearest first, with their names, distances and bearings, for choosing
// another one than the nearest: Enter, a double click or "Look Up" takes the one selected.
class NearestAirportsDialog final : public QDialog {
    Q_OBJECT

public:
    NearestAirportsDialog(const QList<airportdata::NearbyAirport> &airports, QWidget *parent);

    // The code of the airport selected.
    QString chosenCode() const;

private:
    QTreeWidget *m_list;
};

} // namespace aircraft
