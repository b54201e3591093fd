#include "CuePlayer.h"
#include "CueProcess.h"
#include "SoundCues.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
    void missingOrBrokenHelperLeavesTheCuesSilent();
    void missingCueFileIsSkippedQuietly();
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
    QTest::addColumn<bool>("inputCloses");
    const QString real = programFolder() + QStringLiteral("/of1297.wav");
    QTest::newRow("a cue played, input left open") << real << false;
    QTest::newRow("a missing cue, input left open") << QStringLiteral("/nonexistent/of1297.wav") << false;
    QTest::newRow("a line longer than any path") << QString(2 * 64 * 1024, u'x') << false;
    QTest::newRow("input closed by the program") << real << true;
}

// The sound system stays in memory only while cues play: the helper ends by itself once it is idle, even
// on a machine without sound, and at once when the program closes its input (or is gone).
void CuePlayerTest::helperEnds()
{
    QFETCH(QString, cue);
    QFETCH(bool, inputCloses);
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedChannels);
    helper.start(builtHelper(), {});
    QVERIFY(helper.waitForStarted());
    helper.write(cue.toUtf8() + '\n');
    if (inputCloses)
        helper.closeWriteChannel();
    QVERIFY(helper.waitForFinished(10000));
    QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(helper.exitCode(), 0);
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

QTEST_MAIN(CuePlayerTest)
#include "tst_cueplayer.moc"
