// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningProgram.h"

namespace bench {

RunningProgram::RunningProgram(const QString &program, const QStringList &arguments, const QString &home,
                               const QString &log)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("VARNELOX_LIBRARY"));
    if (log.isEmpty())
        environment.remove(QStringLiteral("QT_LOGGING_RULES"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_process.setProcessEnvironment(environment);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    if (log.isEmpty())
        m_process.setStandardErrorFile(QProcess::nullDevice());
    else
        m_process.setStandardErrorFile(log, QIODevice::Append);
    m_started = Clock::now();
    m_process.start(program, arguments);
    m_process.waitForStarted();
}

std::optional<Clock::time_point> RunningProgram::waitForEnd(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (isRunning() && !m_process.waitForFinished(int(std::max<qint64>(0, left))))
        return std::nullopt;
    return Clock::now();
}

RunningProgram::~RunningProgram()
{
    if (!isRunning())
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

} // namespace bench
