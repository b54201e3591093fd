#pragma once

#include <QLoggingCategory>
#include <QString>

class QObject;

namespace desktop {

namespace sound {
class CuePlayer;
}

// varnelox.sound: whether the sound module could be loaded, and why not. Quiet unless enabled.
Q_DECLARE_LOGGING_CATEGORY(lcSound)

struct CuePlayerModule {
    sound::CuePlayer *player = nullptr;
    // The module's object behind player. Its owner deletes it while the application still runs: left to the
    // end of the process, it would outlive the sound system it plays through and crash the program's exit.
    QObject *instance = nullptr;
    QString error;
};

// Loads the sound module at path and gives its cue player; the error says why there is none (a missing
// file, a file that is not the module, a module of another build).
CuePlayerModule loadCuePlayerModule(const QString &path);

} // namespace desktop
