// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LinkSettings.h"

#include <QDialog>

class QSpinBox;

namespace aircraft {

// The two ports the program listens on, one for each format.
class SimulatorPortsDialog final : public QDialog {
    Q_OBJECT

public:
    SimulatorPortsDialog(const simlink::LinkSettings &link, QWidget *parent);

    // The settings given, with the ports chosen.
    simlink::LinkSettings chosenSettings() const;

private:
    simlink::LinkSettings m_link;
    QSpinBox *m_networkGps;
    QSpinBox *m_nmea;
};

} // namespace aircraft
