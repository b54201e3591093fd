// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatorLink.h"

#include "Geodesy.h"
#include "PositionFeed.h"
#include "ProgramSettings.h"

namespace aircraft {

SimulatorLink::SimulatorLink(simlink::PositionFeed &feed, desktop::ProgramSettings &settings,
                             const QString &directoryFile, QObject *parent)
    : QObject(parent)
    , m_feed(feed)
    , m_settings(settings)
    , m_airports(directoryFile)
    , m_linkSettings(settings.simulatorLink())
    , m_nearestOnGround(settings.nearestOnGround())
{
    connect(&m_feed, &simlink::PositionFeed::stateChanged, this, &SimulatorLink::changed);
}

void SimulatorLink::start()
{
    if (!std::exchange(m_started, true))
        m_feed.listen(m_linkSettings);
}

const simlink::FeedState &SimulatorLink::state() const
{
    return m_feed.state();
}

bool SimulatorLink::hasPosition() const
{
    return state().fix.position && (state().status == simlink::FeedState::Status::Live ||
                                    state().status == simlink::FeedState::Status::Stale);
}

airportdata::NearestAirports::Answer SimulatorLink::nearest(int count)
{
    if (!hasPosition())
        return {};
    return m_airports.nearest(*state().fix.position, count);
}

std::optional<airportdata::Course> SimulatorLink::courseTo(const QString &code)
{
    if (!hasPosition() || code.isEmpty())
        return std::nullopt;
    const std::optional<airportdata::GeoPosition> airport = m_airports.positionOf(code);
    if (!airport)
        return std::nullopt;
    return airportdata::courseBetween(*state().fix.position, *airport);
}

simlink::LinkSettings SimulatorLink::linkSettings() const
{
    return m_linkSettings;
}

// What the settings file cannot keep still holds for this run.
void SimulatorLink::setLinkSettings(const simlink::LinkSettings &link)
{
    m_linkSettings = link;
    m_settings.setSimulatorLink(link);
    m_feed.listen(link);
}

bool SimulatorLink::nearestOnGround() const
{
    return m_nearestOnGround;
}

void SimulatorLink::setNearestOnGround(bool on)
{
    m_nearestOnGround = on;
    m_settings.setNearestOnGround(on);
    emit changed();
}

} // namespace aircraft
