// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace desktop::sound {

// Plays one short WAV cue at a time, asynchronously; a new cue replaces the one still playing. A missing
// file or a machine without sound plays nothing, silently.
class CuePlayer {
public:
    virtual ~CuePlayer() = default;
    virtual void play(const QString &wavPath) = 0;
};

} // namespace desktop::sound
