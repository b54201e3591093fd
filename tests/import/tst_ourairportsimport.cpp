// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "NavDataFixture.h"
#include "OurAirportsFixture.h"

#include "AirportDirectory.h"
#include "DirectoryRecords.h"
#include "ImportSummary.h"
#include "OurAirportsImport.h"
#include "ProgressLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace import;

namespace {

QString runwayLine(const QString &designator, const QString &surface, const QString &length,
                   const QString &width, const QString &frequency = {}, const QString &course = {})
{
    return QStringList{designator, surface, length, width, frequency, course}.join(u'|') +
           QStringLiteral("||||||");
}

QStringList manyRunwayLines()
{
    QStringList lines;
    for (int index = 0; index < 12; ++index) {
        const QString designator =
            QStringLiteral("%1/%2").arg(index + 1, 2, 10, QLatin1Char('0')).arg(index + 19);
        lines.append(runwayLine(designator, QStringLiteral("GRE"),
                                QString::number(std::llround((1000 + index) * 0.3048)) + QStringLiteral(" M"),
                                QStringLiteral("9 M")));
    }
    return lines;
}

} // namespace

// Imports the hand-written OurAirports files and reads the result back as the program does.
class TestOurAirportsImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void summarisesWhatWasLeftOut();
    void navDataGivesRunwayEndsTheirIls();
    void keepsOtherRecordsByteForByte();
    void failedWriteLeavesTheOldLibrary();
    void writesWhatTheProgramCanRead_data();
    void writesWhatTheProgramCanRead();
    void badInputWritesNothing_data();
    void badInputWritesNothing();

private:
    Status runImport(const QString &ils = {});
    QString library() const { return m_folder.filePath(QStringLiteral("library")); }
    QString directory() const { return library() + QStringLiteral("/airports.txt"); }

    QTemporaryDir m_folder;
    OurAirportsOptions m_options;
    ImportSummary m_summary;
};

void TestOurAirportsImport::init()
{
    QVERIFY(QDir(library()).removeRecursively());
    m_options = {m_folder.filePath(QStringLiteral("airports.csv")),
                 m_folder.filePath(QStringLiteral("runways.csv")),
                 {},
                 library(),
                 {}};
    fixture::writeFile(m_options.airportsFile, fixture::kAirports);
    fixture::writeFile(m_options.runwaysFile, fixture::runways());
    fixture::writeFile(m_folder.filePath(QStringLiteral("ILS_BASE.csv")), fixture::kIls);
    m_summary = {};
}

Status TestOurAirportsImport::runImport(const QString &ils)
{
    m_options.ilsFile = ils;
    ProgressLine progress(nullptr, false);
    return importOurAirports(m_options, m_summary, progress);
}

void TestOurAirportsImport::roundTrip_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("header"); // country, name, longitude, latitude, height, municipality
    QTest::addColumn<QStringList>("runways");

    QTest::addRow("quotes in the name, closed runway, comma in a surface")
        << "LIRF"
        << QStringList{"IT",  "Roma Fiumicino 'Leonardo da Vinci'", "E 012 14 20", "N 41 48 01", "13 FT",
                       "Rome"}
        << QStringList{runwayLine("16L/34R", "ASP", "3900 M", "60 M"),
                       runwayLine("16R/34L", "ASP; grooved", "3608 M", "60 M")};
    QTest::addRow("code from gps_code, south-west, no height, one runway end")
        << "SCMB"
        << QStringList{"CL", "Millbrook; Lake Strip", "W 071 00 30", "S 33 30 00", "", "Valle / Alto"}
        << QStringList{runwayLine("N", "GRS", "610 M", "")};
    QTest::addRow("non-Latin name, line breaks in fields")
        << "RJTT" << QStringList{"JP",          "\u6771\u4eac\u56fd\u969b\u7a7a\u6e2f",
                                 "E 139 46 48", "N 35 33 08",
                                 "35 FT",       "Tokyo \u014cta"}
        << QStringList{runwayLine("16R/34L", "ASP CON", "3000 M", "60 M")};
    QTest::addRow("shared code: the larger type wins, ILS through local_code")
        << "KXYZ" << QStringList{"US", "Bigger Field", "W 100 30 00", "N 40 30 00", "1300 FT", "Somewhere"}
        << QStringList{runwayLine("09/27", "ASP", "1524 M", "23 M", "109.10", "090")};
    QTest::addRow("shared code, same type: the lower id wins; designator kept out of the header search")
        << "EDDX" << QStringList{"DE", "First Pad", "E 008 00 00", "N 50 00 00", "300 FT", "Frankfurt"}
        << QStringList{runwayLine("H-north/h-south", "CON", "18 M", "18 M")};
    QTest::addRow("ILS per runway end, in natural order; shut-down localizer left out")
        << "KBOS" << QStringList{"US",          "General Edward Lawrence Logan International Airport",
                                 "W 071 00 19", "N 42 21 51",
                                 "20 FT",       "Boston"}
        << QStringList{runwayLine("04R", "ASP", "3073 M", "46 M", "110.30", "035"),
                       runwayLine("09/27", "ASP", "2134 M", "46 M", "108.90", "092"),
                       runwayLine("15R/33L", "ASP", "3050 M", "46 M"),
                       runwayLine("22L", "ASP", "3073 M", "46 M", "111.10", "215"),
                       runwayLine("22R/04L", "ASP", "2397 M", "46 M", "109.50", "215")};
    QTest::addRow("twelve of thirteen runways")
        << "YMAN" << QStringList{"AU", "Many Runways", "E 135 00 00", "S 20 00 00", "500 FT", ""}
        << manyRunwayLines();
    QTest::addRow("Cyrillic name, only runway closed")
        << "UUEE"
        << QStringList{"RU",          "\u0428\u0435\u0440\u0435\u043c\u0435\u0442\u044c\u0435\u0432\u043e",
                       "E 037 24 53", "N 55 58 21",
                       "622 FT",      "Moscow"}
        << QStringList{};
}

void TestOurAirportsImport::roundTrip()
{
    QFETCH(QString, code);
    QFETCH(QStringList, header);
    QFETCH(QStringList, runways);

    const Status status = runImport(m_folder.filePath(QStringLiteral("ILS_BASE.csv")));
    QVERIFY2(status.ok, qPrintable(status.message));
    const airportdata::LookupResult found = airportdata::LookUpAirport(directory(), code);
    QCOMPARE(found.status, airportdata::LookupStatus::Found);
    QCOMPARE(found.record.key(), QStringLiteral("01") + code);
    QCOMPARE(found.record.headerFields().mid(1), header);
    QStringList lines;
    for (const QStringList &line : found.record.lines())
        lines.append(line.join(u'|'));
    QCOMPARE(lines, runways);
}

void TestOurAirportsImport::summarisesWhatWasLeftOut()
{
    const Status status = runImport(m_folder.filePath(QStringLiteral("ILS_BASE.csv")));
    QVERIFY2(status.ok, qPrintable(status.message));
    QCOMPARE(airportdata::readAllRecords(fixture::readFile(directory())).size(), 8);
    QCOMPARE(m_summary.counted(QStringLiteral("airports written")), 8);
    QCOMPARE(m_summary.counted(QStringLiteral("runway rows written")), 23);
    QCOMPARE(m_summary.counted(QStringLiteral("runway rows with ILS frequency and course")), 5);
    QCOMPARE(m_summary.counted(kTextsChanged), 7);
    QCOMPARE(m_summary.skipped(QStringLiteral("airports without a four-letter code")), 2);
    QCOMPARE(m_summary.skipped(QStringLiteral("closed airports")), 1);
    QCOMPARE(m_summary.skipped(
                 QStringLiteral("airports with a code already taken (the larger, else older, kept)")),
             2);
    QCOMPARE(m_summary.skipped(QStringLiteral("closed runways")), 2);
    QCOMPARE(m_summary.skipped(QStringLiteral("runways of airports not imported")), 2);
    QCOMPARE(m_summary.skipped(QStringLiteral(
                 "runway rows beyond the twelfth of an airport (those without an ILS left out first)")),
             1);
    QVERIFY(!QFile::exists(directory() + QStringLiteral(".bak")));
    QVERIFY(fixture::readFile(directory()).endsWith("\r\n\r\n"));
}

void TestOurAirportsImport::navDataGivesRunwayEndsTheirIls()
{
    const QString navData = m_folder.filePath(QStringLiteral("nav.dat"));
    fixture::writeFile(navData, fixture::navData(810, {{4, 41.8, 12.24, 10810, 165.0, "IFR", "LIRF", "16L"},
                                                       {4, 41.8, 12.24, 11155, 345.0, "IRF", "LIRF", "34R"},
                                                       {5, 41.8, 12.24, 11030, 165.0, "IFM", "LIRF", "16R"},
                                                       {4, 41.8, 12.24, 11015, 70.0, "IFC", "LIRF", "07"},
                                                       {4, 42.36, -71.0, 10900, 20.0, "IXX", "KBOS", "04R"},
                                                       {4, 42.36, -71.0, 11070, 315.3, "ILIP", "KBOS", "33L"},
                                                       {4, 51.0, 0.0, 11000, 90.0, "IZZ", "EGZZ", "09"}}));
    m_options.navData = {navData, qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/magnetic"),
                         QDate(2025, 7, 1)};
    const Status status = runImport(m_folder.filePath(QStringLiteral("ILS_BASE.csv")));
    QVERIFY2(status.ok, qPrintable(status.message));

    const auto lines = [this](const QString &code) {
        const airportdata::LookupResult found = airportdata::LookUpAirport(directory(), code);
        QStringList lines;
        for (const QStringList &line : found.record.lines())
            lines.append(line.join(u'|'));
        return lines;
    };
    // Courses are magnetic for 1 July 2025: 3.9 degrees east at Rome, 14.0 west at Boston.
    QCOMPARE(lines(QStringLiteral("LIRF")),
             QStringList({runwayLine("16L", "ASP", "3900 M", "60 M", "108.10", "161"),
                          runwayLine("16R/34L", "ASP; grooved", "3608 M", "60 M", "110.30", "161"),
                          runwayLine("34R", "ASP", "3900 M", "60 M", "111.55", "341")}));
    // The FAA's file comes first; the navigation data fills the ends it leaves.
    QCOMPARE(lines(QStringLiteral("KBOS")),
             QStringList({runwayLine("04R", "ASP", "3073 M", "46 M", "110.30", "035"),
                          runwayLine("09/27", "ASP", "2134 M", "46 M", "108.90", "092"),
                          runwayLine("22L", "ASP", "3073 M", "46 M", "111.10", "215"),
                          runwayLine("22R/04L", "ASP", "2397 M", "46 M", "109.50", "215"),
                          runwayLine("33L/15R", "ASP", "3050 M", "46 M", "110.70", "329")}));
    QCOMPARE(m_summary.counted(QStringLiteral("runway ends with a localizer from nav.dat")), 5);
    QCOMPARE(m_summary.skipped(QStringLiteral("airports of the navigation data not imported")), 1);
    QCOMPARE(m_summary.problems(),
             QStringList{QStringLiteral("LIRF 07: no such runway end in the library for "
                                        "localizer IFC 110.15 (nav.dat, line 8)")});
}

void TestOurAirportsImport::keepsOtherRecordsByteForByte()
{
    const QByteArray replaced(
        "01LIRF|IT|OLD ROMA|E 012 14 20|N 41 48 01|15 FT|ROME\r\n16L|ASPH|3900 M||||||||||\r\n\r\n");
    const QByteArray windows1252("02LFPG|FR|A\xc9ROPORT CDG|E 002 32 52|N 49 00 35|392 FT|PARIS\r\n\r\n");
    const QByteArray notes("NOTES WRITTEN BY HAND\n\n");
    const QByteArray lastWithoutEnd("03ZZZZ|XX|LAST|||||\r\n01|ASPH|100 M||||||||||");
    const QByteArray old = replaced + windows1252 + notes + lastWithoutEnd;
    QVERIFY(QDir().mkpath(library()));
    fixture::writeFile(directory(), old);

    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));
    const QByteArray merged = fixture::readFile(directory());
    QVERIFY(merged.startsWith(windows1252 + notes + lastWithoutEnd + "\r\n\r\n01"));
    QVERIFY(!merged.contains("OLD ROMA"));
    QCOMPARE(fixture::readFile(directory() + QStringLiteral(".bak")), old);
    QCOMPARE(m_summary.counted(QStringLiteral("old records replaced (same code)")), 1);
    QCOMPARE(m_summary.counted(QStringLiteral("old records kept (other codes)")), 3);
    QCOMPARE(airportdata::LookUpAirport(directory(), QStringLiteral("LFPG")).record.name(),
             QStringLiteral("A\u00c9ROPORT CDG"));
    QCOMPARE(airportdata::LookUpAirport(directory(), QStringLiteral("ZZZZ")).record.lines().size(), 1);
    QCOMPARE(airportdata::LookUpAirport(directory(), QStringLiteral("LIRF")).record.name(),
             QStringLiteral("Roma Fiumicino 'Leonardo da Vinci'"));
}

void TestOurAirportsImport::failedWriteLeavesTheOldLibrary()
{
    // A folder where the backup goes stops the import after everything was read and built.
    const QByteArray old("01LIRF|IT|OLD ROMA|||||\r\n\r\n");
    QVERIFY(QDir().mkpath(directory() + QStringLiteral(".bak")));
    fixture::writeFile(directory(), old);

    const Status status = runImport();
    QVERIFY(!status.ok);
    QCOMPARE(status.message, directory() + QStringLiteral(".bak: is a folder, not a file"));
    QCOMPARE(fixture::readFile(directory()), old);
    QCOMPARE(QDir(library()).entryList(QDir::Files), QStringList{QStringLiteral("airports.txt")});
}

void TestOurAirportsImport::writesWhatTheProgramCanRead_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("elevation");
    QTest::addColumn<QByteArray>("length");
    QTest::addColumn<QStringList>("written"); // name, height, length
    QTest::addColumn<QString>("summaryLine");
    QTest::addColumn<int>("count");

    const QString cut = QStringLiteral("texts cut to 256 bytes (the longest field written)");
    QTest::addRow("a name longer than a directory line")
        << QByteArray(2 << 20, 'N') << QByteArray("13") << QByteArray("1000")
        << QStringList{QString(256, u'N'), "13 FT", "305 M"} << cut << 1;
    QTest::addRow("a long name is cut between characters")
        << QByteArray("\xc3\xa9").repeated(200) << QByteArray("13") << QByteArray("1000")
        << QStringList{QString(128, QChar(0xe9)), "13 FT", "305 M"} << cut << 1;
    QTest::addRow("control characters")
        << QByteArray("NUL\0TAB\tESC\x1b"
                      "DEL\x7f",
                      16)
        << QByteArray("13") << QByteArray("1000") << QStringList{"NUL TAB ESC DEL ", "13 FT", "305 M"}
        << QString(kTextsChanged) << 4;
    QTest::addRow("height beyond a 64-bit integer")
        << QByteArray("Field") << QByteArray("-99999999999999999999") << QByteArray("1000")
        << QStringList{"Field", "", "305 M"}
        << "values of airports.csv \"elevation_ft\" outside -1500 to 30000, left empty" << 1;
    QTest::addRow("height of 1e300")
        << QByteArray("Field") << QByteArray("1e300") << QByteArray("1000")
        << QStringList{"Field", "", "305 M"}
        << "values of airports.csv \"elevation_ft\" outside -1500 to 30000, left empty" << 1;
    QTest::addRow("runway length of 1e300")
        << QByteArray("Field") << QByteArray("13") << QByteArray("1e300") << QStringList{"Field", "13 FT", ""}
        << "values of runways.csv \"length_ft\" outside 0 to 60000, left empty" << 1;
    QTest::addRow("negative runway length")
        << QByteArray("Field") << QByteArray("13") << QByteArray("-5000") << QStringList{"Field", "13 FT", ""}
        << "values of runways.csv \"length_ft\" outside 0 to 60000, left empty" << 1;
}

// Whatever the input holds, the records written are ones the program reads, and so are those after them;
// every change is counted.
void TestOurAirportsImport::writesWhatTheProgramCanRead()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, elevation);
    QFETCH(QByteArray, length);
    QFETCH(QStringList, written);
    QFETCH(QString, summaryLine);
    QFETCH(int, count);

    fixture::writeFile(
        m_options.airportsFile,
        fixture::kAirportsHeader + "1,\"LIAA\",\"small_airport\",\"" + name + "\",45,9," + elevation +
            ",\"EU\",\"IT\",\"IT-25\",\"Town\",\"no\",,,,,,,\n"
            "2,\"LIAB\",\"small_airport\",\"After\",45,9,1,\"EU\",\"IT\",\"IT-25\",\"Town\",\"no\",,,,,,,\n");
    fixture::writeFile(m_options.runwaysFile, fixture::kRunwaysHeader + "1,1,\"LIAA\"," + length +
                                                  ",60,\"ASP\",1,0,\"09\",,,,,,\"27\",,,,,\n");
    const Status status = runImport();
    QVERIFY2(status.ok, qPrintable(status.message));

    const airportdata::LookupResult found = airportdata::LookUpAirport(directory(), QStringLiteral("LIAA"));
    QCOMPARE(found.status, airportdata::LookupStatus::Found);
    QCOMPARE(
        (QStringList{found.record.name(), found.record.height(), found.record.runways().value(0).length}),
        written);
    QCOMPARE(airportdata::LookUpAirport(directory(), QStringLiteral("LIAB")).status,
             airportdata::LookupStatus::Found);
    QCOMPARE(std::max(m_summary.counted(summaryLine), m_summary.skipped(summaryLine)), count);
}

void TestOurAirportsImport::badInputWritesNothing_data()
{
    QTest::addColumn<QString>("file"); // airports, runways or ils
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // after the file's path

    const QByteArray header = fixture::kAirportsHeader;
    QTest::addRow("missing column") << "airports"
                                    << QByteArray("\"id\",\"ident\",\"type\"\n1,\"LIRF\",\"x\"\n")
                                    << ", line 1: no column \"name\" in the header row";
    QTest::addRow("not a CSV file")
        << "airports" << QByteArray("%PDF-1.4 \"\x01\"\n%\xe2\xe3\n")
        << ", line 1, column 10: not CSV: a quote inside an unquoted field or text after a "
           "closing quote";
    QTest::addRow("quote never closed")
        << "airports" << header + "1,\"LIRF\",\"large_airport\",\"Roma,1,2,3\n"
        << ", line 2: not CSV: a quoted field is never closed";
    QTest::addRow("height not a number")
        << "airports" << header + "1,\"LIRF\",\"large_airport\",\"Roma\",41,12,high,,\"IT\",,,,,,,,,,\n"
        << ", line 2, column \"elevation_ft\": \"high\" is not a number";
    QTest::addRow("latitude out of range")
        << "airports" << header + "\n1,\"LIRF\",\"large_airport\",\"Roma\",91,12,1,,\"IT\",,,,,,,,,,\n"
        << ", line 3, column \"latitude_deg\": 91 lies outside -90 to 90";
    QTest::addRow("row cut short")
        << "airports" << header + "1,\"LIRF\",\"large_airport\",\"Roma\"\n"
        << ", line 2, column \"latitude_deg\": missing (the row has 4 fields, the header 19 "
           "columns)";
    QTest::addRow("name not UTF-8")
        << "airports" << header + "1,\"LFPG\",\"large_airport\",\"A\xc9roport\",49,2,392,,\"FR\",,,,,,,,,,\n"
        << ", line 2, column \"name\": not UTF-8 text";
    QTest::addRow("runway length not a number")
        << "runways"
        << fixture::kRunwaysHeader + "1,1001,\"LIRF\",\"12 795\",197,\"ASP\",1,0,\"16L\",,,,,,,,,,,\n"
        << ", line 2, column \"length_ft\": \"12 795\" is not a number";
    QTest::addRow("ILS file without frequencies")
        << "ils" << QByteArray("ARPT_ID,RWY_END_ID,APCH_BEAR\nBOS,04R,35\n")
        << ", line 1: no column \"LOC_FREQ\" in the header row";
    QTest::addRow("empty runways file") << "runways" << QByteArray() << ": empty, no header row";
}

void TestOurAirportsImport::badInputWritesNothing()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    QString ils = m_folder.filePath(QStringLiteral("ILS_BASE.csv"));
    const QString path = file == u"airports"  ? m_options.airportsFile
                         : file == u"runways" ? m_options.runwaysFile
                                              : ils;
    fixture::writeFile(path, bytes);
    const Status status = runImport(ils);
    QVERIFY(!status.ok);
    QCOMPARE(status.message, path + message);
    QVERIFY(!QFileInfo::exists(library()));
}

QTEST_GUILESS_MAIN(TestOurAirportsImport)
#include "tst_ourairportsimport.moc"
