// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupMarks.h"

namespace app {

Q_LOGGING_CATEGORY(lcStartup, "varnelox.startup", QtWarningMsg)

StartupMarks::StartupMarks()
{
    m_clock.start();
}

void StartupMarks::mark(const char *step) const
{
    qCInfo(lcStartup, "%6.1f ms: %s", double(m_clock.nsecsElapsed()) / 1e6, step);
}

} // namespace app
