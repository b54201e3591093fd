// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportPositions.h"
#include "NearestAirports.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace airportdata;

namespace {

QByteArray record(const char *code, const char *name, const char *longitude, const char *latitude)
{
    return QByteArray("01") + code + "|US|" + name + '|' + longitude + '|' + latitude +
           "|20 FT|TOWN\r\n04R|ASPH|3000 M|45 M|||||||\r\n\r\n";
}

// Airports around Boston, from the real ones' positions.
QByteArray bostonDirectory()
{
    return record("KBOS", "BOSTON LOGAN", "W 071 00 19", "N 42 21 47") +
           record("KOWD", "NORWOOD MEMORIAL", "W 071 10 23", "N 42 11 27") +
           record("KBED", "BEDFORD HANSCOM", "W 071 17 22", "N 42 28 11") +
           record("KBVY", "BEVERLY", "W 070 55 05", "N 42 35 03") +
           record("KPVD", "PROVIDENCE", "W 071 25 14", "N 41 43 27") +
           record("KJFK", "NEW YORK KENNEDY", "W 073 46 44", "N 40 38 23");
}

GeoPosition at(double latitude, double longitude)
{
    return *GeoPosition::fromDegrees(latitude, longitude);
}

QStringList codesOf(const QList<NearbyAirport> &airports)
{
    QStringList codes;
    for (const NearbyAirport &airport : airports)
        codes << airport.code;
    return codes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

// The airports nearest a place, from the codes and positions of a directory.
class TestNearestAirports : public QObject {
    Q_OBJECT

private slots:
    void nearestFirstWithTheWayToEach();
    void keepsOnlyRecordsItCanPlace_data();
    void keepsOnlyRecordsItCanPlace();
    void nearestAcrossTheDateLine();
    void readsNamesAndFollowsTheFile();
    void saysWhyTheDirectoryCannotBeRead();
};

void TestNearestAirports::nearestFirstWithTheWayToEach()
{
    const AirportPositions positions = AirportPositions::fromBytes(bostonDirectory());
    QCOMPARE(positions.size(), 6);

    // Over Boston harbour, 2 NM east of the airport: Logan, then Beverly, then Norwood.
    const QList<NearbyAirport> nearby = positions.nearest(at(42.3630, -70.9600), 3);
    QCOMPARE(codesOf(nearby), QStringList({"KBOS", "KBVY", "KOWD"}));
    QVERIFY(qAbs(nearby[0].course.distance.inNauticalMiles() - 2.0) < 0.1);
    QVERIFY(qAbs(nearby[0].course.bearing.inDegrees() - 270) < 5);
    QVERIFY(nearby[0].course.distance < nearby[1].course.distance);
    QVERIFY(nearby[1].course.distance < nearby[2].course.distance);
    QCOMPARE(nearby[0].position, *positions.positionOf(u"KBOS"));

    QCOMPARE(positions.nearest(at(42.36, -71.0), 50).size(), 6);
    QVERIFY(positions.nearest(at(42.36, -71.0), 0).isEmpty());
    QVERIFY(AirportPositions().nearest(at(42.36, -71.0), 10).isEmpty());
}

void TestNearestAirports::keepsOnlyRecordsItCanPlace_data()
{
    QTest::addColumn<QByteArray>("directory");
    QTest::addColumn<QStringList>("codes");

    QTest::newRow("unreadable latitude")
        << record("KBOS", "A", "W 071 00 19", "N 42 61 47") + record("KOWD", "B", "W 071 10 23", "N 42 11 27")
        << QStringList{"KOWD"};
    QTest::newRow("header too short")
        << QByteArray("01KBOS|US|BOSTON\r\n\r\n") + record("KOWD", "B", "W 071 10 23", "N 42 11 27")
        << QStringList{"KOWD"};
    QTest::newRow("code of three letters")
        << record("BOS", "A", "W 071 00 19", "N 42 21 47") << QStringList{};
    QTest::newRow("code in lower case") << record("kbos", "A", "W 071 00 19", "N 42 21 47") << QStringList{};
    QTest::newRow("code with digits")
        << record("K1B9", "A", "W 071 00 19", "N 42 21 47") << QStringList{"K1B9"};
    QTest::newRow("first of one code")
        << record("KBOS", "A", "W 071 00 19", "N 42 21 47") + record("KBOS", "B", "W 000 00 00", "N 00 00 00")
        << QStringList{"KBOS"};
    QTest::newRow("byte order mark, lines ended by LF")
        << QByteArray("\xEF\xBB\xBF") + record("KBOS", "A", "W 071 00 19", "N 42 21 47").replace("\r\n", "\n")
        << QStringList{"KBOS"};
    QTest::newRow("runway lines are no headers")
        << QByteArray(
               "01KBOS|US|A|W 071 00 19|N 42 21 47|20 FT|X\r\n01KOWD|US|B|W 071 10 23|N 42 11 27\r\n\r\n")
        << QStringList{"KBOS"};
    QTest::newRow("no empty line at the end")
        << QByteArray("01KBOS|US|A|W 071 00 19|N 42 21 47|20 FT|X") << QStringList{"KBOS"};
}

void TestNearestAirports::keepsOnlyRecordsItCanPlace()
{
    QFETCH(QByteArray, directory);
    QFETCH(QStringList, codes);
    const AirportPositions positions = AirportPositions::fromBytes(directory);
    QCOMPARE(codesOf(positions.nearest(at(42.36, -71.0), 10)), codes);
    if (codes.contains("KBOS"))
        QVERIFY(qAbs(positions.positionOf(u"KBOS")->latitude() - (42 + 21 / 60. + 47 / 3600.)) < 1e-9);
    QVERIFY(!positions.positionOf(u"ZZZZ"));
}

void TestNearestAirports::nearestAcrossTheDateLine()
{
    // Fiji's airports lie on both sides of 180°: the nearest is the one across it.
    const AirportPositions positions =
        AirportPositions::fromBytes(record("NFFN", "NADI", "E 177 26 35", "S 17 45 19") +
                                    record("NFNA", "NAUSORI", "E 178 33 33", "S 18 02 35") +
                                    record("NFTF", "TONGA", "W 175 08 58", "S 21 14 28"));
    QCOMPARE(codesOf(positions.nearest(at(-18.0, -179.9), 3)), QStringList({"NFNA", "NFFN", "NFTF"}));
}

void TestNearestAirports::readsNamesAndFollowsTheFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("airports.txt"));
    writeFile(path, bostonDirectory());
    NearestAirports nearest(path);

    const NearestAirports::Answer answer = nearest.nearest(at(42.3630, -70.9600), 2);
    QVERIFY(answer.error.isEmpty());
    QCOMPARE(codesOf(answer.airports), QStringList({"KBOS", "KBVY"}));
    QCOMPARE(answer.airports[0].name, QStringLiteral("BOSTON LOGAN"));
    QCOMPARE(answer.airports[1].name, QStringLiteral("BEVERLY"));

    // A new directory in its place (another size, another time) is read again; a name in Windows-1252 too.
    writeFile(path, record("EDDF", "FRANKFURT", "E 008 34 14", "N 50 01 59") +
                        record("KBOS", "BOSTON \xC9TAT", "W 071 00 19", "N 42 21 47"));
    const NearestAirports::Answer again = nearest.nearest(at(42.3630, -70.9600), 5);
    QCOMPARE(codesOf(again.airports), QStringList({"KBOS", "EDDF"}));
    QCOMPARE(again.airports[0].name, QStringLiteral("BOSTON ÉTAT"));
    QVERIFY(!nearest.positionOf(QStringLiteral("KOWD")));
    QVERIFY(nearest.positionOf(QStringLiteral("EDDF")));
}

void TestNearestAirports::saysWhyTheDirectoryCannotBeRead()
{
    QTemporaryDir folder;
    NearestAirports missing(folder.filePath(QStringLiteral("airports.txt")));
    const NearestAirports::Answer none = missing.nearest(at(42.36, -71.0), 10);
    QVERIFY(none.airports.isEmpty());
    QVERIFY2(none.error.contains(QLatin1String("airports.txt")), qPrintable(none.error));

    NearestAirports folderInstead(folder.path());
    QVERIFY2(folderInstead.nearest(at(42.36, -71.0), 10).error.contains(QLatin1String("folder")),
             qPrintable(folderInstead.nearest(at(42.36, -71.0), 10).error));
}

QTEST_APPLESS_MAIN(TestNearestAirports)
#include "tst_nearestairports.moc"
