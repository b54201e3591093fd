// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace airportdata {

// Path of the chart of one category of one airport in the chart library:
// libraryFolder + "/Airports/" + code + "/ADP" + characters 3 and 4 of the code (fewer when it is shorter) +
// the file suffix of the category (ChartCategory.h). Builds the text only and touches no file. A code that
// holds anything but the letters A to Z and the digits 0 to 9 (or nothing) names no chart, and neither does
// an index that names no category: both give an empty path.
QString ChartFilePath(const QString &libraryFolder, const QString &code, int categoryIndex);

// The path to open for chartPath on a file system that tells letter case apart, so that a chart library
// copied from Windows with other letter case (airports/lirf/adprf1-1.pdf) still opens:
// - when a file exists at exactly chartPath, chartPath;
// - else the file whose path below libraryFolder matches chartPath's ignoring letter case, component by
//   component from the library folder "Airports" on. Where several entries of a folder match, the one in
//   exactly the same case is tried first, then the others in code-point order; the first that leads to a file
//   wins, so the choice is always the same.
// - else chartPath unchanged, and so whenever chartPath is not below libraryFolder + "/Airports/" or holds
//   empty, "." or ".." components.
// One rule for links, on the exact path and on every other: a chart must resolve inside the library's real
// path (links followed). Links that stay inside the library are followed; an entry that leads outside is
// passed over, and when nothing else matches the result is empty: there is no chart to open.
QString OpenableChartPath(const QString &libraryFolder, const QString &chartPath);

} // namespace airportdata
