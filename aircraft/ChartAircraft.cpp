// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartAircraft.h"

#include "ChartViewer.h"
#include "SimulatorLink.h"

namespace aircraft {

std::optional<viewer::AircraftFix> chartAircraft(const simlink::FeedState &state)
{
    using Status = simlink::FeedState::Status;
    if (!state.fix.position || (state.status != Status::Live && state.status != Status::Stale))
        return std::nullopt;
    return viewer::AircraftFix{*state.fix.position, state.fix.track ? state.fix.track : state.fix.heading,
                               state.status == Status::Stale};
}

void showAircraftOnChart(SimulatorLink &link, viewer::ChartViewer *viewer)
{
    const auto show = [&link, viewer] { viewer->setAircraft(chartAircraft(link.state())); };
    QObject::connect(&link, &SimulatorLink::changed, viewer, show);
    show();
}

} // namespace aircraft
