// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

namespace cuegen {

// One struck note: a few harmonics under an attack, an exponential decay and a smooth release.
struct Note {
    double start = 0.0;     // seconds from the beginning of the cue
    double length = 0.0;    // seconds until the end of the release
    double frequency = 0.0; // Hz of the fundamental
    double decay = 4.0;     // per second: how fast the note dies away
    double noise = 0.0;     // share of a deterministic noise burst mixed in (a click)
};

// Mixes the notes into 16-bit mono samples at the given rate, peak-normalised below full scale.
QList<qint16> synthesise(const QList<Note> &notes, int sampleRate);

} // namespace cuegen
