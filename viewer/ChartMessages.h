// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenderProtocol.h"

namespace viewer {

// The text the viewer shows instead of a chart: the file's name, its folder and the reason in plain words.
QString chartMessage(const QString &path, ChartFailure failure);

} // namespace viewer
