#pragma once

#include <QString>
#include <QtPlugin>

namespace desktop::sound {

// What the sound module gives the program: plays one short WAV cue at a time, asynchronously; a new cue
// replaces the one still playing. A missing file or a machine without sound plays nothing, silently.
class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    virtual void play(const QString &wavPath) = 0;
};

} // namespace desktop::sound

#define VARNELOX_CUE_PLAYER_IID "example.varnelox.CuePlayer/1.0"
Q_DECLARE_INTERFACE(desktop::sound::CuePlayer, VARNELOX_CUE_PLAYER_IID)
