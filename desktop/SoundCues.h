// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

namespace desktop {

namespace sound {
class CuePlayer;
}

// Short sound cues played asynchronously; a new cue replaces one that is still playing.
class SoundCues {
public:
    virtual ~SoundCues() = default;
    virtual void play(const QString &wavPath) = 0;
};

// Where the cue player comes from (the sound helper, or a stand-in); nothing when there is none.
using CuePlayerSource = std::function<sound::CuePlayer *()>;

// Plays the cues through a player that is fetched only when asked (loadPlayer, once the window is on
// screen), so that the program starts without the sound system. Cues asked for before then wait and play
// as soon as the player is there, in order and with the same spacing between them. Without a player every
// cue plays nothing, silently: the program never waits for a cue and never reports one.
class DeferredSoundCues final : public QObject, public SoundCues {
    Q_OBJECT

public:
    explicit DeferredSoundCues(CuePlayerSource source);
    void play(const QString &wavPath) override;
    // Fetches the player the first time; later calls do nothing.
    void loadPlayer();

private:
    struct Cue {
        QString path;
        qint64 askedAt;
    };
    enum class Player { NotLoaded, Ready, Missing };

    void playWaiting();

    CuePlayerSource m_source;
    Player m_state = Player::NotLoaded;
    sound::CuePlayer *m_player = nullptr;
    QElapsedTimer m_clock;
    QList<Cue> m_waiting;
    QTimer m_next;
};

} // namespace desktop
