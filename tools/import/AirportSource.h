// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace import {

// One runway row of OurAirports' runways.csv, as the directory needs it.
struct RunwaySource {
    QString lowEnd;  // le_ident: "04R"
    QString highEnd; // he_ident: "22L"
    QString surface;
    std::optional<double> lengthFeet;
    std::optional<double> widthFeet;
};

// One airport row of OurAirports' airports.csv that is to become a directory record.
struct AirportSource {
    QString code; // four capital letters
    qint64 id = 0;
    int typeRank = 0; // larger airports rank higher
    QString country;
    QString name;
    QString municipality;
    std::optional<double> latitude;
    std::optional<double> longitude;
    std::optional<double> elevationFeet;
    // How the FAA's files name the airport (local_code, else ident) for airports of the United States and
    // its territories; empty elsewhere.
    QByteArray faaIdent;
    QList<RunwaySource> runways; // in the order of runways.csv
};

} // namespace import
