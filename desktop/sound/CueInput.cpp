// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueInput.h"

#include "EffectCuePlayer.h"

#include <QString>

#include <cerrno>
#include <utility>

#include <unistd.h>

namespace desktop::sound {

CueInput::CueInput(int descriptor, EffectCuePlayer &player)
    : m_player(player)
    , m_descriptor(descriptor)
    , m_notifier(descriptor, QSocketNotifier::Read)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &CueInput::readAvailable);
    m_sinceLastCue.start();
    m_idleCheck.setInterval(IdleMs / 4);
    connect(&m_idleCheck, &QTimer::timeout, this, &CueInput::checkIdle);
    m_idleCheck.start();
}

void CueInput::readAvailable()
{
    char buffer[4096];
    const ssize_t count = ::read(m_descriptor, buffer, sizeof buffer);
    if (count < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (count <= 0) {
        m_notifier.setEnabled(false);
        emit finished();
        return;
    }
    m_pending.append(buffer, count);
    playLines();
}

void CueInput::playLines()
{
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.first(end);
        m_pending.remove(0, end + 1);
        if (!std::exchange(m_dropping, false) && !line.isEmpty()) {
            m_player.play(QString::fromUtf8(line));
            m_sinceLastCue.restart();
        }
    }
    if (m_pending.size() > MaxLineBytes) {
        m_pending.clear();
        m_dropping = true;
    }
}

void CueInput::checkIdle()
{
    const qint64 idle = m_sinceLastCue.elapsed();
    if (idle >= MaxCueMs || (!m_player.isBusy() && idle >= IdleMs)) {
        m_idleCheck.stop();
        emit finished();
    }
}

} // namespace desktop::sound
