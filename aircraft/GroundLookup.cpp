// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroundLookup.h"

#include "SimulatorLink.h"

namespace aircraft {

namespace {

constexpr airportdata::Speed GroundSpeedLimit = airportdata::Speed::knots(40);

} // namespace

std::optional<QString> GroundLookup::due(SimulatorLink &link, bool canLookUp)
{
    const simlink::FeedState &state = link.state();
    if (state.status != simlink::FeedState::Status::Live || !state.fix.groundSpeed)
        return std::nullopt;
    if (!(*state.fix.groundSpeed < GroundSpeedLimit)) {
        m_lookedUp.clear();
        return std::nullopt;
    }
    if (!link.nearestOnGround() || !canLookUp)
        return std::nullopt;
    const airportdata::NearestAirports::Answer answer = link.nearest(1);
    if (answer.airports.isEmpty() || answer.airports.first().code == m_lookedUp)
        return std::nullopt;
    m_lookedUp = answer.airports.first().code;
    return m_lookedUp;
}

} // namespace aircraft
