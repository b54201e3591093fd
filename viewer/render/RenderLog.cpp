// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenderLog.h"

namespace render {

Q_LOGGING_CATEGORY(lcRender, "varnelox.render", QtWarningMsg)

} // namespace render
