// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportDirectory.h"
#include "AirportRecord.h"
#include "ChartCategory.h"
#include "DirectoryRecords.h"
#include "DirectoryText.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace airportdata;

// The typed record, writing it as the directory holds it and reading whole directories back.
class TestAirportRecord : public QObject {
    Q_OBJECT

private slots:
    void writtenRecordReadsBackTheSame();
    void namedFieldsOfRecordsNotWellFormed();
    void directorySafeText_data();
    void directorySafeText();
    void readsEveryRecordWithItsBytes();
    void keepsDesignatorsOutOfTheHeaderSearch_data();
    void keepsDesignatorsOutOfTheHeaderSearch();
    void readmeListsEveryChartCategory();
};

void TestAirportRecord::writtenRecordReadsBackTheSame()
{
    const AirportRecord record = AirportRecord::compose(
        QStringLiteral("LSZH"),
        {QStringLiteral("CH"), QStringLiteral("ZÜRICH KLOTEN"), QStringLiteral("E 008 32 57"),
         QStringLiteral("N 47 27 53"), QStringLiteral("1416 FT"), QStringLiteral("ZÜRICH")},
        {{QStringLiteral("10/28"),
          QStringLiteral("CONC"),
          QStringLiteral("2500 M"),
          QStringLiteral("60 M"),
          QStringLiteral("109.50"),
          QStringLiteral("275"),
          {}},
         {QStringLiteral("16/34"),
          QStringLiteral("CONC"),
          QStringLiteral("3700 M"),
          QStringLiteral("60 M"),
          {},
          {},
          {}}});
    QCOMPARE(record.key(), QStringLiteral("01LSZH"));
    QCOMPARE(record.headerFields().size(), 7);
    QCOMPARE(record.lines().size(), 2);
    QCOMPARE(record.lines()[0].size(), 12);
    QCOMPARE(record.fields().size(), 6 + 2 * 12);

    const QByteArray text = directoryText(record);
    QVERIFY(text.startsWith("01LSZH|CH|Z\xC3\x9CRICH KLOTEN|"));
    QVERIFY(text.endsWith("|||||\r\n\r\n"));

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("airports.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("01LIRF|IT|ROMA\r\n\r\n" + text);
    file.close();
    const LookupResult found = LookUpAirport(file.fileName(), QStringLiteral("LSZH"));
    QCOMPARE(found.status, LookupStatus::Found);
    QCOMPARE(found.record, record);
    QCOMPARE(found.record.runways()[0].ilsFrequency, QStringLiteral("109.50"));
    QCOMPARE(found.record.header().municipality, QStringLiteral("ZÜRICH"));

    const QList<StoredRecord> all = readAllRecords(text);
    QCOMPARE(all.size(), 1);
    QCOMPARE(all[0].record, record);
}

void TestAirportRecord::namedFieldsOfRecordsNotWellFormed()
{
    // A header of three fields and a runway line of two: what is missing reads as empty.
    const AirportRecord record({QStringLiteral("01ABCD"), QStringLiteral("XX"), QStringLiteral("NAME")},
                               {{QStringLiteral("09"), QStringLiteral("ASPH")}});
    QCOMPARE(record.code(), QStringLiteral("ABCD"));
    QCOMPARE(record.name(), QStringLiteral("NAME"));
    QVERIFY(record.height().isEmpty());
    QCOMPARE(record.runways().size(), 1);
    QCOMPARE(record.runways()[0].designator, QStringLiteral("09"));
    QVERIFY(record.runways()[0].length.isEmpty());
    QVERIFY(record.runways()[0].fieldsNotShown.isEmpty());
    // The fields keep their places: the runway designator follows the name directly.
    QCOMPARE(record.fields(), (QStringList{"XX", "NAME", "09", "ASPH"}));
}

void TestAirportRecord::directorySafeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("safe");
    QTest::addColumn<int>("replaced");

    QTest::newRow("plain") << "ROMA FIUMICINO"
                           << "ROMA FIUMICINO" << 0;
    QTest::newRow("comma") << "Boston, MA"
                           << "Boston; MA" << 1;
    QTest::newRow("double quotes") << "\"Red\" Field"
                                   << "'Red' Field" << 2;
    QTest::newRow("field separator") << "A|B"
                                     << "A/B" << 1;
    QTest::newRow("line breaks") << "one\r\ntwo\rthree\nfour"
                                 << "one two three four" << 3;
    QTest::newRow("non-Latin") << "東京国際空港"
                               << "東京国際空港" << 0;
    QTest::newRow("control characters") << QString::fromUtf16(u"A\0B\tC\x1b"
                                                              u"D\x7f"
                                                              u"E\x85"
                                                              u"F",
                                                              11)
                                        << "A B C D E F" << 5;
}

void TestAirportRecord::directorySafeText()
{
    QFETCH(QString, text);
    QFETCH(QString, safe);
    QFETCH(int, replaced);
    QCOMPARE(makeDirectorySafe(text), replaced);
    QCOMPARE(text, safe);
}

void TestAirportRecord::readsEveryRecordWithItsBytes()
{
    const QByteArray bytes("\xEF\xBB\xBF"
                           "01LIRF|IT|ROMA,FIUMICINO|E\r\n16L|ASPH\r\n\r\n"
                           "\r\n"
                           "02LSZH|CH|Z\xDCRICH\r\n\r\n"
                           "03LIML|IT|MILANO");
    const QList<StoredRecord> records = readAllRecords(bytes);
    QCOMPARE(records.size(), 3);

    // A comma splits the header line: what follows it is read as the record's next line.
    QCOMPARE(records[0].record.name(), QStringLiteral("ROMA"));
    QCOMPARE(records[0].record.lines(), (QList<QStringList>{{"FIUMICINO", "E"}, {"16L", "ASPH"}}));
    QCOMPARE(records[1].record.name(), QStringLiteral("ZÜRICH")); // Windows-1252, decoded per record
    QCOMPARE(records[2].record.code(), QStringLiteral("LIML"));   // ends at the end of the file

    QCOMPARE(bytes.mid(records[0].offset, records[0].size),
             QByteArray("01LIRF|IT|ROMA,FIUMICINO|E\r\n16L|ASPH\r\n\r\n"));
    QCOMPARE(bytes.mid(records[1].offset, records[1].size), QByteArray("02LSZH|CH|Z\xDCRICH\r\n\r\n"));
    QCOMPARE(records[2].offset + records[2].size, bytes.size());
}

void TestAirportRecord::keepsDesignatorsOutOfTheHeaderSearch_data()
{
    QTest::addColumn<QString>("designator");
    QTest::addColumn<QString>("written");

    QTest::newRow("runway numbers") << "04R/22L"
                                    << "04R/22L";
    QTest::newRow("letters that read as a code") << "H-NORTH/H-SOUTH"
                                                 << "H-north/h-south";
    QTest::newRow("digits then letters") << "16GRASS"
                                         << "16grass";
    QTest::newRow("too short to reach character 6") << "NE/SW"
                                                    << "NE/SW";
    QTest::newRow("lower case already") << "H-north"
                                        << "H-north";
}

void TestAirportRecord::keepsDesignatorsOutOfTheHeaderSearch()
{
    QFETCH(QString, designator);
    QFETCH(QString, written);

    const QString before = designator;
    QCOMPARE(keepOutOfHeaderSearch(designator), before == written ? 0 : 1);
    QCOMPARE(designator, written);
}

void TestAirportRecord::readmeListsEveryChartCategory()
{
    QFile readme(qEnvironmentVariable("VARNELOX_SOURCE_DIR") + QStringLiteral("/README.md"));
    QVERIFY(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(readme.readAll());
    static const QRegularExpression row(
        QStringLiteral("^\\| ([A-Z .]+) \\| `Airports/LIRF/(ADPRF\\S+)` \\|$"),
        QRegularExpression::MultilineOption);
    QStringList listed;
    for (const QRegularExpressionMatch &match : row.globalMatch(text))
        listed.append(match.captured(1) + u' ' + match.captured(2));
    QStringList expected;
    for (const ChartCategory &category : ChartCategories)
        expected.append(category.captionText().simplified() + QStringLiteral(" ADPRF") +
                        category.fileSuffix());
    QCOMPARE(listed, expected);
}

QTEST_GUILESS_MAIN(TestAirportRecord)
#include "tst_airportrecord.moc"
