#include "EffectCuePlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace desktop::sound {

void EffectCuePlayer::play(const QString &wavPath)
{
    // A missing file would leave the effect in a sticky error state with a misleading warning.
    if (!QFileInfo(wavPath).isFile())
        return;
    if (!m_effect)
        m_effect = new QSoundEffect(this);
    m_effect->setSource(QUrl::fromLocalFile(wavPath)); // stops the cue still playing
    m_effect->play();
}

bool EffectCuePlayer::isBusy() const
{
    return m_effect && (m_effect->isPlaying() || m_effect->status() == QSoundEffect::Loading);
}

} // namespace desktop::sound
