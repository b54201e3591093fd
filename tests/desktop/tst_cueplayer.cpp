#include "CuePlayer.h"
#include "CuePlayerModule.h"
#include "SoundCues.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The start-up cues: played through the sound module, which is loaded only once the window is on screen;
// cues asked for before then wait for it, and without it everything stays silent.
class CuePlayerTest : public QObject {
    Q_OBJECT

private slots:
    void cuesAskedEarlierWaitForThePlayerAndKeepTheirOrder();
    void cuesAskedOnceThePlayerIsTherePlayAtOnce();
    void withoutAPlayerNothingPlaysQuietly();
    void thePlayerIsFetchedOnce();
    void soundModule_data();
    void soundModule();
    void moduleSkipsAMissingFileQuietly();
};

namespace {

struct RecordingPlayer final : desktop::sound::CuePlayer {
    QStringList played;
    void play(const QString &wavPath) override { played << wavPath; }
};

QString builtModule()
{
    return qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/varnelox-sound.so");
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

void CuePlayerTest::soundModule_data()
{
    QTest::addColumn<QString>("module"); // "built", "missing" or "not a module"
    QTest::addColumn<bool>("loads");
    QTest::newRow("the built module") << "built" << true;
    QTest::newRow("no file") << "missing" << false;
    QTest::newRow("a file that is not a module") << "not a module" << false;
}

// A missing or broken module gives no player and says why, quietly: the program then starts silently.
void CuePlayerTest::soundModule()
{
    QFETCH(QString, module);
    QFETCH(bool, loads);
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    const QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("varnelox-sound.so"));
    if (module == u"built") {
        path = builtModule();
    } else if (module == u"not a module") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x7f"
                   "ELF but not really a shared library");
    }
    const desktop::CuePlayerModule loaded = desktop::loadCuePlayerModule(path);
    QCOMPARE(loaded.player != nullptr, loads);
    QCOMPARE(loaded.error.isEmpty(), loads);
}

void CuePlayerTest::moduleSkipsAMissingFileQuietly()
{
    // The sound system warns, some of it later, whenever an effect is set up: nothing may be set up.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    desktop::sound::CuePlayer *player = desktop::loadCuePlayerModule(builtModule()).player;
    QVERIFY(player);
    player->play(QStringLiteral("/nonexistent/of1297.wav"));
    player->play(QString());
    QTest::qWait(300);
}

QTEST_MAIN(CuePlayerTest)
#include "tst_cueplayer.moc"
