// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerLog.h"

namespace viewer {

Q_LOGGING_CATEGORY(lcViewer, "varnelox.viewer", QtWarningMsg)

} // namespace viewer
