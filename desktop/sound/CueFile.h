// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace desktop::sound {

// A start-up cue as the sound helper takes it: a WAV file (RIFF, WAVE) of at most MaxBytes whose header
// claims no more than the file holds. The sound system reads a cue whole into memory before it plays it,
// and waits for ever for data that a header claims and the file lacks: anything else is refused before the
// sound system sees it.
class CueFile {
public:
    // A few seconds of CD-quality sound take about 1 MiB.
    static constexpr qint64 MaxBytes = 4 << 20;

    // Why the file at path is no cue to play, or nothing when it is one. A pipe or device is never opened.
    static QString problem(const QString &path);
    // Why the bytes of a file are no WAV cue, or nothing.
    static QString problemOfBytes(const QByteArray &bytes);
};

} // namespace desktop::sound
