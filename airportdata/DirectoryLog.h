// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace airportdata {

// varnelox.directory: which library a run reads and why a directory could not be read. Quiet unless
// enabled, e.g. QT_LOGGING_RULES="varnelox.*=true".
Q_DECLARE_LOGGING_CATEGORY(lcDirectory)

} // namespace airportdata
