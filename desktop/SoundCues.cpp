#include "SoundCues.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace desktop {

EffectSoundCues::EffectSoundCues() = default;
EffectSoundCues::~EffectSoundCues() = default;

void EffectSoundCues::play(const QString &wavPath)
{
    // A missing file would leave the effect in a sticky error state with a misleading warning.
    if (!QFileInfo(wavPath).isFile())
        return;
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(wavPath)); // stops the cue still playing
    m_effect->play();
}

} // namespace desktop
