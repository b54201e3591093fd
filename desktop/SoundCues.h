#pragma once

#include <QString>
#include <memory>

class QSoundEffect;

namespace desktop {

// Short sound cues played asynchronously; a new cue replaces one that is still playing.
class SoundCues {
public:
    virtual ~SoundCues() = default;
    virtual void play(const QString &wavPath) = 0;
};

// Plays through Qt Multimedia. A missing file or a machine without an audio device plays nothing,
// silently: the program never waits for a cue and never reports one.
class EffectSoundCues final : public SoundCues {
public:
    EffectSoundCues();
    ~EffectSoundCues() override;
    void play(const QString &wavPath) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace desktop
