// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QLoggingCategory>

namespace app {

// varnelox.startup: how long each step of the start-up took. Quiet unless enabled, e.g.
// QT_LOGGING_RULES="varnelox.startup=true".
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

// Logs the milliseconds since main() began as each step of the start-up ends.
class StartupMarks {
public:
    StartupMarks();
    void mark(const char *step) const;

private:
    QElapsedTimer m_clock;
};

} // namespace app
