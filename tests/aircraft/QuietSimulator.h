// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PositionFeed.h"
#include "SimulatorLink.h"

// A simulator link that listens on no port: it hears only what a test hands to its feed.
struct QuietSimulator {
    QuietSimulator(desktop::ProgramSettings &settings, const QString &directoryFile)
        : link(feed, settings, directoryFile)
    {
        feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = 0, .nmeaPort = 0});
    }

    // A position as X-Plane sends it, from a simulator on this computer.
    void fly(double latitude, double longitude, double feet = 1250, double track = 45, double knots = 142)
    {
        feed.receive(simlink::FeedFormat::NetworkGps,
                     QStringLiteral("XGPSTest,%1,%2,%3,%4,%5")
                         .arg(longitude, 0, 'f', 6)
                         .arg(latitude, 0, 'f', 6)
                         .arg(feet * 0.3048, 0, 'f', 2)
                         .arg(track)
                         .arg(knots * 1852 / 3600, 0, 'f', 3)
                         .toLatin1(),
                     QHostAddress::LocalHost);
    }

    simlink::PositionFeed feed{
        {.staleAfter = std::chrono::milliseconds(5000), .updateInterval = std::chrono::milliseconds(0)}};
    aircraft::SimulatorLink link;
};
