#include "ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The folders an installed program and a build or portable program folder read besides the library.
class ProgramFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void soundCues_data();
    void soundCues();
    void installedDataLiesBesideTheProgramsFolder();
};

void ProgramFoldersTest::soundCues_data()
{
    QTest::addColumn<QStringList>("files"); // below the root, where the executable's folder is usr/bin
    QTest::addColumn<QString>("folder");    // below the root

    QTest::addRow("build or portable folder") << QStringList{"usr/bin/of1297.wav"} << "usr/bin";
    QTest::addRow("installed") << QStringList{"usr/share/varnelox/of1297.wav"} << "usr/share/varnelox";
    QTest::addRow("beside comes first")
        << QStringList{"usr/bin/of1297.wav", "usr/share/varnelox/of1297.wav"} << "usr/bin";
    // Start-up is silent then, without a message, as with any missing cue.
    QTest::addRow("none: the installed folder") << QStringList{} << "usr/share/varnelox";
}

void ProgramFoldersTest::soundCues()
{
    QFETCH(QStringList, files);
    QFETCH(QString, folder);

    const QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("usr/bin"));
    for (const QString &file : files) {
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(file).path()));
        QFile cue(root.filePath(file));
        QVERIFY(cue.open(QIODevice::WriteOnly));
    }
    QCOMPARE(app::soundFolder(root.filePath("usr/bin")), root.filePath(folder));
}

void ProgramFoldersTest::installedDataLiesBesideTheProgramsFolder()
{
    QCOMPARE(app::installedDataFolder("/opt/varnelox/bin"), QStringLiteral("/opt/varnelox/share/varnelox"));
}

QTEST_GUILESS_MAIN(ProgramFoldersTest)
#include "tst_programfolders.moc"
