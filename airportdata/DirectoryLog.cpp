// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirectoryLog.h"

namespace airportdata {

Q_LOGGING_CATEGORY(lcDirectory, "varnelox.directory", QtWarningMsg)

} // namespace airportdata
