#include "CuePlayerModule.h"

#include "CuePlayer.h"

#include <QFileInfo>
#include <QPluginLoader>

namespace desktop {

Q_LOGGING_CATEGORY(lcSound, "varnelox.sound", QtWarningMsg)

CuePlayerModule loadCuePlayerModule(const QString &path)
{
    CuePlayerModule module;
    if (!QFileInfo(path).isFile()) {
        module.error = QStringLiteral("there is no sound module at %1").arg(path);
    } else {
        // The module stays loaded until the program ends; its player goes with the caller's instance.
        QPluginLoader loader(path);
        if (QObject *instance = loader.instance()) {
            module.player = qobject_cast<sound::CuePlayer *>(instance);
            if (module.player)
                module.instance = instance;
            else
                module.error = QStringLiteral("%1 is not the sound module of this program").arg(path);
        } else {
            module.error = loader.errorString();
        }
    }
    if (module.player)
        qCInfo(lcSound) << "sound module loaded from" << path;
    else
        qCInfo(lcSound) << "the start-up cues stay silent:" << module.error;
    return module;
}

} // namespace desktop
