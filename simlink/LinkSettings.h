// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace simlink {

// How the program listens for simulators.
struct LinkSettings {
    static constexpr quint16 DefaultNetworkGpsPort = 49002;
    static constexpr quint16 DefaultNmeaPort = 10110;

    bool listening = true;     // the off switch
    bool loopbackOnly = false; // only simulators on this computer, else every network it is on
    quint16 networkGpsPort = DefaultNetworkGpsPort;
    quint16 nmeaPort = DefaultNmeaPort;

    friend bool operator==(const LinkSettings &, const LinkSettings &) = default;
};

} // namespace simlink
