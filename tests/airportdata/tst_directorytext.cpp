#include "DirectoryRecords.h"
#include "DirectoryText.h"

#include <QTest>

using namespace airportdata;

// Writing records, and reading a whole directory with the bytes each record takes up.
class TestDirectoryText : public QObject {
    Q_OBJECT

private slots:
    void makesTextsSafe_data();
    void makesTextsSafe();
    void keepsDesignatorsOutOfTheHeaderSearch_data();
    void keepsDesignatorsOutOfTheHeaderSearch();
    void writesAComposedRecord();
    void readsRecordsWithTheirBytes_data();
    void readsRecordsWithTheirBytes();
};

void TestDirectoryText::makesTextsSafe_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("safe");
    QTest::addColumn<int>("replaced");

    QTest::addRow("already safe") << "ROMA FIUMICINO"
                                  << "ROMA FIUMICINO" << 0;
    QTest::addRow("comma, quote, separator") << "A, \"B\" | C"
                                             << "A; 'B' / C" << 4;
    QTest::addRow("each line break one blank") << "a\r\nb\nc\rd"
                                               << "a b c d" << 3;
    QTest::addRow("non-Latin untouched") << "\u6771\u4eac, \u0416"
                                         << "\u6771\u4eac; \u0416" << 1;
}

void TestDirectoryText::makesTextsSafe()
{
    QFETCH(QString, text);
    QFETCH(QString, safe);
    QFETCH(int, replaced);

    QCOMPARE(makeDirectorySafe(text), replaced);
    QCOMPARE(text, safe);
}

void TestDirectoryText::keepsDesignatorsOutOfTheHeaderSearch_data()
{
    QTest::addColumn<QString>("designator");
    QTest::addColumn<QString>("written");

    QTest::addRow("runway numbers") << "04R/22L"
                                    << "04R/22L";
    QTest::addRow("letters that read as a code") << "H-NORTH/H-SOUTH"
                                                 << "H-north/h-south";
    QTest::addRow("digits then letters") << "16GRASS"
                                         << "16grass";
    QTest::addRow("too short to reach character 6") << "NE/SW"
                                                    << "NE/SW";
    QTest::addRow("lower case already") << "H-north"
                                        << "H-north";
}

void TestDirectoryText::keepsDesignatorsOutOfTheHeaderSearch()
{
    QFETCH(QString, designator);
    QFETCH(QString, written);

    const QString before = designator;
    QCOMPARE(keepOutOfHeaderSearch(designator), before == written ? 0 : 1);
    QCOMPARE(designator, written);
}

void TestDirectoryText::writesAComposedRecord()
{
    RunwayRecord runway{"16L", "ASPH", "3900 M", "60 M", "110.30", "163", {}};
    const AirportRecord record =
        AirportRecord::compose(QStringLiteral("LIRF"),
                               {"IT", "ROMA \u00c9", "E 012 14 20", "N 41 48 01", "15 FT", "ROME"}, {runway});
    QCOMPARE(directoryText(record), QByteArray("01LIRF|IT|ROMA \xc3\x89|E 012 14 20|N 41 48 01|15 FT|ROME\r\n"
                                               "16L|ASPH|3900 M|60 M|110.30|163||||||\r\n\r\n"));
}

void TestDirectoryText::readsRecordsWithTheirBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QList<qsizetype>>("offsets");
    QTest::addColumn<QList<qsizetype>>("sizes");

    QTest::addRow("records with their empty lines")
        << QByteArray("01LIRF|A\r\n16L|x\r\n\r\n02LIML|B\r\n\r\n") << QStringList{"LIRF", "LIML"}
        << QList<qsizetype>{0, 19} << QList<qsizetype>{19, 12};
    QTest::addRow("byte order mark, extra empty lines, last record without end")
        << QByteArray("\xef\xbb\xbf"
                      "01LIRF|A\n\n\n01LIML|B")
        << QStringList{"LIRF", "LIML"} << QList<qsizetype>{3, 14} << QList<qsizetype>{10, 8};
    QTest::addRow("comma splits a line into two items of one record")
        << QByteArray("01LIRF|ROMA,FIUMICINO\r\n\r\n") << QStringList{"LIRF"} << QList<qsizetype>{0}
        << QList<qsizetype>{25};
}

void TestDirectoryText::readsRecordsWithTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, codes);
    QFETCH(QList<qsizetype>, offsets);
    QFETCH(QList<qsizetype>, sizes);

    QStringList readCodes;
    QList<qsizetype> readOffsets, readSizes;
    for (const StoredRecord &stored : readAllRecords(bytes)) {
        readCodes.append(stored.record.code());
        readOffsets.append(stored.offset);
        readSizes.append(stored.size);
    }
    QCOMPARE(readCodes, codes);
    QCOMPARE(readOffsets, offsets);
    QCOMPARE(readSizes, sizes);
}

QTEST_GUILESS_MAIN(TestDirectoryText)
#include "tst_directorytext.moc"
