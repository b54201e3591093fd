// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace import {

// A place on the earth: latitude and longitude in degrees (north and east positive), height in metres.
struct GeoPosition {
    double latitude = 0;
    double longitude = 0;
    double heightMetres = 0;
};

} // namespace import
