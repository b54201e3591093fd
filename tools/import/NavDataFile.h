// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoPosition.h"
#include "ImportStatus.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace import {

// One localizer of the simulators' navigation data: row code 4 (a localizer with a glide slope, an ILS) or 5
// (a localizer alone: LOC, LDA, SDF).
struct NavLocalizer {
    QString airport;   // "KBOS"
    QString runwayEnd; // "04R"
    QString ident;     // "IBOS"
    bool withGlideSlope = false;
    GeoPosition position;
    double megahertz = 0;   // 110.30
    double trueBearing = 0; // degrees from true north, 0 to 360
    qsizetype line = 0;     // where the file gives it
};

// Reads the localizers of X-Plane's navigation data file (earth_nav.dat; FlightGear's Navaids/nav.dat) in
// the versions 810 and 1100 or later, which line 2 names (line 1 is "I", "A" or blank). The file ends with a
// line "99"; one without it is taken as cut short. Bad input is an error naming the file, the line and the
// column.
Status readNavData(const QString &fileName, QByteArrayView bytes, QList<NavLocalizer> &localizers);

} // namespace import
