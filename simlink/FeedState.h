// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftReport.h"

#include <QDateTime>
#include <QHostAddress>
#include <QStringList>

#include <optional>

namespace simlink {

// What the windows show of the simulator link.
struct FeedState {
    enum class Status {
        Off,     // the link is switched off
        Waiting, // listening; no position yet
        Live,    // positions keep coming
        Stale,   // no position for a while: the last one is kept
    };
    Status status = Status::Off;
    AircraftReport fix;                      // with a position when Live or Stale
    QDateTime lastData;                      // when the last position came, local time
    std::optional<QHostAddress> otherSender; // a second simulator, heard but not followed
    QStringList problems;                    // ports that could not be listened on, in words
};

} // namespace simlink
