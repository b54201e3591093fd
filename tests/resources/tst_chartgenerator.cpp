#include "tools/chartgen/AirportRecord.h"
#include "tools/chartgen/LibraryWriter.h"

#include <QDir>
#include <QFile>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace chartgen;

namespace {

// Two airports in the directory file's form: CR LF, "-" for missing values, a Windows-1252 accent.
QByteArray sampleDirectory()
{
    return QByteArray("01LIRF|FCO|ROMA FIUMICINO|E 012 14 20|N 41 48 01|15 FT|ITALY\r\n"
                      "16L|60 M|3900 M|ASPH|110.30|163|-|-|-|-|-|-\r\n"
                      "34R|60 M|3900 M|ASPH|-|-|-|-|-|-|-|-\r\n"
                      "07|45 M|3307 M|ASPH|-|-|-|-|-|-|-|-\r\n"
                      "\r\n"
                      "02LICC|CTA|CATANIA FONTANAROSSA|E 015 03 58|N 37 28 01|39 FT|ITALY\r\n"
                      "08|45 M|2436 M|ASPH|109.90|078|-|-|-|-|-|-\r\n"
                      "\r\n"
                      "03LFPG|CDG|A\xc9ROPORT SANS PISTE|E 002 32 52|N 49 00 35|392 FT|FRANCE\r\n");
}

QStringList chartFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class ChartGeneratorTest : public QObject {
    Q_OBJECT

private slots:
    void readsDirectoryRecords();
    void decodesNames_data();
    void decodesNames();
    void writesSevenReadableChartsPerAirport();
    void honoursOmissionsAndLowerCase();
    void reportsAnUnwritableFolder();
};

void ChartGeneratorTest::readsDirectoryRecords()
{
    const QList<AirportRecord> records = parseAirportDirectory(sampleDirectory());
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[0].code, QStringLiteral("LIRF"));
    QCOMPARE(records[0].name, QStringLiteral("ROMA FIUMICINO"));
    QCOMPARE(records[0].longitude, QStringLiteral("E 012 14 20"));
    QCOMPARE(records[0].latitude, QStringLiteral("N 41 48 01"));
    QCOMPARE(records[0].height, QStringLiteral("15 FT"));
    QCOMPARE(records[0].runways.size(), 3);
    QCOMPARE(records[0].runways[0].number, QStringLiteral("16L"));
    QCOMPARE(records[0].runways[0].width, QStringLiteral("60 M"));
    QCOMPARE(records[0].runways[0].length, QStringLiteral("3900 M"));
    QCOMPARE(records[0].runways[0].ilsFrequency, QStringLiteral("110.30"));
    QCOMPARE(records[0].runways[0].ilsCourse, QStringLiteral("163"));
    QVERIFY(records[0].runways[1].ilsFrequency.isEmpty()); // "-" reads as no ILS
    QCOMPARE(records[1].runways.size(), 1);
    QVERIFY(records[2].runways.isEmpty()); // last record, no empty line after it
}

void ChartGeneratorTest::decodesNames_data()
{
    QTest::addColumn<QByteArray>("nameBytes");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows-1252") << QByteArray("Z\xdcRICH \x80") << QStringLiteral("Z\u00dcRICH \u20ac");
    QTest::newRow("utf-8") << QByteArray("Z\xc3\x9cRICH") << QStringLiteral("Z\u00dcRICH");
    QTest::newRow("ascii") << QByteArray("ZURICH") << QStringLiteral("ZURICH");
}

void ChartGeneratorTest::decodesNames()
{
    QFETCH(QByteArray, nameBytes);
    QFETCH(QString, name);
    const auto records = parseAirportDirectory("01LSZH|ZRH|" + nameBytes + "|E|N|1416 FT|\r\n");
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].name, name);
}

void ChartGeneratorTest::writesSevenReadableChartsPerAirport()
{
    QTemporaryDir program;
    QVERIFY(program.isValid());
    const LibraryResult result =
        writeChartLibrary(parseAirportDirectory(sampleDirectory()), program.path(), {});
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.airports, 3);
    QCOMPARE(result.files, 21);

    const QStringList suffixes{"1-1.PDF", "2-1.PDF", "3-1.PDF", "4-1.PDF", "5-1.PDF", "6-1.PDF", "8-1.PDF"};
    for (const QString &code : {QStringLiteral("LIRF"), QStringLiteral("LICC"), QStringLiteral("LFPG")}) {
        const QString folder = program.filePath(QStringLiteral("Airports/") + code);
        QCOMPARE(chartFiles(folder).size(), 7);
        for (const QString &suffix : suffixes) {
            const QString path = folder + QStringLiteral("/ADP") + code.mid(2, 2) + suffix;
            QPdfDocument document;
            QCOMPARE(document.load(path), QPdfDocument::Error::None);
            QCOMPARE(document.status(), QPdfDocument::Status::Ready);
            const int minimumPages = suffix == u"4-1.PDF" || suffix == u"6-1.PDF" ? 2 : 1;
            QVERIFY2(document.pageCount() >= minimumPages, qPrintable(path));
            QVERIFY(document.pageCount() <= 3);
            const QSizeF page = document.pagePointSize(0);
            QVERIFY(qAbs(page.width() - 595.3) < 1 && qAbs(page.height() - 841.9) < 1); // A4 portrait
            const QString text = document.getAllText(0).text();
            QVERIFY2(text.contains(QStringLiteral("SAMPLE - NOT FOR NAVIGATION")), qPrintable(path));
            QVERIFY(text.contains(code));
        }
    }
}

void ChartGeneratorTest::honoursOmissionsAndLowerCase()
{
    QTemporaryDir program;
    const auto airports = parseAirportDirectory(sampleDirectory());
    // A library drawn before in upper case is replaced as a whole.
    QVERIFY(writeChartLibrary(airports, program.path(), {}).ok);
    const LibraryResult result = writeChartLibrary(
        airports, program.path(), {{QStringLiteral("LICC")}, {QStringLiteral("LIRF/3-1.PDF")}});
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.files, 20);

    const QStringList lirf = chartFiles(program.filePath(QStringLiteral("Airports/LIRF")));
    QCOMPARE(lirf.size(), 6);
    QVERIFY(!lirf.contains(QStringLiteral("ADPRF3-1.PDF")));
    QVERIFY(!QFileInfo::exists(program.filePath(QStringLiteral("Airports/LICC"))));
    QCOMPARE(chartFiles(program.filePath(QStringLiteral("Airports/licc"))),
             QStringList({"adpcc1-1.pdf", "adpcc2-1.pdf", "adpcc3-1.pdf", "adpcc4-1.pdf", "adpcc5-1.pdf",
                          "adpcc6-1.pdf", "adpcc8-1.pdf"}));
}

void ChartGeneratorTest::reportsAnUnwritableFolder()
{
    QTemporaryDir program;
    QFile blocker(program.filePath(QStringLiteral("Airports")));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the library folder belongs
    blocker.close();
    const LibraryResult result =
        writeChartLibrary(parseAirportDirectory(sampleDirectory()), program.path(), {});
    QVERIFY(!result.ok);
    QVERIFY(result.message.contains(QStringLiteral("Airports")));
    QCOMPARE(result.files, 0);
}

QTEST_MAIN(ChartGeneratorTest)
#include "tst_chartgenerator.moc"
