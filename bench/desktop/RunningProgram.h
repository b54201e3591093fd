// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XDisplay.h"

#include <QProcess>

#include <optional>

namespace bench {

// A program started for one measurement, with a home folder given to it, its output dropped; ended when
// this object goes. When a log file is given, the program's standard error is added to it and the log rules
// of QT_LOGGING_RULES hold for it (for finding where the time of a measure goes).
class RunningProgram {
public:
    RunningProgram(const QString &program, const QStringList &arguments, const QString &home,
                   const QString &log = {});
    ~RunningProgram();
    Q_DISABLE_COPY_MOVE(RunningProgram)

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    qint64 pid() const { return m_process.processId(); }
    // Just before the program was started.
    Clock::time_point started() const { return m_started; }
    // Waits until the program has ended: when that was seen, nothing when it runs on past the deadline.
    std::optional<Clock::time_point> waitForEnd(Clock::time_point deadline);

private:
    QProcess m_process;
    Clock::time_point m_started;
};

} // namespace bench
