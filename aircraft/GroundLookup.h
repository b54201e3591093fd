// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FeedState.h"

#include <QString>

#include <optional>

namespace aircraft {

class SimulatorLink;

// The lookup of the nearest airport once the aircraft is on the ground (slower than 40 kt over the ground),
// when the pilot has switched it on. Each airport is looked up once a landing: after the pilot cleans the
// window it is not looked up again until the aircraft has been faster than 40 kt meanwhile.
class GroundLookup {
public:
    // The airport to look up now, if any; only when the window can take a code (canLookUp).
    std::optional<QString> due(SimulatorLink &link, bool canLookUp);

private:
    QString m_lookedUp; // since the aircraft was last faster
};

} // namespace aircraft
