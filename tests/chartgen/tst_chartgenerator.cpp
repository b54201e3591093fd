// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryWriter.h"

#include <QDir>
#include <QFile>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

using namespace chartgen;

namespace {

// Three airports in the directory file's form: CR LF, empty fields for missing values, a Windows-1252
// accent, a record that is not an airport's.
QByteArray sampleDirectory()
{
    return QByteArray("01LIRF|IT|ROMA FIUMICINO|E 012 14 20|N 41 48 01|15 FT|ROME\r\n"
                      "16L|ASPH|3900 M|60 M|110.30|163||||||\r\n"
                      "34R|ASPH|3900 M|60 M||||||||\r\n"
                      "07|ASPH|3307 M|45 M||||||||\r\n"
                      "\r\n"
                      "NOTES\r\n"
                      "\r\n"
                      "02LICC|IT|CATANIA FONTANAROSSA|E 015 03 58|N 37 28 01|39 FT|CATANIA\r\n"
                      "08|ASPH|2436 M|45 M|109.90|078||||||\r\n"
                      "\r\n"
                      "03LFPG|FR|A\xc9ROPORT SANS PISTE|E 002 32 52|N 49 00 35|392 FT|PARIS\r\n");
}

QStringList chartFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class ChartGeneratorTest : public QObject {
    Q_OBJECT

private slots:
    void takesTheAirportsOfTheDirectory();
    void writesSevenReadableChartsPerAirport();
    void honoursOmissionsAndLowerCase();
    void reportsAnUnwritableFolder();
};

void ChartGeneratorTest::takesTheAirportsOfTheDirectory()
{
    const QList<AirportRecord> airports = airportsOf(sampleDirectory());
    QCOMPARE(airports.size(), 3);
    QCOMPARE(airports[0].code(), QStringLiteral("LIRF"));
    QCOMPARE(airports[1].code(), QStringLiteral("LICC"));
    QCOMPARE(airports[2].name(), QStringLiteral("A\u00c9ROPORT SANS PISTE"));
    QVERIFY(airports[2].runways().isEmpty()); // last record, no empty line after it
}

void ChartGeneratorTest::writesSevenReadableChartsPerAirport()
{
    QTemporaryDir program;
    QVERIFY(program.isValid());
    const LibraryResult result = writeChartLibrary(airportsOf(sampleDirectory()), program.path(), {});
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
    const auto airports = airportsOf(sampleDirectory());
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
    const LibraryResult result = writeChartLibrary(airportsOf(sampleDirectory()), program.path(), {});
    QVERIFY(!result.ok);
    QVERIFY(result.message.contains(QStringLiteral("Airports")));
    QCOMPARE(result.files, 0);
}

QTEST_MAIN(ChartGeneratorTest)
#include "tst_chartgenerator.moc"
