// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for the program in the sound helper's tests: plays one cue through the helper named on its
// command line, then runs until it is killed.

#include "CueProcess.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    desktop::CueProcess player(QString::fromLocal8Bit(argv[1]));
    player.play(QStringLiteral("cue.wav"));
    return QCoreApplication::exec();
}
