#pragma once

#include <QString>

namespace airportdata {

// Path of the chart of one category (0 to 6) of one airport in the chart library.
QString ChartFilePath(const QString &programFolder, const QString &code, int categoryIndex);

// The file to open for a chart path: the path itself, or on a case-sensitive file system the one
// library file that matches it ignoring letter case.
QString OpenableChartPath(const QString &programFolder, const QString &chartPath);

} // namespace airportdata
