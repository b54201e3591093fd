// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace desktop::sound {

class EffectCuePlayer;

// The sound helper's input: one path of a WAV file a line, each played as it arrives. The helper ends when
// its input ends (the program has gone) and by itself once nothing has played for IdleMs, so that the
// sound system is in memory only while cues play; the program starts it again for its next cue. A cue
// counts as played after MaxCueMs at the latest: without a sound device the sound system reports a cue as
// playing for ever.
class CueInput final : public QObject {
    Q_OBJECT

public:
    static constexpr int IdleMs = 1000;
    static constexpr int MaxCueMs = 5000;
    // The longest line taken: a longer one is no path the program sends, and is dropped.
    static constexpr qsizetype MaxLineBytes = 64 * 1024;

    CueInput(int descriptor, EffectCuePlayer &player);

signals:
    void finished();

private:
    void readAvailable();
    void playLines();
    void checkIdle();

    EffectCuePlayer &m_player;
    int m_descriptor;
    QSocketNotifier m_notifier;
    QByteArray m_pending;
    bool m_dropping = false; // within an overlong line, until its end
    QElapsedTimer m_sinceLastCue;
    QTimer m_idleCheck;
};

} // namespace desktop::sound
