#pragma once

#include "tools/chartgen/AirportFacts.h"
#include "tools/chartgen/ChartDocument.h"

#include <array>

namespace chartgen {

using ChartDrawer = void (*)(ChartDocument &document, const AirportFacts &facts);

// One chart category of the library: the file suffix the program looks for, the title and number the
// chart shows, and the routine that draws its pages.
struct ChartKind {
    const char *suffix;
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
    {"1-1.PDF", "AERODROME DATA", "1-1", drawAerodromeData},
    {"2-1.PDF", "AERODROME CHART", "2-1", drawAerodromeChart},
    {"3-1.PDF", "AERODROME OBSTACLE CHART - TYPE A", "3-1", drawObstacleChart},
    {"4-1.PDF", "STANDARD ARRIVAL CHART - INSTRUMENT (STAR)", "4-1", drawArrivals},
    {"5-1.PDF", "VISUAL AND INSTRUMENT APPROACH CHARTS", "5-1", drawApproaches},
    {"6-1.PDF", "STANDARD DEPARTURE CHART - INSTRUMENT (SID)", "6-1", drawDepartures},
    {"8-1.PDF", "LOCAL FLIGHT RESTRICTIONS", "8-1", drawLocalRestrictions},
}};

} // namespace chartgen
