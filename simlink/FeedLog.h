// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace simlink {

// varnelox.simlink: the ports listened on, ports that could not be opened, the first datagram of each kind
// that was ignored. Quiet unless enabled, e.g. QT_LOGGING_RULES="varnelox.*=true".
Q_DECLARE_LOGGING_CATEGORY(lcSimlink)

} // namespace simlink
