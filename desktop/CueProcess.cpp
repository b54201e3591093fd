// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueProcess.h"

#include "Platform.h"

#include <QFileInfo>

namespace desktop {

Q_LOGGING_CATEGORY(lcSound, "varnelox.sound", QtWarningMsg)

CueProcess::CueProcess(const QString &helperProgram, QObject *parent, int stopWithinMs)
    : QObject(parent)
    , m_program(helperProgram)
{
    m_process.setProgram(m_program);
    platform::endWithThisProcess(m_process);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(stopWithinMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_process.state() == QProcess::NotRunning)
            return;
        qCInfo(lcSound) << "the sound helper did not end in time after its last cue: it is killed";
        m_process.kill();
    });
    // The helper writes nothing but what the sound system has to say, which goes where the program's does.
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_failed = true;
        qCInfo(lcSound) << "the cues stay silent: the sound helper" << m_program
                        << "could not be started:" << m_process.errorString();
    });
}

CueProcess::~CueProcess()
{
    // The program is ending: a cue still playing ends with it.
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

void CueProcess::play(const QString &wavPath)
{
    // One path a line: a path that holds a line break cannot be sent.
    if (m_failed || wavPath.contains(u'\n'))
        return;
    if (m_process.state() == QProcess::NotRunning)
        m_process.start();
    // Written once the helper has started, when it is still starting.
    m_process.write(wavPath.toUtf8() + '\n');
    m_deadline.start();
}

std::unique_ptr<CueProcess> startableCueProcess(const QString &helperProgram)
{
    const QFileInfo program(helperProgram);
    if (!program.isFile() || !program.isExecutable()) {
        qCInfo(lcSound) << "the cues stay silent: there is no sound helper at" << helperProgram;
        return nullptr;
    }
    qCInfo(lcSound) << "cues play through" << helperProgram;
    return std::make_unique<CueProcess>(helperProgram);
}

} // namespace desktop
