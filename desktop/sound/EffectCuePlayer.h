// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CuePlayer.h"

#include <QObject>

class QSoundEffect;

namespace desktop::sound {

// The cue player of the sound helper (varnelox-sound): plays the cues through Qt Multimedia.
class EffectCuePlayer final : public QObject, public CuePlayer {
    Q_OBJECT

public:
    void play(const QString &wavPath) override;
    // Whether a cue is being loaded or played; false once it has ended or could not be played.
    bool isBusy() const;

private:
    QSoundEffect *m_effect = nullptr; // made for the first cue
};

} // namespace desktop::sound
