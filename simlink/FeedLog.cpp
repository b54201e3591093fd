// SPDX-License-Identifier: GPL-3.0-or-later
#include "FeedLog.h"

namespace simlink {

Q_LOGGING_CATEGORY(lcSimlink, "varnelox.simlink", QtWarningMsg)

} // namespace simlink
