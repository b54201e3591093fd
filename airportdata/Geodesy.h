// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GeoValues.h"

namespace airportdata {

// Distances and bearings on the WGS 84 ellipsoid, as GeographicLib computes them.

// The shortest way from one place to another.
Course courseBetween(const GeoPosition &from, const GeoPosition &to);

// The place reached from a place along a bearing after a distance.
GeoPosition travel(const GeoPosition &from, Bearing bearing, Length distance);

} // namespace airportdata
