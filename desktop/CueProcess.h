// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CueInput.h"
#include "CuePlayer.h"

#include <QLoggingCategory>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <memory>

namespace desktop {

// varnelox.sound: whether the sound helper could be started, and why not. Quiet unless enabled.
Q_DECLARE_LOGGING_CATEGORY(lcSound)

// The program's cue player: hands each cue to the sound helper (varnelox-sound), which plays it in a
// process of its own. The helper is started for a cue when it is not running; it ends by itself once the
// cues are over, with this player, and with the program however the program ends (the system ends it).
// One still running stopWithinMs after the last cue is stuck, and is killed. A helper that cannot be
// started leaves every cue silent, and is not tried again.
class CueProcess final : public QObject, public sound::CuePlayer {
    Q_OBJECT

public:
    // The helper's own limits (it ends once nothing has played for a while, and counts a cue as over after
    // a time at the latest), and time to spare.
    static constexpr int StopWithinMs = sound::CueInput::MaxCueMs + sound::CueInput::IdleMs + 3000;

    explicit CueProcess(const QString &helperProgram, QObject *parent = nullptr,
                        int stopWithinMs = StopWithinMs);
    ~CueProcess() override;

    void play(const QString &wavPath) override;

private:
    QString m_program;
    QProcess m_process;
    QTimer m_deadline;
    bool m_failed = false;
};

// The cue player for the sound helper at helperProgram; nothing, and the reason logged under varnelox.sound,
// when there is no program there.
std::unique_ptr<CueProcess> startableCueProcess(const QString &helperProgram);

} // namespace desktop
