#pragma once

#include <QString>

namespace airportdata {

// Path of the chart of one category (0 to 6) of one airport in the chart library.
QString ChartFilePath(const QString &programFolder, const QString &code, int categoryIndex);

} // namespace airportdata
