// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using airportdata::LibraryCandidates;
using airportdata::LibraryLocation;
using airportdata::LibrarySource;
using airportdata::locateLibrary;

Q_DECLARE_METATYPE(LibrarySource)

namespace {

// The fixture's folders below a temporary folder: "full" holds airports.txt, "bare" exists without it,
// "missing" does not exist; in "folder", "pipe" and "nowhere" airports.txt is a folder, a named pipe and a
// link to a file that does not exist. A candidate names one of them, or nothing when empty.
enum class Folder { None, Full, Bare, Missing, DirectoryIsFolder, DirectoryIsPipe, DirectoryLeadsNowhere };

} // namespace

Q_DECLARE_METATYPE(Folder)

class TestLibraryLocation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void order_data();
    void order();
    void relativeFolderIsTakenFromTheWorkingFolder();

private:
    QString folder(Folder which, const QString &role) const;

    QTemporaryDir m_root;
};

void TestLibraryLocation::initTestCase()
{
    QVERIFY(m_root.isValid());
    for (const QString role : {"command", "environment", "program", "user", "installed"}) {
        for (const char *folder : {"full", "bare", "folder", "pipe", "nowhere"})
            QVERIFY(QDir(m_root.path()).mkpath(role + u'/' + QLatin1String(folder)));
        QFile directory(m_root.filePath(role + "/full/airports.txt"));
        QVERIFY(directory.open(QIODevice::WriteOnly));
        QVERIFY(QDir(m_root.path()).mkpath(role + "/folder/airports.txt"));
        QCOMPARE(mkfifo(QFile::encodeName(m_root.filePath(role + "/pipe/airports.txt")).constData(), 0600),
                 0);
        QVERIFY(QFile::link(m_root.filePath(role + "/missing/airports.txt"),
                            m_root.filePath(role + "/nowhere/airports.txt")));
    }
}

QString TestLibraryLocation::folder(Folder which, const QString &role) const
{
    switch (which) {
    case Folder::None:
        return {};
    case Folder::Full:
        return m_root.filePath(role + "/full");
    case Folder::Bare:
        return m_root.filePath(role + "/bare");
    case Folder::Missing:
        return m_root.filePath(role + "/missing");
    case Folder::DirectoryIsFolder:
        return m_root.filePath(role + "/folder");
    case Folder::DirectoryIsPipe:
        return m_root.filePath(role + "/pipe");
    case Folder::DirectoryLeadsNowhere:
        return m_root.filePath(role + "/nowhere");
    }
    return {};
}

void TestLibraryLocation::order_data()
{
    QTest::addColumn<Folder>("command");
    QTest::addColumn<Folder>("environment");
    QTest::addColumn<Folder>("program");
    QTest::addColumn<Folder>("user");
    QTest::addColumn<LibrarySource>("source"); // the role whose folder is chosen
    QTest::addColumn<QString>("error");        // empty when the choice succeeds

    using enum Folder;
    using enum LibrarySource;
    QTest::addRow("command line first") << Full << Full << Full << Full << CommandLine << "";
    QTest::addRow("command line folder missing")
        << Missing << Full << Full << Full << CommandLine << "named by --library does not exist";
    QTest::addRow("command line folder without directory")
        << Bare << Full << Full << Full << CommandLine << "named by --library holds no airport directory";
    QTest::addRow("environment next") << None << Full << Full << Full << Environment << "";
    QTest::addRow("environment folder missing")
        << None << Missing << Full << Full << Environment << "named by VARNELOX_LIBRARY does not exist";
    QTest::addRow("environment folder without directory")
        << None << Bare << Full << Full << Environment
        << "named by VARNELOX_LIBRARY holds no airport directory";
    QTest::addRow("command line: airports.txt a folder")
        << DirectoryIsFolder << Full << Full << Full << CommandLine
        << "named by --library cannot be read (it is a folder, not a file)";
    QTest::addRow("environment: airports.txt a pipe")
        << None << DirectoryIsPipe << Full << Full << Environment
        << "named by VARNELOX_LIBRARY cannot be read (it is not a regular file";
    QTest::addRow("command line: airports.txt a link to nothing")
        << DirectoryLeadsNowhere << Full << Full << Full << CommandLine
        << "named by --library cannot be read (";
    QTest::addRow("portable program folder") << None << None << Full << Full << ProgramFolder << "";
    QTest::addRow("program folder without directory") << None << None << Bare << Full << UserDataFolder << "";
    // Anything named airports.txt makes the folder the library; the lookup says what is wrong with it.
    QTest::addRow("program folder, airports.txt a folder")
        << None << None << DirectoryIsFolder << Full << ProgramFolder << "";
    QTest::addRow("program folder, airports.txt a pipe")
        << None << None << DirectoryIsPipe << Full << ProgramFolder << "";
    QTest::addRow("program folder, airports.txt a link to nothing")
        << None << None << DirectoryLeadsNowhere << Full << ProgramFolder << "";
    QTest::addRow("user's data folder") << None << None << Missing << Full << UserDataFolder << "";
    QTest::addRow("user's data folder, airports.txt a folder")
        << None << None << Bare << DirectoryIsFolder << UserDataFolder << "";
    QTest::addRow("installed sample library") << None << None << Bare << Bare << Installed << "";
    QTest::addRow("no user's data folder") << None << None << Bare << Missing << Installed << "";
}

void TestLibraryLocation::order()
{
    QFETCH(Folder, command);
    QFETCH(Folder, environment);
    QFETCH(Folder, program);
    QFETCH(Folder, user);
    QFETCH(LibrarySource, source);
    QFETCH(QString, error);

    const LibraryCandidates candidates{folder(command, "command"), folder(environment, "environment"),
                                       folder(program, "program"), folder(user, "user"),
                                       folder(Folder::Full, "installed")};
    const LibraryLocation location = locateLibrary(candidates);

    QCOMPARE(location.source, source);
    QCOMPARE(location.ok, error.isEmpty());
    const QList<QString> chosen{candidates.commandLine, candidates.environment, candidates.programFolder,
                                candidates.userDataFolder, candidates.installedFolder};
    QCOMPARE(location.folder, chosen[int(source)]);
    if (!error.isEmpty()) {
        QVERIFY2(location.error.contains(error), qPrintable(location.error));
        QVERIFY2(location.error.contains(QDir::toNativeSeparators(location.folder)),
                 qPrintable(location.error));
    }
}

void TestLibraryLocation::relativeFolderIsTakenFromTheWorkingFolder()
{
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_root.filePath("command")));
    const LibraryLocation location = locateLibrary({"./full/../full/", {}, {}, {}, {}});
    QDir::setCurrent(before);

    QVERIFY2(location.ok, qPrintable(location.error));
    QCOMPARE(location.folder, m_root.filePath("command/full"));
}

QTEST_GUILESS_MAIN(TestLibraryLocation)
#include "tst_librarylocation.moc"
