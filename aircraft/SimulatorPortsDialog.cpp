// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatorPortsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace aircraft {

namespace {

QSpinBox *portBox(const char *name, quint16 port, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, 65535);
    box->setValue(port);
    return box;
}

} // namespace

SimulatorPortsDialog::SimulatorPortsDialog(const simlink::LinkSettings &link, QWidget *parent)
    : QDialog(parent)
    , m_link(link)
    , m_networkGps(portBox("networkGpsPort", link.networkGpsPort, this))
    , m_nmea(portBox("nmeaPort", link.nmeaPort, this))
{
    setObjectName(QStringLiteral("simulatorPorts"));
    setWindowTitle(tr("Simulator Ports"));
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this, [this] {
        m_networkGps->setValue(simlink::LinkSettings::DefaultNetworkGpsPort);
        m_nmea->setValue(simlink::LinkSettings::DefaultNmeaPort);
    });
    auto *layout = new QFormLayout(this);
    layout->addRow(tr("X-Plane and FlightGear network GPS (XGPS):"), m_networkGps);
    layout->addRow(tr("NMEA 0183:"), m_nmea);
    layout->addRow(buttons);
}

simlink::LinkSettings SimulatorPortsDialog::chosenSettings() const
{
    simlink::LinkSettings link = m_link;
    link.networkGpsPort = quint16(m_networkGps->value());
    link.nmeaPort = quint16(m_nmea->value());
    return link;
}

} // namespace aircraft
