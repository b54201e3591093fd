// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportDirectory.h"
#include "ProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// The folders an installed program and a build or portable program folder read besides the library.
class ProgramFoldersTest : public QObject {
    Q_OBJECT

private slots:
    void soundCues_data();
    void soundCues();
    void installedDataLiesBesideTheProgramsFolder();
    void soundHelper_data();
    void soundHelper();
    void magneticModel_data();
    void magneticModel();
    void oddDirectoryInTheProgramFolderIsReportedNotPassedOver_data();
    void oddDirectoryInTheProgramFolderIsReportedNotPassedOver();
};

namespace {

// Makes empty files below root; the executable's folder is usr/bin.
bool makeFiles(const QTemporaryDir &root, const QStringList &files)
{
    if (!QDir(root.path()).mkpath("usr/bin"))
        return false;
    for (const QString &file : files) {
        QFile made(root.filePath(file));
        if (!QDir(root.path()).mkpath(QFileInfo(file).path()) || !made.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace

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
    QVERIFY(makeFiles(root, files));
    QCOMPARE(app::soundFolder(root.filePath("usr/bin")), root.filePath(folder));
}

void ProgramFoldersTest::installedDataLiesBesideTheProgramsFolder()
{
    QCOMPARE(app::installedDataFolder("/opt/varnelox/bin"), QStringLiteral("/opt/varnelox/share/varnelox"));
}

void ProgramFoldersTest::soundHelper_data()
{
    QTest::addColumn<QStringList>("files"); // below the root, where the executable's folder is usr/bin
    QTest::addColumn<QString>("helper");    // below the root

    const QString installed =
        QDir::cleanPath(QStringLiteral("usr/bin/" VARNELOX_HELPER_FROM_PROGRAM "/varnelox-sound"));
    QTest::addRow("build or portable folder")
        << QStringList{"usr/bin/varnelox-sound"} << "usr/bin/varnelox-sound";
    QTest::addRow("installed") << QStringList{installed} << installed;
    QTest::addRow("beside comes first")
        << QStringList{"usr/bin/varnelox-sound", installed} << "usr/bin/varnelox-sound";
    // Starting it fails then, and the start-up stays silent.
    QTest::addRow("none: beside the program") << QStringList{} << "usr/bin/varnelox-sound";
}

void ProgramFoldersTest::soundHelper()
{
    QFETCH(QStringList, files);
    QFETCH(QString, helper);

    const QTemporaryDir root;
    QVERIFY(makeFiles(root, files));
    QCOMPARE(app::soundHelper(root.filePath("usr/bin")), root.filePath(helper));
}

void ProgramFoldersTest::magneticModel_data()
{
    QTest::addColumn<QStringList>("files"); // below the root, where the executable's folder is usr/bin
    QTest::addColumn<QString>("folder");    // below the root

    QTest::addRow("build or portable folder")
        << QStringList{"usr/bin/magnetic/wmm2025.wmm"} << "usr/bin/magnetic";
    QTest::addRow("installed") << QStringList{"usr/share/varnelox/magnetic/wmm2025.wmm"}
                               << "usr/share/varnelox/magnetic";
    // The import then says which file it misses there.
    QTest::addRow("none: the installed folder") << QStringList{} << "usr/share/varnelox/magnetic";
}

void ProgramFoldersTest::magneticModel()
{
    QFETCH(QStringList, files);
    QFETCH(QString, folder);

    const QTemporaryDir root;
    QVERIFY(makeFiles(root, files));
    QCOMPARE(app::magneticModelFolder(root.filePath("usr/bin")), root.filePath(folder));
}

void ProgramFoldersTest::oddDirectoryInTheProgramFolderIsReportedNotPassedOver_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    QTest::addRow("a folder") << "folder"
                              << "it is a folder, not a file";
    QTest::addRow("a pipe") << "pipe"
                            << "it is not a regular file (it is a pipe, a device or a socket)";
}

// A program folder (a build, a portable copy) whose airports.txt is no file is still the library: the
// lookup says what is wrong with that file instead of reading the installed sample library.
void ProgramFoldersTest::oddDirectoryInTheProgramFolderIsReportedNotPassedOver()
{
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    const QTemporaryDir root;
    QVERIFY(makeFiles(root, {"usr/share/varnelox/airports.txt"}));
    const QString directory = root.filePath("usr/bin/airports.txt");
    if (kind == u"folder")
        QVERIFY(QDir().mkpath(directory));
    else
        QCOMPARE(mkfifo(QFile::encodeName(directory).constData(), 0600), 0);
    qunsetenv("VARNELOX_LIBRARY");
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("home/.local/share")));

    const airportdata::LibraryLocation library = app::locateProgramLibrary(root.filePath("usr/bin"), {});
    QVERIFY(library.ok);
    QCOMPARE(library.source, airportdata::LibrarySource::ProgramFolder);
    QCOMPARE(library.folder, root.filePath("usr/bin"));
    const airportdata::LookupResult lookup =
        airportdata::LookUpAirport(QDir(library.folder).filePath("airports.txt"), QStringLiteral("LIRF"));
    QCOMPARE(lookup.status, airportdata::LookupStatus::Unreadable);
    QVERIFY2(lookup.error.contains(directory) && lookup.error.endsWith(problem), qPrintable(lookup.error));
}

QTEST_GUILESS_MAIN(ProgramFoldersTest)
#include "tst_programfolders.moc"
