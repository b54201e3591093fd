// SPDX-License-Identifier: GPL-3.0-or-later
#include "EffectCuePlayer.h"

#include "CueFile.h"

#include <QLoggingCategory>
#include <QSoundEffect>
#include <QUrl>

namespace desktop::sound {

namespace {

Q_LOGGING_CATEGORY(lcCues, "varnelox.sound.helper", QtWarningMsg)

} // namespace

void EffectCuePlayer::play(const QString &wavPath)
{
    // A missing file would leave the effect in a sticky error state with a misleading warning, and one the
    // sound system cannot load whole could hold the helper up for ever.
    if (const QString problem = CueFile::problem(wavPath); !problem.isEmpty()) {
        qCInfo(lcCues).noquote() << "cue" << wavPath << "not played:" << problem;
        return;
    }
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
