// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoPosition.h"
#include "ImportStatus.h"

#include <QDate>
#include <QString>

#include <memory>

namespace GeographicLib {
class MagneticModel;
}

namespace import {

// The earth's magnetic variation (declination) from the World Magnetic Model, evaluated by GeographicLib from
// the model's coefficients installed with the program (wmm2025.wmm and wmm2025.wmm.cof).
class MagneticVariation {
public:
    static constexpr char kModelName[] = "wmm2025";

    MagneticVariation();
    ~MagneticVariation();
    Q_DISABLE_COPY_MOVE(MagneticVariation)

    // Reads the model from folder; a missing or damaged file is an error naming it.
    Status load(const QString &folder);

    // Degrees east of true north that a compass points at the place on the date: west negative.
    double declination(const GeoPosition &position, QDate date) const;
    // A true bearing as a compass reads it there and then, in degrees from 0 to 360.
    double magneticBearing(double trueBearing, const GeoPosition &position, QDate date) const;

    // Whether the model is meant for the date: outside its years it is extrapolated.
    bool holds(QDate date) const;
    // "WMM2025, made for 2025.0 to 2030.0"
    QString description() const;

private:
    std::unique_ptr<GeographicLib::MagneticModel> m_model;
};

} // namespace import
