#pragma once

#include <QByteArray>

// OurAirports-sized input: airports.csv and runways.csv in OurAirports' format, every text field quoted, some
// names holding commas, quotes and non-Latin letters, one runway in forty closed.
struct GeneratedSources {
    QByteArray airports;
    QByteArray runways;
    int airportsWithCode = 0; // rows that become directory records
};

GeneratedSources generateSources(int airports, int runways);
