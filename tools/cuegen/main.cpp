// SPDX-License-Identifier: GPL-3.0-or-later
// Synthesises the program's three start-up sound cues into the folder given as the only argument.

#include "Tone.h"
#include "WaveFile.h"

#include <QDir>
#include <QTextStream>

namespace {

constexpr int sampleRate = 22050;

struct Cue {
    const char *fileName;
    QList<cuegen::Note> notes;
};

// A two-tone chime, a short click and a rising three-note "ready" jingle.
QList<Cue> cues()
{
    return {
        {"of1297.wav", {{0.00, 0.55, 1318.51, 5.0, 0.0}, {0.28, 0.90, 1046.50, 4.0, 0.0}}},
        {"of1298.wav", {{0.00, 0.06, 2093.00, 70.0, 0.35}}},
        {"of1300.wav",
         {{0.00, 0.20, 523.25, 6.0, 0.0}, {0.14, 0.20, 659.26, 6.0, 0.0}, {0.28, 0.70, 783.99, 3.5, 0.0}}},
    };
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: cuegen OUTPUT-FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        err << "cuegen: cannot create " << folder.path() << "\n";
        return 1;
    }
    for (const Cue &cue : cues()) {
        const auto samples = cuegen::synthesise(cue.notes, sampleRate);
        const auto status = cuegen::writeWaveFile(folder.filePath(cue.fileName), samples, sampleRate);
        if (!status.ok) {
            err << "cuegen: " << status.message << "\n";
            return 1;
        }
    }
    return 0;
}
