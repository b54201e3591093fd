// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// OurAirports-sized input: airports.csv and runways.csv in OurAirports' format, every text field quoted, some
// names holding commas, quotes and non-Latin letters, one runway in forty closed; and the world's navigation
// data in X-Plane's format 810, with a localizer at one end of one runway in thirteen, at both ends of one in
// twenty-six.
struct GeneratedSources {
    QByteArray airports;
    QByteArray runways;
    QByteArray navData;
    int airportsWithCode = 0; // rows that become directory records
};

GeneratedSources generateSources(int airports, int runways);
