// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartCodes.h"

#include "ChartCategory.h"

#include <array>
#include <utility>

namespace import {

namespace {

// Chart code and chart number.
constexpr std::array<std::pair<QStringView, int>, 9> kChartCodes{{
    {u"MIN", 1},
    {u"APD", 2},
    {u"ODP", 3},
    {u"DAU", 3},
    {u"STAR", 4},
    {u"IAP", 5},
    {u"DP", 6},
    {u"HOT", 8},
    {u"LAH", 8},
}};

} // namespace

int categoryOfChartCode(QStringView chartCode)
{
    const QStringView code = chartCode.trimmed();
    for (const auto &[name, chartNumber] : kChartCodes) {
        if (code.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto &categories = airportdata::ChartCategories;
        for (int index = 0; index < int(categories.size()); ++index) {
            if (categories[index].chartNumber == chartNumber)
                return index;
        }
    }
    return -1;
}

} // namespace import
