// SPDX-License-Identifier: GPL-3.0-or-later
// varnelox-sound: the sound helper. Plays the program's sound cues, the path of one WAV file a line on its
// standard input; a new cue replaces the one still playing. It ends when its input ends and once it has
// been idle for a moment: the program's own process never loads the sound system.

#include "CueInput.h"
#include "EffectCuePlayer.h"

#include <QCoreApplication>

#include <cstdlib>

#include <unistd.h>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    desktop::sound::EffectCuePlayer player;
    const desktop::sound::CueInput input(STDIN_FILENO, player);
    QObject::connect(&input, &desktop::sound::CueInput::finished, &application, &QCoreApplication::quit);
    const int status = QCoreApplication::exec();
    // The sound system's sample cache, torn down at exit while a cue is still being decoded, can wait for
    // ever: the cache waits for its loading thread, which waits for the cache. This helper keeps nothing
    // that needs tearing down, so it ends without running the exit handlers.
    std::_Exit(status);
}
