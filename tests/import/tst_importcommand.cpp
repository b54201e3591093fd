#include "FixtureFiles.h"
#include "NavDataFixture.h"
#include "OurAirportsFixture.h"

#include "AirportDirectory.h"
#include "DirectoryRecords.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// airports.csv rows of count airports with four-letter codes, one runway each.
std::pair<QByteArray, QByteArray> largeSources(int count)
{
    QByteArray airports = fixture::kAirportsHeader;
    QByteArray runways = fixture::kRunwaysHeader;
    for (int id = 1; id <= count; ++id) {
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
};

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
    void killedImportLeavesACompleteDirectory();

private:
    Run run(const QStringList &arguments, const QProcessEnvironment &environment = {});
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

Run TestImportCommand::run(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment.isEmpty() ? this->environment() : environment);
    process.start(m_program, arguments);
    if (!process.waitForFinished(120000))
        qFatal("varnelox-import did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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

QTEST_GUILESS_MAIN(TestImportCommand)
#include "tst_importcommand.moc"
