// SPDX-License-Identifier: GPL-3.0-or-later
#include "CueFile.h"
#include "CuePlayer.h"
#include "CueProcess.h"
#include "SoundCues.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <array>
#include <csignal>

// The start-up cues: played by the sound helper, a process of its own that is looked for only once the
// window is on screen; cues asked for before then wait for it, and without it everything stays silent.
class CuePlayerTest : public QObject {
    Q_OBJECT

private slots:
    void cuesAskedEarlierWaitForThePlayerAndKeepTheirOrder();
    void cuesAskedOnceThePlayerIsTherePlayAtOnce();
    void withoutAPlayerNothingPlaysQuietly();
    void thePlayerIsFetchedOnce();
    void helperEnds_data();
    void helperEnds();
    void helpersEndWhenTheirInputClosesDuringACue();
    void missingOrBrokenHelperLeavesTheCuesSilent();
    void missingCueFileIsSkippedQuietly();
    void cuesTheSoundSystemCannotTakeAreRefused_data();
    void cuesTheSoundSystemCannotTakeAreRefused();
    void stuckHelperEndsWithTheProgram_data();
    void stuckHelperEndsWithTheProgram();
};

namespace {

struct RecordingPlayer final : desktop::sound::CuePlayer {
    QStringList played;
    void play(const QString &wavPath) override { played << wavPath; }
};

QString programFolder()
{
    return qEnvironmentVariable("VARNELOX_PROGRAM_DIR");
}

QString builtHelper()
{
    return programFolder() + QStringLiteral("/varnelox-sound");
}

// A WAV file: the RIFF header with the sizes it claims, the format chunk, the data chunk and dataBytes of
// silence.
QByteArray wave(quint32 riffSize, quint32 dataSize, int dataBytes)
{
    const auto size = [](quint32 value) {
        QByteArray bytes(4, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    };
    const QByteArray format = QByteArray::fromHex("01000100401f0000803e00000200100"
                                                  "0"); // PCM, mono, 8000 Hz, 16 bits
    return "RIFF" + size(riffSize) + "WAVE" + "fmt " + size(quint32(format.size())) + format + "data" +
           size(dataSize) + QByteArray(dataBytes, '\0');
}

// A sound helper that is stuck: it notes its process number in pidFile and ignores being asked to stop
// and the end of its input.
QString writeStuckHelper(const QTemporaryDir &folder, const QString &pidFile)
{
    const QString path = folder.filePath(QStringLiteral("stuck-helper"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    script.write(QStringLiteral("#!/bin/sh\necho $$ > '%1'\ntrap '' TERM HUP INT\nexec sleep 120\n")
                     .arg(pidFile)
                     .toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    return path;
}

qint64 pidIn(const QString &pidFile)
{
    QFile file(pidFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

// Whether the process has ended (a zombie that no one has reaped yet counts as ended).
bool hasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state < 2 || state >= line.size() || line[state] == 'Z';
}

} // namespace

void CuePlayerTest::cuesAskedEarlierWaitForThePlayerAndKeepTheirOrder()
{
    RecordingPlayer player;
    desktop::DeferredSoundCues cues([&player] { return &player; });
    cues.play(QStringLiteral("one.wav"));
    QTest::qWait(30); // a pause between the first cue and the other two, as at start-up
    cues.play(QStringLiteral("two.wav"));
    cues.play(QStringLiteral("three.wav"));
    QVERIFY(player.played.isEmpty());

    cues.loadPlayer();
    // The first at once; the other two after the pause that lay between them and the first.
    QCOMPARE(player.played, QStringList{QStringLiteral("one.wav")});
    QTRY_COMPARE(player.played, QStringList({"one.wav", "two.wav", "three.wav"}));
}

void CuePlayerTest::cuesAskedOnceThePlayerIsTherePlayAtOnce()
{
    RecordingPlayer player;
    desktop::DeferredSoundCues cues([&player] { return &player; });
    cues.loadPlayer();
    cues.play(QStringLiteral("one.wav"));
    cues.play(QStringLiteral("two.wav"));
    QCOMPARE(player.played, QStringList({"one.wav", "two.wav"}));
}

void CuePlayerTest::withoutAPlayerNothingPlaysQuietly()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    desktop::DeferredSoundCues cues([] { return nullptr; });
    cues.play(QStringLiteral("one.wav"));
    cues.loadPlayer();
    cues.play(QStringLiteral("two.wav"));
    QTest::qWait(50);
}

void CuePlayerTest::thePlayerIsFetchedOnce()
{
    RecordingPlayer player;
    int fetched = 0;
    desktop::DeferredSoundCues cues([&] {
        ++fetched;
        return &player;
    });
    cues.loadPlayer();
    cues.loadPlayer();
    QCOMPARE(fetched, 1);
}

void CuePlayerTest::helperEnds_data()
{
    QTest::addColumn<QString>("cue");
    QTest::newRow("a cue played") << programFolder() + QStringLiteral("/of1297.wav");
    QTest::newRow("a missing cue") << QStringLiteral("/nonexistent/of1297.wav");
    QTest::newRow("a line longer than any path") << QString(2 * 64 * 1024, u'x');
}

// The sound system stays in memory only while cues play: the helper ends by itself once it is idle, even
// on a machine without sound, its input left open.
void CuePlayerTest::helperEnds()
{
    QFETCH(QString, cue);
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    helper.start(builtHelper(), {});
    QVERIFY(helper.waitForStarted());
    helper.write(cue.toUtf8() + '\n');
    QVERIFY(helper.waitForFinished(10000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
}

// A helper whose input closes while its cue is still being loaded ends at once. The sound system could
// hang at exit then, now and again: several helpers at a time give that moment more chances.
void CuePlayerTest::helpersEndWhenTheirInputClosesDuringACue()
{
    constexpr int Helpers = 8;
    std::array<QProcess, Helpers> helpers;
    for (QProcess &helper : helpers) {
        helper.setProcessChannelMode(QProcess::ForwardedChannels);
        helper.start(builtHelper(), {});
    }
    for (QProcess &helper : helpers) {
        QVERIFY(helper.waitForStarted());
        helper.write(programFolder().toUtf8() + "/of1297.wav\n");
        helper.closeWriteChannel();
    }
    for (QProcess &helper : helpers) {
        QVERIFY(helper.waitForFinished(10000));
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(helper.exitCode(), 0);
    }
}

// Without a helper that can run, the cues stay silent and nothing is reported but in varnelox.sound.
void CuePlayerTest::missingOrBrokenHelperLeavesTheCuesSilent()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    const QTemporaryDir folder;
    QVERIFY(!desktop::startableCueProcess(folder.filePath(QStringLiteral("varnelox-sound"))));

    QFile notAProgram(folder.filePath(QStringLiteral("not-a-program")));
    QVERIFY(notAProgram.open(QIODevice::WriteOnly));
    notAProgram.write("\x7f"
                      "ELF but not really a program");
    notAProgram.close();
    QVERIFY(!desktop::startableCueProcess(notAProgram.fileName()));
    QVERIFY(notAProgram.setPermissions(notAProgram.permissions() | QFile::ExeOwner));
    const std::unique_ptr<desktop::CueProcess> player = desktop::startableCueProcess(notAProgram.fileName());
    QVERIFY(player);
    player->play(QStringLiteral("one.wav"));
    QTest::qWait(200);
    player->play(QStringLiteral("two.wav"));
}

void CuePlayerTest::missingCueFileIsSkippedQuietly()
{
    // The sound system warns, some of it later, whenever an effect is set up: nothing may be set up.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    const std::unique_ptr<desktop::CueProcess> player = desktop::startableCueProcess(builtHelper());
    QVERIFY(player);
    player->play(QStringLiteral("/nonexistent/of1297.wav"));
    player->play(QString());
    player->play(QStringLiteral("two\nlines.wav"));
    QTest::qWait(300);
}

void CuePlayerTest::cuesTheSoundSystemCannotTakeAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // empty: played

    const int format = 36; // "WAVE", the format chunk and the data chunk's header
    QTest::newRow("a short cue") << wave(format + 1600, 1600, 1600) << QString();
    QTest::newRow("a header that claims 4 GiB")
        << wave(0xFFFFFFF0u, 0xFFFFFFCCu, 1600)
        << QStringLiteral("its header claims more than the file holds");
    QTest::newRow("a data chunk that claims more than there is")
        << wave(format + 1600, 3200, 1600) << QStringLiteral("its header claims more than the file holds");
    QTest::newRow("larger than a cue")
        << wave(format + 5000000, 5000000, 5000000) << QStringLiteral("larger than 4194304 bytes");
    QTest::newRow("not a WAV file") << QByteArray("ID3\x04 an MP3 file") << QStringLiteral("not a WAV file");
    QTest::newRow("no data") << wave(format - 8, 0, 0).chopped(8) << QStringLiteral("no sound data in it");
}

// The sound system reads a cue whole before it plays it, and waits for ever for data a header claims and
// the file lacks: such cues never reach it.
void CuePlayerTest::cuesTheSoundSystemCannotTakeAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);

    QTemporaryDir folder;
    const QString cue = folder.filePath(QStringLiteral("cue.wav"));
    QFile file(cue);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(desktop::sound::CueFile::problem(cue), problem);

    // The real helper, handed the cue, refuses it before the sound system sees it, says why in its log, and
    // ends as it should.
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("varnelox.sound.helper=true"));
    helper.setProcessEnvironment(environment);
    helper.start(builtHelper(), {});
    QVERIFY(helper.waitForStarted());
    helper.write(cue.toUtf8() + '\n');
    QVERIFY(helper.waitForFinished(15000));
    QCOMPARE(helper.exitCode(), 0);
    const QString log = QString::fromUtf8(helper.readAllStandardError());
    QVERIFY2(problem.isEmpty() != log.contains(QStringLiteral("not played: ") + problem), qPrintable(log));
}

void CuePlayerTest::stuckHelperEndsWithTheProgram_data()
{
    QTest::addColumn<bool>("programKilled"); // else the program runs on, past the time a helper has

    QTest::newRow("the program killed") << true;
    QTest::newRow("the helper outlives its time") << false;
}

// However the program ends, and even while it runs on, a helper that is stuck does not stay behind.
void CuePlayerTest::stuckHelperEndsWithTheProgram()
{
    QFETCH(bool, programKilled);

    QTemporaryDir folder;
    const QString pidFile = folder.filePath(QStringLiteral("helper.pid"));
    const QString stuckHelper = writeStuckHelper(folder, pidFile);
    QProcess program;
    std::unique_ptr<desktop::CueProcess> player;
    if (programKilled) {
        program.start(QStringLiteral(CUE_HOST), {stuckHelper});
        QVERIFY(program.waitForStarted());
    } else {
        player = std::make_unique<desktop::CueProcess>(stuckHelper, nullptr, 500);
        player->play(QStringLiteral("cue.wav"));
    }
    QTRY_VERIFY(pidIn(pidFile) > 0);
    const qint64 helper = pidIn(pidFile);
    QVERIFY(!hasEnded(helper));
    if (programKilled) {
        program.kill();
        QVERIFY(program.waitForFinished());
    }
    QTRY_VERIFY_WITH_TIMEOUT(hasEnded(helper), 5000);
}

QTEST_MAIN(CuePlayerTest)
#include "tst_cueplayer.moc"
