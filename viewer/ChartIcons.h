// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace viewer {

enum class ChartIcon { PreviousPage, NextPage, ZoomOut, ZoomIn, FitWidth, FitPage, Rotate, Night, Print };

// The toolbar's icons, drawn as simple line figures.
QIcon chartIcon(ChartIcon kind);

} // namespace viewer
