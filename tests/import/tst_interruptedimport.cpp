// SPDX-License-Identifier: GPL-3.0-or-later
// A chart import stopped at any moment, killed or by a full disk, leaves every airport's charts all old or
// all new, each airport with its record; the same import run again completes it. Runs the real tool.

#include "FixtureFiles.h"

#include "DirectoryRecords.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <map>

namespace {

constexpr int kOldAirports = 60;
constexpr int kNewAirports = 72; // the new cycle brings 12 airports more

// The chart files of each airport folder: code, then file name, then bytes.
using ChartTree = std::map<QString, std::map<QString, QByteArray>>;

QString codeOf(int index)
{
    return QStringLiteral("K%1").arg(index, 3, 10, QLatin1Char('0'));
}

QByteArray metafile(int airports)
{
    QByteArray xml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<digital_tpp><state_code ID=\"XX\">"
                   "<city_name ID=\"TOWN\">\n");
    for (int index = 0; index < airports; ++index) {
        xml += "<airport_name ID=\"FIELD " + QByteArray::number(index) + "\" icao_ident=\"" +
               codeOf(index).toLatin1() + "\">\n";
        for (const char *record : {"<chart_code>MIN</chart_code><chart_name>MINIMUMS</chart_name>"
                                   "<pdf_name>A.PDF</pdf_name>",
                                   "<chart_code>APD</chart_code><chart_name>DIAGRAM</chart_name>"
                                   "<pdf_name>B.PDF</pdf_name>",
                                   "<chart_code>IAP</chart_code><chart_name>ILS RWY 1</chart_name>"
                                   "<pdf_name>C.PDF</pdf_name>"})
            xml += QByteArray("<record><chartseq>1</chartseq>") + record + "</record>\n";
        xml += "</airport_name>\n";
    }
    return xml + "</city_name></state_code></digital_tpp>\n";
}

void writeCharts(const QString &folder, const QString &cycle, int pages)
{
    QDir().mkpath(folder);
    for (const char *name : {"A.PDF", "B.PDF", "C.PDF"}) {
        QPdfWriter writer(QDir(folder).filePath(QString::fromLatin1(name)));
        QPainter painter(&writer);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                writer.newPage();
            for (int line = 0; line < 40; ++line)
                painter.drawText(
                    QPointF(100, 200 + line * 200),
                    QStringLiteral("%1 %2 page %3 line %4").arg(cycle, name).arg(page).arg(line));
        }
    }
}

ChartTree chartTree(const QString &library)
{
    ChartTree tree;
    const QDir charts(library + QStringLiteral("/Airports"));
    for (const QString &code : charts.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::map<QString, QByteArray> &files = tree[code];
        for (const QString &name : QDir(charts.filePath(code)).entryList(QDir::Files))
            files[name] = fixture::readFile(charts.filePath(code + u'/' + name));
    }
    return tree;
}

QSet<QString> recordCodes(const QString &library)
{
    QSet<QString> codes;
    for (const airportdata::StoredRecord &stored :
         airportdata::readAllRecords(fixture::readFile(library + QStringLiteral("/airports.txt"))))
        codes.insert(stored.record.code());
    return codes;
}

// What an interrupted import may have left behind it besides the library.
QStringList leftovers(const QString &library)
{
    QStringList found;
    QDirIterator entries(library, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString name = QFileInfo(entries.next()).fileName();
        if (name.startsWith(u'.'))
            found.append(entries.filePath());
    }
    return found;
}

qint64 blocksOf(const QString &library)
{
    qint64 bytes = 0;
    QDirIterator files(library, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext())
        bytes += (QFileInfo(files.next()).size() + 4095) / 4096 * 4096;
    return bytes;
}

bool copyTree(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    return QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-a"), from, to}) == 0;
}

// A small file system of its own, mounted for the test's life; needs root.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString &folder)
        : m_folder(folder)
    {}
    ~SmallFileSystem()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_folder});
    }

    bool mount(qint64 bytes)
    {
        m_mounted =
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), m_folder}) == 0;
        return m_mounted;
    }
    bool resize(qint64 bytes)
    {
        return QProcess::execute(
                   QStringLiteral("mount"),
                   {QStringLiteral("-o"), QStringLiteral("remount,size=%1").arg(bytes), m_folder}) == 0;
    }

private:
    QString m_folder;
    bool m_mounted = false;
};

struct Run {
    int exitCode = -1;
    QString err;
};

} // namespace

class TestInterruptedImport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void killedAtAnyMomentLeavesWholeAirports();
    void fullDiskLeavesWholeAirportsAndSaysSo();

private:
    QStringList newCycle(const QString &library) const;
    Run run(const QStringList &arguments) const;
    void verifyWholeAirports(const QString &library) const;
    void verifyCompleted(const QString &library) const;

    QTemporaryDir m_folder;
    QString m_program;
    QString m_oldLibrary; // the old cycle imported
    QString m_newLibrary; // the new cycle imported over the old one, uninterrupted
    ChartTree m_oldCharts;
    ChartTree m_newCharts;
};

void TestInterruptedImport::initTestCase()
{
    m_program = qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/varnelox-import");
    QVERIFY(QFileInfo(m_program).isExecutable());
    for (const auto &[cycle, airports, pages] :
         {std::tuple{"old", kOldAirports, 1}, std::tuple{"new", kNewAirports, 4}}) {
        const QString name = QString::fromLatin1(cycle);
        writeCharts(m_folder.filePath(name + QStringLiteral("-charts")), name, pages);
        fixture::writeFile(m_folder.filePath(name + QStringLiteral(".xml")), metafile(airports));
    }
    m_oldLibrary = m_folder.filePath(QStringLiteral("old-library"));
    m_newLibrary = m_folder.filePath(QStringLiteral("new-library"));
    QCOMPARE(run({QStringLiteral("faa-dtpp"), m_folder.filePath(QStringLiteral("old.xml")),
                  m_folder.filePath(QStringLiteral("old-charts")), QStringLiteral("--library"), m_oldLibrary})
                 .exitCode,
             0);
    QVERIFY(copyTree(m_oldLibrary, m_newLibrary));
    QCOMPARE(run(newCycle(m_newLibrary)).exitCode, 0);
    m_oldCharts = chartTree(m_oldLibrary);
    m_newCharts = chartTree(m_newLibrary);
    QCOMPARE(m_oldCharts.size(), std::size_t(kOldAirports));
    QCOMPARE(m_newCharts.size(), std::size_t(kNewAirports));
}

QStringList TestInterruptedImport::newCycle(const QString &library) const
{
    return {QStringLiteral("faa-dtpp"), m_folder.filePath(QStringLiteral("new.xml")),
            m_folder.filePath(QStringLiteral("new-charts")), QStringLiteral("--library"), library};
}

Run TestInterruptedImport::run(const QStringList &arguments) const
{
    QProcess process;
    process.start(m_program, arguments);
    if (!process.waitForFinished(120000))
        qFatal("varnelox-import did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

// Every airport's chart folder is the old one or the new one, whole, and has its record.
void TestInterruptedImport::verifyWholeAirports(const QString &library) const
{
    const QSet<QString> records = recordCodes(library);
    for (const auto &[code, files] : chartTree(library)) {
        const auto old = m_oldCharts.find(code);
        QVERIFY2(files == m_newCharts.at(code) || (old != m_oldCharts.end() && files == old->second),
                 qPrintable(code + QStringLiteral(": old and new charts mixed")));
        QVERIFY2(records.contains(code), qPrintable(code + QStringLiteral(": charts without a record")));
    }
}

// The library is the one the uninterrupted import made, with nothing left over.
void TestInterruptedImport::verifyCompleted(const QString &library) const
{
    QVERIFY(chartTree(library) == m_newCharts);
    QCOMPARE(fixture::readFile(library + QStringLiteral("/airports.txt")),
             fixture::readFile(m_newLibrary + QStringLiteral("/airports.txt")));
    QCOMPARE(leftovers(library), QStringList());
}

void TestInterruptedImport::killedAtAnyMomentLeavesWholeAirports()
{
    const QString library = m_folder.filePath(QStringLiteral("killed"));
    QVERIFY(copyTree(m_oldLibrary, library));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(run(newCycle(library)).exitCode, 0);
    const qint64 fullRunMs = clock.elapsed();

    int untouched = 0, completed = 0;
    const QList<int> percents{0, 30, 50, 65, 80, 95};
    for (int percent : percents) {
        QVERIFY(copyTree(m_oldLibrary, library));
        QProcess process;
        process.start(m_program, newCycle(library));
        QVERIFY(process.waitForStarted());
        QThread::msleep(fullRunMs * percent / 100);
        process.kill();
        process.waitForFinished();
        verifyWholeAirports(library);
        if (QTest::currentTestFailed())
            return;
        untouched += chartTree(library) == m_oldCharts;
        completed += chartTree(library) == m_newCharts;

        // The lock of the killed import is taken over; the same import completes the library.
        const Run again = run(newCycle(library));
        QVERIFY2(again.exitCode == 0, qPrintable(again.err));
        verifyCompleted(library);
        if (QTest::currentTestFailed())
            return;
    }
    qInfo(
        "a full run took %lld ms; of %lld kills %d left the old charts, %d the new ones, the others a mix of "
        "whole airports",
        fullRunMs, percents.size(), untouched, completed);
}

void TestInterruptedImport::fullDiskLeavesWholeAirportsAndSaysSo()
{
    const QTemporaryDir mountPoint;
    SmallFileSystem disk(mountPoint.path());
    const qint64 oldBlocks = blocksOf(m_oldLibrary);
    if (!disk.mount(oldBlocks + (blocksOf(m_newLibrary) - oldBlocks) / 2))
        QSKIP("a small file system for the full disk cannot be mounted here (it needs root)");
    const QString library = mountPoint.filePath(QStringLiteral("library"));
    QVERIFY(copyTree(m_oldLibrary, library));

    const Run full = run(newCycle(library));
    QCOMPARE(full.exitCode, 1);
    QVERIFY2(full.err.contains(QStringLiteral(": the disk is full\n")), qPrintable(full.err));
    QVERIFY2(full.err.contains(QStringLiteral("run the same import again to complete it")),
             qPrintable(full.err));
    verifyWholeAirports(library);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(leftovers(library), QStringList());

    // The directory of a full disk stays as it was; one page is left, for the lock file.
    const QByteArray directory = fixture::readFile(library + QStringLiteral("/airports.txt"));
    const QString room = mountPoint.filePath(QStringLiteral("room"));
    fixture::writeFile(room, QByteArray(4096, 'x'));
    QFile filler(mountPoint.filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) {
    }
    filler.close();
    QVERIFY(QFile::remove(room));
    const QString csv = m_folder.filePath(QStringLiteral("one.csv"));
    fixture::writeFile(
        csv, "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\","
             "\"iso_country\",\"municipality\",\"gps_code\"\n1,\"KAAA\",\"small_airport\",\"X\",1,1,1,"
             "\"US\",\"T\",\"\"\n");
    const QString runways = m_folder.filePath(QStringLiteral("runways.csv"));
    fixture::writeFile(runways,
                       "\"airport_ref\",\"length_ft\",\"width_ft\",\"surface\",\"closed\",\"le_ident\","
                       "\"he_ident\"\n");
    const Run noRoom =
        run({QStringLiteral("ourairports"), csv, runways, QStringLiteral("--library"), library});
    QCOMPARE(noRoom.exitCode, 1);
    QVERIFY2(noRoom.err.endsWith(QStringLiteral(": cannot be written: the disk is full\n")),
             qPrintable(noRoom.err));
    QCOMPARE(fixture::readFile(library + QStringLiteral("/airports.txt")), directory);
    QVERIFY(filler.remove());

    // With room again, the same import completes the library.
    QVERIFY(disk.resize(64 << 20));
    const Run again = run(newCycle(library));
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    verifyCompleted(library);
}

QTEST_MAIN(TestInterruptedImport)
#include "tst_interruptedimport.moc"
