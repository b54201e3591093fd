// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>

#include <chrono>
#include <optional>

namespace simlink {

// Which simulator the feed follows when more than one sends: the first that sent a position, until it has
// been silent for staleAfter; then the next that sends. Another sender heard meanwhile is named for as long
// as it keeps sending. A sender is a computer (its address): a simulator sending both formats is one.
class SenderChoice {
public:
    using Clock = std::chrono::steady_clock;

    explicit SenderChoice(Clock::duration staleAfter);

    // Whether a position from this sender, received at the time given, is followed.
    bool follow(const QHostAddress &sender, Clock::time_point now);
    // Whether the sender is the one followed (an attitude counts only from it).
    bool isFollowed(const QHostAddress &sender) const;
    // Another sender heard within staleAfter of now, while the first is followed.
    std::optional<QHostAddress> otherSender(Clock::time_point now) const;
    void forget();

private:
    struct Heard {
        QHostAddress address;
        Clock::time_point last;
    };

    Clock::duration m_staleAfter;
    std::optional<Heard> m_followed;
    std::optional<Heard> m_other;
};

} // namespace simlink
