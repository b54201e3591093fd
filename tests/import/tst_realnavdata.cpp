// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"

#include "AirportDirectory.h"
#include "ImportSummary.h"
#include "NavDataImport.h"
#include "OurAirportsImport.h"
#include "ProgressLine.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace import;

namespace {

// Where Debian's flightgear-data-base installs the simulators' navigation data.
const QString kDebianNavData = QStringLiteral("/usr/share/games/flightgear/Navaids/nav.dat.gz");

// A folder of real data named by VARNELOX_REAL_DATA: nav.dat.gz, and OurAirports' airports.csv and
// runways.csv.
QString realFile(const QString &name)
{
    const QString folder = qEnvironmentVariable("VARNELOX_REAL_DATA");
    const QString path = folder.isEmpty() ? QString() : QDir(folder).filePath(name);
    if (QFileInfo::exists(path))
        return path;
    return name == u"nav.dat.gz" && QFileInfo::exists(kDebianNavData) ? kDebianNavData : QString();
}

// Boston Logan and London Heathrow as OurAirports has their runways.
const QByteArray kLibrary("01KBOS|US|BOSTON LOGAN|W 071 00 19|N 42 21 51|20 FT|BOSTON\r\n"
                          "04L/22R|ASP|2397 M|46 M||||||||\r\n"
                          "04R/22L|ASP|3050 M|46 M||||||||\r\n"
                          "09/27|ASP|2134 M|46 M||||||||\r\n"
                          "14/32|ASPH-G|1524 M|30 M||||||||\r\n"
                          "15L/33R|ASP|779 M|30 M||||||||\r\n"
                          "15R/33L|ASP|3073 M|46 M||||||||\r\n"
                          "\r\n"
                          "01EGLL|GB|LONDON HEATHROW|W 000 27 41|N 51 28 39|83 FT|LONDON\r\n"
                          "09L/27R|ASP|3901 M|50 M||||||||\r\n"
                          "09R/27L|ASP|3658 M|50 M||||||||\r\n"
                          "\r\n");

// The runway rows of an airport, by the end each names first.
QHash<QString, airportdata::RunwayRecord> rowsOf(const QString &directory, const QString &code)
{
    QHash<QString, airportdata::RunwayRecord> rows;
    for (const airportdata::RunwayRecord &runway :
         airportdata::LookUpAirport(directory, code).record.runways())
        rows.insert(runway.designator.section(u'/', 0, 0), runway);
    return rows;
}

} // namespace

// The real navigation data of Debian's flightgear-data-base; skipped when the file is absent.
class TestRealNavData : public QObject {
    Q_OBJECT

private slots:
    void init();
    void eachRunwayEndHasItsOwnIls();
    void wholeWorld();

private:
    NavDataSource navData() const { return {m_navData, m_magneticFolder, QDate::currentDate()}; }
    void checkBostonAndHeathrow(const QString &directory);

    QTemporaryDir m_folder;
    QString m_navData;
    QString m_magneticFolder;
};

void TestRealNavData::init()
{
    m_navData = realFile(QStringLiteral("nav.dat.gz"));
    if (m_navData.isEmpty()) {
        QSKIP(
            qPrintable(QStringLiteral("no real navigation data: install flightgear-data-base (%1) or name a "
                                      "folder holding nav.dat.gz in VARNELOX_REAL_DATA")
                           .arg(kDebianNavData)));
    }
    m_magneticFolder = qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/magnetic");
}

void TestRealNavData::checkBostonAndHeathrow(const QString &directory)
{
    const QHash<QString, airportdata::RunwayRecord> boston = rowsOf(directory, QStringLiteral("KBOS"));
    QCOMPARE(boston.value(QStringLiteral("04R")).designator, QStringLiteral("04R"));
    QCOMPARE(boston.value(QStringLiteral("04R")).ilsFrequency, QStringLiteral("110.30"));
    // The FAA's approach chart gives 035.
    const int course = boston.value(QStringLiteral("04R")).ilsCourse.toInt();
    QVERIFY2(std::abs(course - 35) <= 1, qPrintable(boston.value(QStringLiteral("04R")).ilsCourse));
    for (const char *end : {"22L", "15R", "27", "33L"}) {
        const airportdata::RunwayRecord row = boston.value(QString::fromLatin1(end));
        QVERIFY2(!row.ilsFrequency.isEmpty() && row.ilsCourse.size() == 3, end);
    }
    QCOMPARE(boston.value(QStringLiteral("22L")).designator, QStringLiteral("22L"));
    QCOMPARE(boston.value(QStringLiteral("27")).designator, QStringLiteral("27/09"));

    const QHash<QString, airportdata::RunwayRecord> heathrow = rowsOf(directory, QStringLiteral("EGLL"));
    QCOMPARE(heathrow.size(), 4);
    for (const char *end : {"09L", "09R", "27L", "27R"}) {
        const airportdata::RunwayRecord row = heathrow.value(QString::fromLatin1(end));
        QCOMPARE(row.designator, QString::fromLatin1(end));
        QVERIFY2(!row.ilsFrequency.isEmpty() && row.ilsCourse.size() == 3, end);
    }
}

void TestRealNavData::eachRunwayEndHasItsOwnIls()
{
    const QString library = m_folder.filePath(QStringLiteral("fixture"));
    QVERIFY(QDir().mkpath(library));
    fixture::writeFile(library + QStringLiteral("/airports.txt"), kLibrary);
    ImportSummary summary;
    const Status status = importNavData({navData(), library}, summary);
    QVERIFY2(status.ok, qPrintable(status.message));
    checkBostonAndHeathrow(library + QStringLiteral("/airports.txt"));
}

void TestRealNavData::wholeWorld()
{
    const QString airports = realFile(QStringLiteral("airports.csv"));
    const QString runways = realFile(QStringLiteral("runways.csv"));
    if (airports.isEmpty() || runways.isEmpty())
        QSKIP(
            "no OurAirports files: name a folder holding airports.csv and runways.csv in VARNELOX_REAL_DATA");
    const QString library = m_folder.filePath(QStringLiteral("world"));
    ImportSummary summary;
    ProgressLine progress(nullptr, false);
    const Status status = importOurAirports({airports, runways, {}, library, navData()}, summary, progress);
    QVERIFY2(status.ok, qPrintable(status.message));
    checkBostonAndHeathrow(library + QStringLiteral("/airports.txt"));
    const QString name = QFileInfo(m_navData).fileName();
    qInfo("%lld airports and %lld runway ends got a localizer from %s; %lld localizers name a runway end "
          "OurAirports does not have",
          qlonglong(summary.counted(QStringLiteral("airports with a localizer from ") + name)),
          qlonglong(summary.counted(QStringLiteral("runway ends with a localizer from ") + name)),
          qPrintable(name),
          qlonglong(summary.skipped(
              QStringLiteral("localizers for a runway end the library does not have (listed below)"))));
}

QTEST_GUILESS_MAIN(TestRealNavData)
#include "tst_realnavdata.moc"
