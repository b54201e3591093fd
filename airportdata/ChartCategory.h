// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace airportdata {

// One chart category of the chart library: the caption the chart selector shows and the chart number that
// names its file. Categories are addressed by their index in ChartCategories.
struct ChartCategory {
    const char16_t *caption;
    int chartNumber;

    QString captionText() const { return QString::fromUtf16(caption); }
    // The end of the chart's file name: the chart number, then "-1.PDF".
    QString fileSuffix() const { return QString::number(chartNumber) + QStringLiteral("-1.PDF"); }
};

// Every category, in the selector's reading order. There is no chart number 7.
inline constexpr std::array<ChartCategory, 7> ChartCategories{{
    {u"AERODROME  DATA", 1},
    {u"AERODROME CHART", 2},
    {u"OBSTACLE CHART", 3},
    {u"STAR PROCEDURES", 4},
    {u"VISUAL AND I.A.C.", 5},
    {u"SID PROCEDURES", 6},
    {u"LOCAL RESTRICTIONS", 8},
}};

// The categories by index, in the order pilots pick them most often: the aerodrome chart, the approaches, the
// departures and arrivals, then the rest. After a lookup the viewer draws their charts ahead in this order.
inline constexpr std::array<int, ChartCategories.size()> CategoriesMostPickedFirst{1, 4, 5, 3, 0, 2, 6};

// Every category once: a category added to ChartCategories needs its place above.
constexpr bool namesEveryCategoryOnce(const std::array<int, ChartCategories.size()> &order)
{
    for (size_t index = 0; index < order.size(); ++index) {
        size_t times = 0;
        for (const int category : order)
            times += size_t(category) == index ? 1 : 0;
        if (times != 1)
            return false;
    }
    return true;
}
static_assert(namesEveryCategoryOnce(CategoriesMostPickedFirst),
              "CategoriesMostPickedFirst names every chart category once");

} // namespace airportdata
