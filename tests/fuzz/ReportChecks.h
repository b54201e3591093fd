// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AircraftReport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

// What every parse of a datagram must give, whatever its bytes: a report or a reason, never both; values
// that are finite and within what they can be.
inline void requireSound(const simlink::ParsedDatagram &parsed, const char *fuzzer)
{
    const auto require = [fuzzer](bool condition, const char *what) {
        if (!condition) {
            std::fprintf(stderr, "%s: %s\n", fuzzer, what);
            std::abort();
        }
    };
    require(parsed.report.has_value() == (parsed.rejection == simlink::Rejection::None),
            "a report with a rejection, or neither");
    if (!parsed.report)
        return;
    const simlink::AircraftReport &report = *parsed.report;
    require(report.position || report.heading, "a report without a position or heading");
    if (report.position)
        require(std::abs(report.position->latitude()) <= 90 && std::abs(report.position->longitude()) <= 180,
                "position out of range");
    if (report.altitude)
        require(std::isfinite(report.altitude->inMetres()) && std::abs(report.altitude->inMetres()) <= 60000,
                "altitude out of range");
    if (report.groundSpeed)
        require(report.groundSpeed->inMetresPerSecond() >= 0 &&
                    report.groundSpeed->inMetresPerSecond() <= 1600,
                "ground speed out of range");
    for (const auto &direction : {report.track, report.heading}) {
        if (direction)
            require(direction->inDegrees() >= 0 && direction->inDegrees() < 360, "direction out of range");
    }
}
