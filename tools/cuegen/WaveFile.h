// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace cuegen {

struct WriteStatus {
    bool ok = false;
    QString message; // the file and the reason when ok is false
};

// Writes 16-bit PCM mono samples as a RIFF WAVE file, replacing the file only when complete.
WriteStatus writeWaveFile(const QString &path, const QList<qint16> &samples, int sampleRate);

} // namespace cuegen
