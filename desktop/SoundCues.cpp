// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundCues.h"

#include "CuePlayer.h"

namespace desktop {

DeferredSoundCues::DeferredSoundCues(CuePlayerSource source)
    : m_source(std::move(source))
{
    m_clock.start();
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &DeferredSoundCues::playWaiting);
}

void DeferredSoundCues::play(const QString &wavPath)
{
    if (m_state == Player::Missing)
        return;
    m_waiting.append({wavPath, m_clock.elapsed()});
    if (m_state == Player::Ready && !m_next.isActive())
        playWaiting();
}

void DeferredSoundCues::loadPlayer()
{
    if (m_state != Player::NotLoaded)
        return;
    m_player = m_source ? m_source() : nullptr;
    m_state = m_player ? Player::Ready : Player::Missing;
    if (m_player)
        playWaiting();
    else
        m_waiting.clear();
}

// Plays the first waiting cue and every one asked for together with it; the next one follows after the
// same pause that lay between them when they were asked for.
void DeferredSoundCues::playWaiting()
{
    while (!m_waiting.isEmpty()) {
        const Cue cue = m_waiting.takeFirst();
        m_player->play(cue.path);
        if (!m_waiting.isEmpty() && m_waiting.first().askedAt > cue.askedAt) {
            m_next.start(int(m_waiting.first().askedAt - cue.askedAt));
            return;
        }
    }
}

} // namespace desktop
