// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "NavDataFixture.h"
#include "OurAirportsFixture.h"

#include "AirportDirectory.h"
#include "DirectoryRecords.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

namespace {

// airports.csv rows of count airports with four-letter codes, one runway each, ids from first on.
std::pair<QByteArray, QByteArray> largeSources(int count, int first = 1)
{
    QByteArray airports = fixture::kAirportsHeader;
    QByteArray runways = fixture::kRunwaysHeader;
    for (int id = first; id < first + count; ++id) {
        QByteArray code(4, 'A');
        for (int i = 3, n = id; i >= 0; --i, n /= 26)
            code[i] = char('A' + n % 26);
        const QByteArray number = QByteArray::number(id);
        airports += number + ",\"" + code + "\",\"small_airport\",\"Field " + number +
                    ", somewhere\",45.5,9.25,300,\"EU\",\"IT\",\"IT-25\",\"Town\",\"no\",,,,,,,\n";
        runways += number + ',' + number + ",\"" + code + "\",3000,60,\"ASP\",1,0,\"09\",,,,,,\"27\",,,,,\n";
    }
    return {airports, runways};
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
    qint64 elapsedMs = 0;
};

QSet<QString> codesIn(const QString &directory)
{
    QSet<QString> codes;
    for (const airportdata::StoredRecord &stored : airportdata::readAllRecords(fixture::readFile(directory)))
        codes.insert(stored.record.code());
    return codes;
}

} // namespace

// The real program, as a user runs it.
class TestImportCommand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void showsVersionAndHelp();
    void refusesWrongUse_data();
    void refusesWrongUse();
    void choosesTheLibrary_data();
    void choosesTheLibrary();
    void navDataWithTheInstalledMagneticModel();
    void badInputFailsAndWritesNothing();
    void inputsThatAreNoFilesAreRefusedAtOnce_data();
    void inputsThatAreNoFilesAreRefusedAtOnce();
    void killedImportLeavesACompleteDirectory();
    void anotherImportWaitsThenNamesTheOneRunning();
    void importsStartedTogetherLoseNothing();
    void summarySaysWhichLibraryTheProgramReads_data();
    void summarySaysWhichLibraryTheProgramReads();

private:
    Run run(const QStringList &arguments, const QProcessEnvironment &environment = {}, int timeoutMs = 120000,
            const QString &program = {});
    QProcessEnvironment environment() const;

    QString m_program;
    QTemporaryDir m_folder;
    QString m_airports;
    QString m_runways;
};

void TestImportCommand::initTestCase()
{
    m_program = qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/varnelox-import");
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    m_airports = m_folder.filePath(QStringLiteral("airports.csv"));
    m_runways = m_folder.filePath(QStringLiteral("runways.csv"));
    fixture::writeFile(m_airports, fixture::kAirports);
    fixture::writeFile(m_runways, fixture::runways());
}

QProcessEnvironment TestImportCommand::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("VARNELOX_LIBRARY"));
    environment.insert(QStringLiteral("HOME"), m_folder.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_folder.filePath(QStringLiteral("data")));
    return environment;
}

Run TestImportCommand::run(const QStringList &arguments, const QProcessEnvironment &environment,
                           int timeoutMs, const QString &program)
{
    QProcess process;
    process.setProcessEnvironment(environment.isEmpty() ? this->environment() : environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program.isEmpty() ? m_program : program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("did not finish"), clock.elapsed()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()), clock.elapsed()};
}

void TestImportCommand::showsVersionAndHelp()
{
    const Run version = run({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("varnelox-import 4.0\n"));

    const Run help = run({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    for (const char *text : {"varnelox-import ourairports AIRPORTS_CSV RUNWAYS_CSV [--ils ILS_BASE_CSV]",
                             "varnelox-import navdata NAV_DAT [--library DIR]",
                             "varnelox-import faa-dtpp METAFILE_XML PDF_FOLDER [--airport CODE]...",
                             "named with that end first (27/09)", "VARNELOX_LIBRARY",
                             "~/.local/share/varnelox", "airports.txt.bak"}) {
        QVERIFY2(help.out.contains(QString::fromUtf8(text)), text);
    }
}

void TestImportCommand::refusesWrongUse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::addRow("no command") << QStringList() << "name a command: ourairports, navdata or faa-dtpp";
    QTest::addRow("unknown command") << QStringList{"openaip", "a", "b"} << "unknown command \"openaip\"";
    QTest::addRow("one file") << QStringList{"ourairports", "a.csv"}
                              << "ourairports takes two files, 1 given";
    QTest::addRow("option of the other command")
        << QStringList{"ourairports", "a.csv", "b.csv", "--airport", "KBOS"}
        << "--airport is not an option of ourairports";
    QTest::addRow("two files for navdata")
        << QStringList{"navdata", "a.dat", "b.dat"} << "navdata takes one file, 2 given";
    QTest::addRow("--navdata for charts") << QStringList{"faa-dtpp", "m.xml", "pdfs", "--navdata", "nav.dat"}
                                          << "--navdata is not an option of faa-dtpp";
    QTest::addRow("--ils for navdata")
        << QStringList{"navdata", "nav.dat", "--ils", "ILS_BASE.csv"} << "--ils is not an option of navdata";
    QTest::addRow("unknown option") << QStringList{"faa-dtpp", "--verbose"} << "Unknown option 'verbose'.";
}

void TestImportCommand::refusesWrongUse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const Run result = run(arguments);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.err, QStringLiteral("varnelox-import: %1\nTry 'varnelox-import --help'.\n").arg(message));
    QVERIFY(result.out.isEmpty());
}

void TestImportCommand::choosesTheLibrary_data()
{
    QTest::addColumn<QString>("variable"); // VARNELOX_LIBRARY, below the test folder; empty: unset
    QTest::addColumn<QString>("option");   // --library, below the test folder; empty: none
    QTest::addColumn<QString>("written");  // where airports.txt is written, below the test folder

    QTest::addRow("user's data folder") << ""
                                        << ""
                                        << "data/varnelox";
    QTest::addRow("environment variable") << "env-library"
                                          << ""
                                          << "env-library";
    QTest::addRow("--library before the variable") << "env-library"
                                                   << "named library/sub"
                                                   << "named library/sub";
}

void TestImportCommand::choosesTheLibrary()
{
    QFETCH(QString, variable);
    QFETCH(QString, option);
    QFETCH(QString, written);

    for (const char *folder : {"data", "env-library", "named library"})
        QVERIFY(QDir(m_folder.filePath(QString::fromLatin1(folder))).removeRecursively());
    QProcessEnvironment environment = this->environment();
    if (!variable.isEmpty())
        environment.insert(QStringLiteral("VARNELOX_LIBRARY"), m_folder.filePath(variable));
    QStringList arguments{QStringLiteral("ourairports"), m_airports, m_runways};
    if (!option.isEmpty())
        arguments << QStringLiteral("--library") << m_folder.filePath(option);

    const Run result = run(arguments, environment);
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err)); // no progress line without a terminal
    const QString library = m_folder.filePath(written);
    QVERIFY2(result.out.startsWith(QStringLiteral("Library: %1\n  8 airports written\n").arg(library)),
             qPrintable(result.out));
    QVERIFY(result.out.contains(QStringLiteral("Skipped:\n")));
    QCOMPARE(airportdata::readAllRecords(fixture::readFile(library + QStringLiteral("/airports.txt"))).size(),
             8);
}

void TestImportCommand::navDataWithTheInstalledMagneticModel()
{
    const QString library = m_folder.filePath(QStringLiteral("navdata"));
    QCOMPARE(run({QStringLiteral("ourairports"), m_airports, m_runways, QStringLiteral("--library"), library})
                 .exitCode,
             0);
    const QString navData = m_folder.filePath(QStringLiteral("nav.dat.gz"));
    fixture::writeFile(navData, fixture::gzipped(fixture::navData(
                                    1100, {{4, 42.38, -70.99, 11030, 19.7, "IBOS", "KBOS", "04R"},
                                           {4, 42.35, -71.01, 11110, 199.7, "ILQN", "KBOS", "22L"}})));

    const Run result = run({QStringLiteral("navdata"), navData, QStringLiteral("--library"), library});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains(QStringLiteral("\n  2 runway ends with a localizer from nav.dat.gz\n")),
             qPrintable(result.out));
    const airportdata::LookupResult found =
        airportdata::LookUpAirport(library + QStringLiteral("/airports.txt"), QStringLiteral("KBOS"));
    const QList<airportdata::RunwayRecord> runways = found.record.runways();
    QCOMPARE(runways.size(), 5);
    QCOMPARE(runways[1].designator, QStringLiteral("04R"));
    QCOMPARE(runways[1].ilsFrequency, QStringLiteral("110.30"));
    QCOMPARE(runways[4].designator, QStringLiteral("22L"));
    QCOMPARE(runways[4].ilsFrequency, QStringLiteral("111.10"));
    // The course is magnetic, about 14 degrees west at Boston for years to come.
    QVERIFY2(runways[1].ilsCourse.toInt() >= 32 && runways[1].ilsCourse.toInt() <= 35,
             qPrintable(runways[1].ilsCourse));
}

void TestImportCommand::badInputFailsAndWritesNothing()
{
    const QString library = m_folder.filePath(QStringLiteral("untouched"));
    const QString missing = m_folder.filePath(QStringLiteral("nosuch.csv"));
    const Run result =
        run({QStringLiteral("ourairports"), m_airports, missing, QStringLiteral("--library"), library});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.err, QStringLiteral("varnelox-import: %1: no such file\n").arg(missing));
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFileInfo::exists(library));
}

void TestImportCommand::inputsThatAreNoFilesAreRefusedAtOnce_data()
{
    QTest::addColumn<QString>("airports"); // %1: a pipe, %2: the test folder
    QTest::addColumn<QString>("runways");
    QTest::addColumn<bool>("directoryIsAPipe");
    QTest::addColumn<QString>("message");

    QTest::addRow("airports.csv a pipe") << "%1"
                                         << "%2/runways.csv" << false << "%1: is a pipe, not a file";
    QTest::addRow("runways.csv a device") << "%2/airports.csv"
                                          << "/dev/zero" << false << "/dev/zero: is a device, not a file";
    QTest::addRow("the library's airports.txt a pipe")
        << "%2/airports.csv"
        << "%2/runways.csv" << true << "%2/fifo-library/airports.txt: is a pipe, not a file";
}

// A pipe would hold the import up for ever, a device fill the memory: neither is ever opened.
void TestImportCommand::inputsThatAreNoFilesAreRefusedAtOnce()
{
    QFETCH(QString, airports);
    QFETCH(QString, runways);
    QFETCH(bool, directoryIsAPipe);
    QFETCH(QString, message);

    const QString pipe = m_folder.filePath(QStringLiteral("pipe"));
    const QString library = m_folder.filePath(QStringLiteral("fifo-library"));
    QFile::remove(pipe);
    QVERIFY(QDir(library).removeRecursively() && QDir().mkpath(library));
    QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    if (directoryIsAPipe)
        QVERIFY(mkfifo(QFile::encodeName(library + QStringLiteral("/airports.txt")).constData(), 0600) == 0);
    const auto expand = [&](QString text) {
        return text.replace(QStringLiteral("%1"), pipe).replace(QStringLiteral("%2"), m_folder.path());
    };
    const Run result = run({QStringLiteral("ourairports"), expand(airports), expand(runways),
                            QStringLiteral("--library"), library},
                           {}, 20000);
    QCOMPARE(result.err, QStringLiteral("varnelox-import: %1\n").arg(expand(message)));
    QCOMPARE(result.exitCode, 1);
}

void TestImportCommand::killedImportLeavesACompleteDirectory()
{
    const auto [airports, runways] = largeSources(30000);
    const QString airportsFile = m_folder.filePath(QStringLiteral("large-airports.csv"));
    const QString runwaysFile = m_folder.filePath(QStringLiteral("large-runways.csv"));
    fixture::writeFile(airportsFile, airports);
    fixture::writeFile(runwaysFile, runways);
    const QString library = m_folder.filePath(QStringLiteral("killed"));
    const QString directory = library + QStringLiteral("/airports.txt");
    QVERIFY(QDir().mkpath(library));
    const QByteArray old("01ZZZZ|XX|KEPT|||||\r\n\r\n01AAAB|XX|REPLACED|||||\r\n\r\n");

    // Whenever the program is killed, the directory is the old one or the whole new one.
    int oldSeen = 0, newSeen = 0;
    for (int delayMs : {0, 20, 50, 100, 150, 200, 300, 400, 600, 900}) {
        fixture::writeFile(directory, old);
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(m_program, {QStringLiteral("ourairports"), airportsFile, runwaysFile,
                                  QStringLiteral("--library"), library});
        QVERIFY(process.waitForStarted());
        QThread::msleep(delayMs);
        process.kill();
        process.waitForFinished();
        const QByteArray bytes = fixture::readFile(directory);
        if (bytes == old) {
            ++oldSeen;
            continue;
        }
        ++newSeen;
        QVERIFY(bytes.startsWith("01ZZZZ|XX|KEPT|||||\r\n\r\n01AAAB|"));
        QVERIFY(bytes.endsWith("\r\n\r\n"));
        QCOMPARE(airportdata::readAllRecords(bytes).size(), 30001);
    }
    qInfo("killed with the old directory in place %d times, with the new one %d times", oldSeen, newSeen);
}

// While another import holds the library, an import waits a moment, then stops and says which one it is.
void TestImportCommand::anotherImportWaitsThenNamesTheOneRunning()
{
    const QString library = m_folder.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(library));
    const QByteArray old("01ZZZZ|XX|KEPT|||||\r\n\r\n");
    fixture::writeFile(library + QStringLiteral("/airports.txt"), old);
    QLockFile running(library + QStringLiteral("/.varnelox-import.lock"));
    QVERIFY(running.tryLock(0));

    const QStringList arguments{QStringLiteral("ourairports"), m_airports, m_runways,
                                QStringLiteral("--library"), library};
    const Run refused = run(arguments);
    QCOMPARE(refused.exitCode, 1);
    QCOMPARE(refused.err,
             QStringLiteral("varnelox-import: %1: another import is writing this library (%2, process "
                            "%3 on %4): run this one once it has ended\n")
                 .arg(library, QCoreApplication::applicationName())
                 .arg(QCoreApplication::applicationPid())
                 .arg(QSysInfo::machineHostName()));
    QVERIFY2(refused.elapsedMs >= 2500, "it did not wait");
    QCOMPARE(fixture::readFile(library + QStringLiteral("/airports.txt")), old);

    running.unlock();
    QCOMPARE(run(arguments).exitCode, 0);
    QCOMPARE(codesIn(library + QStringLiteral("/airports.txt")).size(), 9);
}

// Two imports into one library at once: each one that says it succeeded has its records in the result, and
// so has the library that was there. A large directory keeps both imports reading and writing it at once.
void TestImportCommand::importsStartedTogetherLoseNothing()
{
    const QString library = m_folder.filePath(QStringLiteral("together"));
    QVERIFY(QDir(library).removeRecursively() && QDir().mkpath(library));
    QByteArray old;
    for (int id = 300000; id < 450000; ++id) {
        QByteArray code(4, 'A');
        for (int i = 3, n = id; i >= 0; --i, n /= 26)
            code[i] = char('A' + n % 26);
        old += "01" + code + "|XX|KEPT|||||\r\n\r\n";
    }
    fixture::writeFile(library + QStringLiteral("/airports.txt"), old);
    QSet<QString> expected = codesIn(library + QStringLiteral("/airports.txt"));

    QList<QProcess *> imports;
    QList<QSet<QString>> codes;
    for (int first : {1, 200000}) {
        const auto [airports, runways] = largeSources(2000, first);
        const QString airportsFile = m_folder.filePath(QStringLiteral("together-%1-airports.csv").arg(first));
        const QString runwaysFile = m_folder.filePath(QStringLiteral("together-%1-runways.csv").arg(first));
        fixture::writeFile(airportsFile, airports);
        fixture::writeFile(runwaysFile, runways);
        const QTemporaryDir alone;
        QCOMPARE(run({QStringLiteral("ourairports"), airportsFile, runwaysFile, QStringLiteral("--library"),
                      alone.path()})
                     .exitCode,
                 0);
        codes.append(codesIn(alone.filePath(QStringLiteral("airports.txt"))));
        auto *process = new QProcess(this);
        process->setProcessEnvironment(environment());
        process->setProgram(m_program);
        process->setArguments(
            {QStringLiteral("ourairports"), airportsFile, runwaysFile, QStringLiteral("--library"), library});
        imports.append(process);
    }
    for (QProcess *process : imports)
        process->start();
    for (QProcess *process : imports)
        QVERIFY(process->waitForFinished(120000));
    const QSet<QString> written = codesIn(library + QStringLiteral("/airports.txt"));
    QVERIFY(written.contains(expected));
    int succeeded = 0;
    for (qsizetype i = 0; i < imports.size(); ++i) {
        if (imports[i]->exitCode() != 0) {
            QVERIFY(imports[i]->readAllStandardError().contains("another import is writing this library"));
            continue;
        }
        ++succeeded;
        QVERIFY2(written.contains(codes[i]), "the records of an import that succeeded are lost");
    }
    QVERIFY(succeeded >= 1);
    qDeleteAll(imports);
}

void TestImportCommand::summarySaysWhichLibraryTheProgramReads_data()
{
    QTest::addColumn<bool>("programFolderHoldsALibrary");
    QTest::addColumn<bool>("dataFolderHoldsALibrary");
    QTest::addColumn<QString>("variable"); // VARNELOX_LIBRARY below the test folder, holding a library
    QTest::addColumn<QString>("option");   // --library below the test folder
    QTest::addColumn<QString>("reads"); // the library the program reads, below the test folder; empty: ours
    QTest::addColumn<QString>("whence");

    QTest::addRow("a build: the program reads its own folder")
        << true << false << ""
        << ""
        << "bin"
        << "its own folder, which holds an airports.txt";
    QTest::addRow("installed: the program reads the data folder written") << false << false << ""
                                                                          << ""
                                                                          << ""
                                                                          << "";
    QTest::addRow("another folder named: the program reads the data folder") << false << true << ""
                                                                             << "named"
                                                                             << "data/varnelox"
                                                                             << "your data folder";
    QTest::addRow("another folder named: the program reads the sample library")
        << false << false << ""
        << "named"
        << "share/varnelox"
        << "the sample library installed with it";
    QTest::addRow("another folder named: the program reads VARNELOX_LIBRARY")
        << false << true << "env-library"
        << "named"
        << "env-library"
        << "the folder named by VARNELOX_LIBRARY";
}

// The summary names the library written, and when the program beside the import tool would read another,
// says which one and how to read the new one.
void TestImportCommand::summarySaysWhichLibraryTheProgramReads()
{
    QFETCH(bool, programFolderHoldsALibrary);
    QFETCH(bool, dataFolderHoldsALibrary);
    QFETCH(QString, variable);
    QFETCH(QString, option);
    QFETCH(QString, reads);
    QFETCH(QString, whence);

    const QTemporaryDir root;
    const auto path = [&](const QString &below) { return root.filePath(below); };
    QVERIFY(QDir().mkpath(path(QStringLiteral("bin"))));
    const QString program = path(QStringLiteral("bin/varnelox-import"));
    QVERIFY(QFile::copy(m_program, program));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(m_program)));
    const QByteArray record("01ZZZZ|XX|ELSEWHERE|||||\r\n\r\n");
    QDir().mkpath(path(QStringLiteral("share/varnelox")));
    fixture::writeFile(path(QStringLiteral("share/varnelox/airports.txt")), record);
    for (const auto &[holds, folder] : {std::pair{programFolderHoldsALibrary, QStringLiteral("bin")},
                                        std::pair{dataFolderHoldsALibrary, QStringLiteral("data/varnelox")},
                                        std::pair{!variable.isEmpty(), variable}}) {
        if (holds) {
            QVERIFY(QDir().mkpath(path(folder)));
            fixture::writeFile(path(folder + QStringLiteral("/airports.txt")), record);
        }
    }
    QProcessEnvironment environment = this->environment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
    if (!variable.isEmpty())
        environment.insert(QStringLiteral("VARNELOX_LIBRARY"), path(variable));
    QStringList arguments{QStringLiteral("ourairports"), m_airports, m_runways};
    if (!option.isEmpty())
        arguments << QStringLiteral("--library") << path(option);

    const Run result = run(arguments, environment, 120000, program);
    QCOMPARE(result.exitCode, 0);
    const QString written = path(option.isEmpty() ? QStringLiteral("data/varnelox") : option);
    QVERIFY2(result.out.startsWith(QStringLiteral("Library: %1\n").arg(written)), qPrintable(result.out));
    const QString note =
        QStringLiteral(
            "Note: the program beside this tool (%1), started without --library, reads\n  %2, %3\nand "
            "not this library. To read this one, start it with\n  varnelox --library %4\nor set "
            "VARNELOX_LIBRARY to its folder.\n")
            .arg(path(QStringLiteral("bin/varnelox")), path(reads), whence, written);
    if (reads.isEmpty())
        QVERIFY2(!result.out.contains(QStringLiteral("Note:")), qPrintable(result.out));
    else
        QVERIFY2(result.out.endsWith(note), qPrintable(result.out));
}

QTEST_GUILESS_MAIN(TestImportCommand)
#include "tst_importcommand.moc"
