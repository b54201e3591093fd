// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatorMenu.h"

#include "NearestAirportsDialog.h"
#include "SimulatorLink.h"
#include "SimulatorPortsDialog.h"

namespace aircraft {

SimulatorMenu::SimulatorMenu(SimulatorLink &link, QWidget *window)
    : QMenu(tr("&Simulator"), window)
    , m_link(link)
    , m_window(window)
{
    setObjectName(QStringLiteral("mnuSimulator"));
    QAction *nearest = addCommand("mnuNearest", tr("&Nearest Airport"));
    nearest->setShortcut(QKeySequence(Qt::ALT | Qt::Key_N));
    nearest->setShortcutContext(Qt::WindowShortcut);
    // Alt+N works in the window whether or not the menu is open.
    window->addAction(nearest);
    connect(nearest, &QAction::triggered, this, &SimulatorMenu::chooseNearest);
    connect(addCommand("mnuNearestList", tr("Nearest &Ten Airports...")), &QAction::triggered, this,
            &SimulatorMenu::chooseFromList);
    addSeparator();
    m_listen = addSwitch("mnuListen", tr("&Listen to Simulators"));
    connect(m_listen, &QAction::triggered, this, [this](bool on) {
        simlink::LinkSettings settings = m_link.linkSettings();
        settings.listening = on;
        m_link.setLinkSettings(settings);
    });
    m_loopbackOnly = addSwitch("mnuLoopbackOnly", tr("Only Simulators on This &Computer"));
    connect(m_loopbackOnly, &QAction::triggered, this, [this](bool on) {
        simlink::LinkSettings settings = m_link.linkSettings();
        settings.loopbackOnly = on;
        m_link.setLinkSettings(settings);
    });
    connect(addCommand("mnuPorts", tr("&Ports...")), &QAction::triggered, this, &SimulatorMenu::choosePorts);
    m_nearestOnGround = addSwitch("mnuNearestOnGround", tr("Look Up the Nearest Airport on the &Ground"));
    connect(m_nearestOnGround, &QAction::triggered, &m_link, &SimulatorLink::setNearestOnGround);
    connect(this, &QMenu::aboutToShow, this, &SimulatorMenu::showSettings);
    showSettings();
}

QAction *SimulatorMenu::addCommand(const char *name, const QString &caption)
{
    QAction *action = addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction *SimulatorMenu::addSwitch(const char *name, const QString &caption)
{
    QAction *action = addCommand(name, caption);
    action->setCheckable(true);
    return action;
}

void SimulatorMenu::showSettings()
{
    const simlink::LinkSettings settings = m_link.linkSettings();
    m_listen->setChecked(settings.listening);
    m_loopbackOnly->setChecked(settings.loopbackOnly);
    m_nearestOnGround->setChecked(m_link.nearestOnGround());
}

void SimulatorMenu::chooseNearest()
{
    if (const auto airports = airportsAround(1))
        emit airportChosen(airports->first().code);
}

void SimulatorMenu::chooseFromList()
{
    const auto airports = airportsAround(ListLength);
    if (!airports)
        return;
    auto *dialog = new NearestAirportsDialog(*airports, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { emit airportChosen(dialog->chosenCode()); });
    dialog->open();
}

void SimulatorMenu::choosePorts()
{
    auto *dialog = new SimulatorPortsDialog(m_link.linkSettings(), m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { m_link.setLinkSettings(dialog->chosenSettings()); });
    dialog->open();
}

// The airports nearest the aircraft; nothing, with a hint why, when there are none.
std::optional<QList<airportdata::NearbyAirport>> SimulatorMenu::airportsAround(int count)
{
    if (!m_link.hasPosition()) {
        emit hintRequested(tr("No position from a simulator yet."));
        return std::nullopt;
    }
    const airportdata::NearestAirports::Answer answer = m_link.nearest(count);
    if (answer.airports.isEmpty()) {
        emit hintRequested(answer.error.isEmpty() ? tr("No airport of the directory has a position.")
                                                  : answer.error);
        return std::nullopt;
    }
    return answer.airports;
}

} // namespace aircraft
