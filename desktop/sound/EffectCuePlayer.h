#pragma once

#include "CuePlayer.h"

#include <QObject>

class QSoundEffect;

namespace desktop::sound {

// The sound module (varnelox-sound): plays the cues through Qt Multimedia. It lives in a module of its own
// so that the program starts without the sound system and loads it only once its window is on screen.
class EffectCuePlayer final : public QObject, public CuePlayer {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VARNELOX_CUE_PLAYER_IID)
    Q_INTERFACES(desktop::sound::CuePlayer)

public:
    void play(const QString &wavPath) override;

private:
    QSoundEffect *m_effect = nullptr; // made for the first cue
};

} // namespace desktop::sound
