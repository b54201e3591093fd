// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"
#include "NavDataFixture.h"

#include "ImportSummary.h"
#include "NavDataImport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace import;

namespace {

// The library before the import: records with and without localizers in the navigation data, one in
// Windows-1252, one not in the directory's usual form, hand-written notes, and a last record with LF line
// ends and no empty line after it.
const QByteArray kBoston("01KBOS|US|BOSTON LOGAN|W 071 00 19|N 42 21 51|20 FT|BOSTON\r\n"
                         "04L/22R|ASP|2397 M|46 M||||||||\r\n"
                         "04R/22L|ASP|3073 M|46 M|109.99|999||||||\r\n"
                         "09/27|ASP|2134 M|46 M||||||||\r\n"
                         "14/32|ASPH-G|1524 M|30 M||||||||\r\n"
                         "15R/33L|ASP|3073 M|46 M||||||||\r\n"
                         "|ASP|100 M|||||||||\r\n"
                         "\r\n");
const QByteArray kParis("01LFPG|FR|A\xc9ROPORT CDG|E 002 32 52|N 49 00 35|392 FT|PARIS\r\n"
                        "08L/26R|B\xc9TON|4215 M|45 M||||||||\r\n"
                        "\r\n");
const QByteArray kFrankfurt("01EDDF|DE|FRANKFURT|E 008 34 14|N 50 02 00|364 FT|FRANKFURT|\r\n"
                            "07C/25C|CON|4000 M|60 M||||||||\r\n"
                            "\r\n");
const QByteArray kNotes("NOTES WRITTEN BY HAND\n\n");
const QByteArray kRome("01LIRF|IT|ROMA FIUMICINO|E 012 14 20|N 41 48 01|15 FT|ROME\r\n"
                       "16R|ASPH|3902 M|60 M|109.70|163||||||\r\n"
                       "\r\n");
const QByteArray kFlorence("01LIRQ|IT|FIRENZE|E 011 12 13|N 43 48 36|142 FT|FIRENZE\n"
                           "05/23|ASP|1750 M|30 M||||||||");
const QByteArray kLibrary = kBoston + kParis + kFrankfurt + kNotes + kRome + kFlorence;

// Each runway end with a localizer has its own row; courses are magnetic for 1 July 2025 (14.0 degrees west
// at Boston, 1.9 east at Paris, 3.9 east at Florence).
const QByteArray kRevised = "01KBOS|US|BOSTON LOGAN|W 071 00 19|N 42 21 51|20 FT|BOSTON\r\n"
                            "04L/22R|ASP|2397 M|46 M||||||||\r\n"
                            "04R|ASP|3073 M|46 M|110.30|035||||||\r\n"
                            "15R/33L|ASP|3073 M|46 M|110.70|147||||||\r\n"
                            "22L|ASP|3073 M|46 M|111.10|215||||||\r\n"
                            "27/09|ASP|2134 M|46 M|111.30|271||||||\r\n"
                            "32/14|ASPH-G|1524 M|30 M|108.10|360||||||\r\n"
                            "\r\n"
                            "01LFPG|FR|A\xc9ROPORT CDG|E 002 32 52|N 49 00 35|392 FT|PARIS\r\n"
                            "26R/08L|B\xc9TON|4215 M|45 M|108.50|264||||||\r\n"
                            "\r\n" +
                            kFrankfurt + kNotes + kRome +
                            "01LIRQ|IT|FIRENZE|E 011 12 13|N 43 48 36|142 FT|FIRENZE\n"
                            "05/23|ASP|1750 M|30 M|109.70|046||||||\n";

const QList<fixture::LocalizerRow> kLocalizers{{4, 42.3822, -70.9967, 11030, 21.0, "IBOS", "KBOS", "04R"},
                                               {4, 42.3500, -71.0123, 11110, 201.0, "ILQN", "KBOS", "22L"},
                                               {5, 42.3551, -71.0164, 11130, 256.5, "IDGU", "KBOS", "27"},
                                               {5, 42.3573, -70.9936, 10900, 133.0, "IXXX", "KBOS", "15R"},
                                               {4, 42.3573, -70.9936, 11070, 133.4, "IMDC", "KBOS", "15R"},
                                               {5, 42.3487, -71.0082, 10810, 345.6, "IBTS", "KBOS", "32"},
                                               {4, 42.3700, -71.0000, 10950, 10.0, "IZZZ", "KBOS", "36"},
                                               {4, 49.0050, 2.6000, 10850, 266.0, "IPG", "LFPG", "26R"},
                                               {4, 50.0300, 8.5400, 11010, 249.0, "IFC", "EDDF", "25C"},
                                               {4, 43.8100, 11.2000, 10970, 50.0, "IFL", "LIRQ", "05"},
                                               {4, 10.0000, 10.0000, 11100, 90.0, "IZZ", "ZZZZ", "09"}};

} // namespace

// The navdata command on a library written by the test, with navigation data written by the test.
class TestNavDataImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void givesEachRunwayEndItsOwnIls_data();
    void givesEachRunwayEndItsOwnIls();
    void badInputWritesNothing_data();
    void badInputWritesNothing();
    void needsTheDirectoryAndTheModel();

private:
    Status runImport(const QString &navData);
    QString library() const { return m_folder.filePath(QStringLiteral("library")); }
    QString directory() const { return library() + QStringLiteral("/airports.txt"); }

    QTemporaryDir m_folder;
    QString m_magneticFolder;
    ImportSummary m_summary;
};

void TestNavDataImport::init()
{
    m_magneticFolder = qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/magnetic");
    QVERIFY(QDir(library()).removeRecursively());
    QVERIFY(QDir().mkpath(library()));
    fixture::writeFile(directory(), kLibrary);
    m_summary = {};
}

Status TestNavDataImport::runImport(const QString &navData)
{
    return importNavData({{navData, m_magneticFolder, QDate(2025, 7, 1)}, library()}, m_summary);
}

void TestNavDataImport::givesEachRunwayEndItsOwnIls_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("fileName");

    QTest::addRow("version 810, plain") << 810 << "nav.dat";
    QTest::addRow("version 1100, gzip") << 1100 << "earth_nav.dat.gz";
    QTest::addRow("version 1200, gzip") << 1200 << "earth_nav.dat.gz";
}

void TestNavDataImport::givesEachRunwayEndItsOwnIls()
{
    QFETCH(int, version);
    QFETCH(QString, fileName);

    const QString navData = m_folder.filePath(fileName);
    const QByteArray text = fixture::navData(version, kLocalizers);
    fixture::writeFile(navData, fileName.endsWith(u".gz") ? fixture::gzipped(text) : text);
    const Status status = runImport(navData);
    QVERIFY2(status.ok, qPrintable(status.message));
    QCOMPARE(fixture::readFile(directory()), kRevised);
    QCOMPARE(fixture::readFile(directory() + QStringLiteral(".bak")), kLibrary);

    QCOMPARE(m_summary.counted(QStringLiteral("records given localizers")), 3);
    QCOMPARE(m_summary.counted(QStringLiteral("records kept as they were")), 3);
    QCOMPARE(m_summary.counted(QStringLiteral("runway rows with ILS frequency and course")), 7);
    QCOMPARE(m_summary.counted(QStringLiteral("airports with a localizer from ") + fileName), 3);
    QCOMPARE(m_summary.counted(QStringLiteral("runway ends with a localizer from ") + fileName), 7);
    QCOMPARE(m_summary.skipped(QStringLiteral("airports of the navigation data not in the library")), 1);
    QCOMPARE(m_summary.skipped(QStringLiteral(
                 "localizers for a runway end that has one already (the ILS kept, else the first)")),
             1);
    QCOMPARE(m_summary.skipped(QStringLiteral("runways with neither end named")), 1);
    QCOMPARE(m_summary.problems(),
             QStringList(
                 {QStringLiteral("EDDF: record left as it was: not a header line of 7 fields and runway "
                                 "lines of 12 without commas or quotes"),
                  QStringLiteral("KBOS 36: no such runway end in the library for localizer IZZZ 109.50 (%1, "
                                 "line 11)")
                      .arg(fileName)}));

    // A second import finds every row as it is.
    m_summary = {};
    QVERIFY(runImport(navData).ok);
    QCOMPARE(fixture::readFile(directory()), kRevised);
}

void TestNavDataImport::badInputWritesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message"); // after the file's path

    const QByteArray rows = fixture::navDataRows(810, kLocalizers);
    const QByteArray header("I\n810 Version - test\n");
    const QByteArray whole = fixture::navData(810, kLocalizers);
    QTest::addRow("cut short") << header + rows.left(rows.lastIndexOf("4  "))
                               << ": cut short: it ends at line 13 "
                                  "without the closing line \"99\"";
    QTest::addRow("gzip cut short") << fixture::gzipped(whole).chopped(40)
                                    << ": cut short: the gzip data ends before its end";
    QTest::addRow("last row cut")
        << header + rows.left(rows.lastIndexOf(" IZZ ")) + "\n99\n"
        << ", line 14: a localizer row of version 810 has 10 fields or more, this one 7";
    QTest::addRow("old version")
        << "I\n740 Version - old\n" + rows + "99\n"
        << ", line 2: version 740 of the navigation data is not supported (810 and 1100 "
           "or later are)";
    QTest::addRow("not navigation data")
        << QByteArray("\"id\",\"ident\"\n1,\"KBOS\"\n")
        << ": not X-Plane navigation data (line 1 is not \"I\", \"A\" or blank, or line 2 names no version)";
    QTest::addRow("frequency not a number")
        << header + "4  42.38 -70.99 18 11O30 18 19.682 IBOS KBOS 04R ILS-cat-I\n99\n"
        << ", line 3, column 5 (frequency): \"11O30\" is not a number";
    QTest::addRow("bearing not a number in version 1100")
        << QByteArray("I\n1100 Version\n4  42.38 -70.99 18 11030 18 1,5 IBOS KBOS K6 04R ILS-cat-I\n99\n")
        << ", line 3, column 7 (bearing): \"1,5\" is not a number";
    QTest::addRow("latitude out of range")
        << header + "4  91.5 -70.99 18 11030 18 19.682 IBOS KBOS 04R ILS-cat-I\n99\n"
        << ", line 3, column 2 (latitude): 91.5 lies outside -90 to 90";
    QTest::addRow("row code not a number") << header + "X  42.38 -70.99\n99\n"
                                           << ", line 3, column 1 (row code): \"X\" is not a number";
}

void TestNavDataImport::badInputWritesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    const QString navData = m_folder.filePath(QStringLiteral("nav.dat"));
    fixture::writeFile(navData, bytes);
    const Status status = runImport(navData);
    QVERIFY(!status.ok);
    QCOMPARE(status.message, navData + message);
    QCOMPARE(fixture::readFile(directory()), kLibrary);
    QVERIFY(!QFileInfo::exists(directory() + QStringLiteral(".bak")));
}

void TestNavDataImport::needsTheDirectoryAndTheModel()
{
    const QString navData = m_folder.filePath(QStringLiteral("nav.dat"));
    fixture::writeFile(navData, fixture::navData(810, kLocalizers));
    QVERIFY(QFile::remove(directory()));
    Status status = runImport(navData);
    QCOMPARE(status.message,
             directory() + QStringLiteral(": no such file: import airports first (varnelox-import "
                                          "ourairports), or name the library with --library"));
    QVERIFY(!QFileInfo::exists(directory()));

    fixture::writeFile(directory(), kLibrary);
    m_magneticFolder = m_folder.filePath(QStringLiteral("no-model"));
    status = runImport(navData);
    QCOMPARE(status.message,
             m_magneticFolder + QStringLiteral("/wmm2025.wmm: the magnetic model is missing (it is "
                                               "installed with varnelox-import)"));
    QCOMPARE(fixture::readFile(directory()), kLibrary);
}

QTEST_GUILESS_MAIN(TestNavDataImport)
#include "tst_navdataimport.moc"
