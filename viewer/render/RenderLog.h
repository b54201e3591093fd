// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace render {

// varnelox.render: what the render helper reads and what fails there. Quiet unless enabled, e.g.
// QT_LOGGING_RULES="varnelox.*=true"; the helper writes to the program's standard error.
Q_DECLARE_LOGGING_CATEGORY(lcRender)

} // namespace render
