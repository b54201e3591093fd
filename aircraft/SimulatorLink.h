// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FeedState.h"
#include "LinkSettings.h"
#include "NearestAirports.h"

#include <QObject>

namespace desktop {
class ProgramSettings;
}

namespace simlink {
class PositionFeed;
}

namespace aircraft {

// What both windows know of the simulated aircraft for the whole run: the position feed, the airports
// around the aircraft in the library's directory, and the link's settings, kept in the settings file.
class SimulatorLink final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimulatorLink)

public:
    SimulatorLink(simlink::PositionFeed &feed, desktop::ProgramSettings &settings,
                  const QString &directoryFile, QObject *parent = nullptr);

    // Listens as the settings file says; once, the first time it is called.
    void start();

    const simlink::FeedState &state() const;
    // Whether the feed has a position, live or stale.
    bool hasPosition() const;
    // The airports nearest the aircraft's last position, nearest first; none before the first position.
    airportdata::NearestAirports::Answer nearest(int count);
    // The way from the aircraft to the airport of this code, when both are known.
    std::optional<airportdata::Course> courseTo(const QString &code);

    simlink::LinkSettings linkSettings() const;
    // Keeps the settings and listens again as they say.
    void setLinkSettings(const simlink::LinkSettings &link);
    bool nearestOnGround() const;
    void setNearestOnGround(bool on);

signals:
    // The feed's state (at most ten times a second for new positions) or a setting has changed.
    void changed();

private:
    simlink::PositionFeed &m_feed;
    desktop::ProgramSettings &m_settings;
    airportdata::NearestAirports m_airports;
    simlink::LinkSettings m_linkSettings;
    bool m_nearestOnGround;
    bool m_started = false;
};

} // namespace aircraft
