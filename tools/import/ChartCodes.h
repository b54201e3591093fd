// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace import {

// The chart category (an index into airportdata::ChartCategories) of an FAA chart code:
// MIN aerodrome data, APD aerodrome chart, ODP and DAU obstacle chart, STAR, IAP visual and instrument
// approach, DP SID, HOT and LAH local restrictions; -1 for any other code.
int categoryOfChartCode(QStringView chartCode);

} // namespace import
