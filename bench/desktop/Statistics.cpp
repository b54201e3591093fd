// SPDX-License-Identifier: GPL-3.0-or-later
#include "Statistics.h"

#include <algorithm>

namespace bench {

double median(Series values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

QString describe(const Series &values, const QString &unit)
{
    if (values.isEmpty())
        return QStringLiteral("no runs");
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    return QStringLiteral("median %1 %2 (min %3, max %4)")
        .arg(median(values), 0, 'f', 1)
        .arg(unit)
        .arg(*least, 0, 'f', 1)
        .arg(*most, 0, 'f', 1);
}

QString ratioLine(const QString &what, const Series &measured, const Series &yardstick, double goal)
{
    const double base = median(yardstick);
    const double ratio = base > 0 ? median(measured) / base : 0;
    QString line = QStringLiteral("  ratio (%1): %2").arg(what).arg(ratio, 0, 'f', 2);
    if (goal > 0)
        line += QStringLiteral(" (goal: at most %1, %2)")
                    .arg(goal, 0, 'f', 2)
                    .arg(ratio <= goal ? QStringLiteral("met") : QStringLiteral("not met"));
    return line;
}

} // namespace bench
