// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace bench {

using Series = QList<double>;

double median(Series values);
// "median 12.3 ms (min 10.1, max 15.0)".
QString describe(const Series &values, const QString &unit = QStringLiteral("ms"));
// The ratio of the medians, and the goal when there is one (goal > 0).
QString ratioLine(const QString &what, const Series &measured, const Series &yardstick, double goal);

} // namespace bench
