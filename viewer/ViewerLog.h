// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace viewer {

// varnelox.viewer: the render helper's start, restart, time-out and crash, seen from the program. Quiet
// unless enabled, e.g. QT_LOGGING_RULES="varnelox.*=true".
Q_DECLARE_LOGGING_CATEGORY(lcViewer)

} // namespace viewer
