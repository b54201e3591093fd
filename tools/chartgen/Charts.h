// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AirportFacts.h"
#include "ChartDocument.h"

#include <array>

namespace chartgen {

using ChartDrawer = void (*)(ChartDocument &document, const AirportFacts &facts);

// The sample chart of one chart number of the library: the title and number the chart shows, and the
// routine that draws its pages.
struct ChartKind {
    int chartNumber;
    const char *title;
    const char *number;
    ChartDrawer draw;
};

void drawAerodromeData(ChartDocument &document, const AirportFacts &facts);
void drawAerodromeChart(ChartDocument &document, const AirportFacts &facts);
void drawObstacleChart(ChartDocument &document, const AirportFacts &facts);
void drawArrivals(ChartDocument &document, const AirportFacts &facts);
void drawApproaches(ChartDocument &document, const AirportFacts &facts);
void drawDepartures(ChartDocument &document, const AirportFacts &facts);
void drawLocalRestrictions(ChartDocument &document, const AirportFacts &facts);

inline constexpr std::array<ChartKind, 7> chartKinds{{
    {1, "AERODROME DATA", "1-1", drawAerodromeData},
    {2, "AERODROME CHART", "2-1", drawAerodromeChart},
    {3, "AERODROME OBSTACLE CHART - TYPE A", "3-1", drawObstacleChart},
    {4, "STANDARD ARRIVAL CHART - INSTRUMENT (STAR)", "4-1", drawArrivals},
    {5, "VISUAL AND INSTRUMENT APPROACH CHARTS", "5-1", drawApproaches},
    {6, "STANDARD DEPARTURE CHART - INSTRUMENT (SID)", "6-1", drawDepartures},
    {8, "LOCAL FLIGHT RESTRICTIONS", "8-1", drawLocalRestrictions},
}};

// The sample chart drawn for a chart number, or none.
const ChartKind *chartKindOf(int chartNumber);

} // namespace chartgen
