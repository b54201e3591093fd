// SPDX-License-Identifier: GPL-3.0-or-later
#include "SenderChoice.h"

namespace simlink {

SenderChoice::SenderChoice(Clock::duration staleAfter)
    : m_staleAfter(staleAfter)
{}

bool SenderChoice::follow(const QHostAddress &sender, Clock::time_point now)
{
    if (!m_followed || now - m_followed->last > m_staleAfter || m_followed->address == sender) {
        if (m_followed && m_followed->address != sender)
            m_other.reset();
        m_followed = Heard{sender, now};
        return true;
    }
    m_other = Heard{sender, now};
    return false;
}

bool SenderChoice::isFollowed(const QHostAddress &sender) const
{
    return m_followed && m_followed->address == sender;
}

std::optional<QHostAddress> SenderChoice::otherSender(Clock::time_point now) const
{
    if (!m_other || now - m_other->last > m_staleAfter)
        return std::nullopt;
    return m_other->address;
}

void SenderChoice::forget()
{
    m_followed.reset();
    m_other.reset();
}

} // namespace simlink
