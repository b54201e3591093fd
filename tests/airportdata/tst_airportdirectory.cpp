// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportDirectory.h"
#include "DirectoryReader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace airportdata;

Q_DECLARE_METATYPE(airportdata::LookupStatus)

namespace {

QByteArray fields(int first, int count)
{
    QByteArrayList list;
    for (int i = first; i < first + count; ++i) {
        list.append("f" + QByteArray::number(i));
    }
    return list.join('|');
}

} // namespace

class TestAirportDirectory : public QObject {
    Q_OBJECT

private slots:
    void looksUp_data();
    void looksUp();
    void missingFileIsUnreadable();
    void notRegularFileIsRefused_data();
    void notRegularFileIsRefused();
    void overlongLineIsUnreadable();
    void overlongRecordIsUnreadable_data();
    void overlongRecordIsUnreadable();

private:
    QString write(const QByteArray &bytes);

    QTemporaryDir m_folder;
};

QString TestAirportDirectory::write(const QByteArray &bytes)
{
    const QString path = m_folder.filePath(QStringLiteral("airports.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the directory fixture");
    }
    return path;
}

void TestAirportDirectory::looksUp_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("code");
    QTest::addColumn<LookupStatus>("status");
    QTest::addColumn<QStringList>("fields");

    const auto found = LookupStatus::Found;
    const auto notFound = LookupStatus::NotFound;

    QTest::addRow("seven-field header, twelve-field runways")
        << QByteArray("01LIRF|FCO|ROMA|E 012 14 20|N 41 48 01|15 FT|IT\r\n"
                      "16L|60 M|3900 M|ASPH|110.30|163|a|b|c|d|e|f\r\n\r\n02LIML|LIN\r\n\r\n")
        << "LIRF" << found
        << QStringList{"FCO",  "ROMA",   "E 012 14 20", "N 41 48 01", "15 FT", "IT", "16L", "60 M", "3900 M",
                       "ASPH", "110.30", "163",         "a",          "b",     "c",  "d",   "e",    "f"};
    QTest::addRow("first match wins")
        << QByteArray("A LIRF|one\r\n\r\nB LIRF|two\r\n\r\n") << "LIRF" << found << QStringList{"one"};
    QTest::addRow("continuation line of another record")
        << QByteArray("A EGLL|LONDON\r\nXXLIRF|oops\r\n\r\nA LIRF|ROMA\r\n\r\n") << "LIRF" << found
        << QStringList{"oops"};
    QTest::addRow("eight-field header shifts the runways")
        << QByteArray("A LIRF|1|2|3|4|5|6|\r\n16L|x|3900 M\r\n\r\n") << "LIRF" << found
        << QStringList{"1", "2", "3", "4", "5", "6", "", "16L", "x", "3900 M"};
    QTest::addRow("header without separator")
        << QByteArray("A LIRF\r\n16L|x\r\n\r\n") << "LIRF" << found << QStringList{"16L", "x"};
    QTest::addRow("last record without empty line")
        << QByteArray("A LIRF|a\r\nb|c") << "LIRF" << found << QStringList{"a", "b", "c"};
    QTest::addRow("comma in a name") << QByteArray("A LIRF|ROMA,FIUMICINO|E 012\r\n\r\n") << "LIRF" << found
                                     << QStringList{"ROMA", "FIUMICINO", "E 012"};
    QTest::addRow("quoted header keeps its comma") << QByteArray("\"A LIRF|ROMA, FIUMICINO\"\r\nb\r\n\r\n")
                                                   << "LIRF" << found << QStringList{"ROMA, FIUMICINO", "b"};
    QTest::addRow("header among items of one line")
        << QByteArray("x,y,A LIRF|a,b\r\n\r\n") << "LIRF" << found << QStringList{"a", "b"};
    QTest::addRow("code first seen elsewhere in a line")
        << QByteArray("XXXXLIRF|no\r\nA LIRF|yes\r\n\r\n") << "LIRF" << found << QStringList{"yes"};
    QTest::addRow("three-character code")
        << QByteArray("A ABC|x\r\nA ABC\r\ny\r\n\r\n") << "ABC" << found << QStringList{"y"};
    QTest::addRow("five-character code")
        << QByteArray("A LIRFX|a\r\n\r\n") << "LIRFX" << notFound << QStringList{};
    QTest::addRow("lower-case code in the file")
        << QByteArray("A lirf|a\r\n\r\n") << "LIRF" << notFound << QStringList{};
    QTest::addRow("empty code") << QByteArray("\r\nA\r\nA LIRF|a\r\n\r\n") << "" << notFound << QStringList{};
    QTest::addRow("not in the file") << QByteArray("A LIRF|a\r\n\r\n") << "LIML" << notFound << QStringList{};
    QTest::addRow("CR-only file") << QByteArray("A LIML|z\r\rA LIRF|a\rb|c\r\rA LIRX|z\r") << "LIRF" << found
                                  << QStringList{"a", "b", "c"};
    QTest::addRow("LF-only file") << QByteArray("A LIML|z\n\nA LIRF|a\nb|c\n\nA LIRX|z\n") << "LIRF" << found
                                  << QStringList{"a", "b", "c"};
    QTest::addRow("Windows-1252") << QByteArray("A LSZH|Z\xDCRICH|\x80\x9F\r\n\r\n") << "LSZH" << found
                                  << QStringList{"ZÜRICH", "€Ÿ"};
    QTest::addRow("UTF-8") << QByteArray("A LSZH|Z\xC3\x9CRICH|\xE2\x82\xAC\r\n\r\n") << "LSZH" << found
                           << QStringList{"ZÜRICH", "€"};
    QTest::addRow("record not all UTF-8 is read as Windows-1252")
        << QByteArray("A LSZH|Z\xC3\x9CRICH\r\nZ\xDCRICH\r\n\r\n") << "LSZH" << found
        << QStringList{"ZÃœRICH", "ZÜRICH"};
    QTest::addRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                         "A LIRF|a\r\n\r\n")
                                           << "LIRF" << found << QStringList{"a"};
    QTest::addRow("accented key characters") << QByteArray("\xC3\x80"
                                                           "BLIRF|a\r\n\r\n")
                                             << "LIRF" << found << QStringList{"a"};
    QTest::addRow("accented code, UTF-8") << QByteArray("A \xC3\x80"
                                                        "BCD|a\r\n\r\n")
                                          << "ÀBCD" << found << QStringList{"a"};
    QTest::addRow("accented code, Windows-1252") << QByteArray("A \xC0"
                                                               "BCD|a\r\n\r\n")
                                                 << "ÀBCD" << found << QStringList{"a"};

    QStringList texts;
    for (int i = 0; i < 151; ++i) {
        texts.append(QStringLiteral("f%1").arg(i));
    }
    QTest::addRow("no more fields than the reader places")
        << "A LIRF|" + fields(0, 100) + "\r\n" + fields(100, 100) + "\r\n\r\n"
        << "LIRF" << found << texts;
}

void TestAirportDirectory::looksUp()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, code);
    QFETCH(LookupStatus, status);
    QFETCH(QStringList, fields);

    const LookupResult result = LookUpAirport(write(bytes), code, {.maxFields = 151});
    QCOMPARE(result.status, status);
    QCOMPARE(result.record.fields(), fields);
    QVERIFY(result.error.isEmpty());

    // The same outcome however the bytes arrive.
    for (qsizetype block : {1, 2, 3, 5, 8}) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const LookupResult blockwise =
            searchDirectory(buffer, QStringLiteral("airports.txt"), code, {151, block, 4096});
        QCOMPARE(blockwise.status, status);
        QCOMPARE(blockwise.record, result.record);
    }
}

void TestAirportDirectory::missingFileIsUnreadable()
{
    const QString path = m_folder.filePath(QStringLiteral("missing/airports.txt"));
    const LookupResult result = LookUpAirport(path, QStringLiteral("LIRF"));
    QCOMPARE(result.status, LookupStatus::Unreadable);
    QVERIFY(result.record.isEmpty());
    QCOMPARE(
        result.error,
        QStringLiteral("The airport directory %1 could not be opened: No such file or directory").arg(path));
}

// None of these may be opened for reading: a pipe without a writer would wait for ever, a device would be
// read without end. The test's watchdog (QTEST_FUNCTION_TIMEOUT) ends a lookup that waits.
void TestAirportDirectory::notRegularFileIsRefused_data()
{
    QTest::addColumn<QString>("kind"); // what stands at airports.txt
    QTest::addColumn<QString>("reason");

    const QString notRegular =
        QStringLiteral("it is not a regular file (it is a pipe, a device or a socket)");
    QTest::addRow("pipe") << "fifo" << notRegular;
    QTest::addRow("link to /dev/urandom") << "/dev/urandom" << notRegular;
    QTest::addRow("link to /dev/zero") << "/dev/zero" << notRegular;
    QTest::addRow("device") << "device" << notRegular;
    QTest::addRow("folder") << "folder"
                            << "it is a folder, not a file";
}

void TestAirportDirectory::notRegularFileIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);

    const QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("airports.txt"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("airports.txt")));
    else if (kind == QLatin1String("device"))
        path = QStringLiteral("/dev/null");
    else
        QVERIFY(QFile::link(kind, path));

    const LookupResult result = LookUpAirport(path, QStringLiteral("LIRF"));
    QCOMPARE(result.status, LookupStatus::Unreadable);
    QCOMPARE(result.error,
             QStringLiteral("The airport directory %1 could not be opened: %2").arg(path, reason));
}

void TestAirportDirectory::overlongLineIsUnreadable()
{
    const QByteArray longLine(3 << 20, 'x');
    const QString path = write("A LIML|MILANO\r\n\r\n" + longLine + "\r\nA LIRF|ROMA\r\n\r\n");

    QCOMPARE(LookUpAirport(path, QStringLiteral("LIML")).record.fields(), QStringList{"MILANO"});
    const LookupResult result = LookUpAirport(path, QStringLiteral("LIRF"));
    QCOMPARE(result.status, LookupStatus::Unreadable);
    QCOMPARE(result.error,
             QStringLiteral("The airport directory %1 could not be read: the line at byte 17 is "
                            "longer than 1048576 bytes.")
                 .arg(path));
}

// A record may hold maxRecordBytes of field text, however its fields are spread over lines; one byte more
// and the lookup says so rather than hand on megabytes that the grid cannot show.
void TestAirportDirectory::overlongRecordIsUnreadable_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<bool>("found");

    const QByteArray field(1000, 'x');
    QByteArrayList fields(65, field);
    fields.append(QByteArray(536, 'y'));
    const QByteArray atLimit = fields.join('|'); // 65536 bytes of fields, 65 separators
    QTest::addRow("at the limit, one line") << "A LIRF|" + atLimit << true;
    QTest::addRow("one byte over, one line") << "A LIRF|" + atLimit + 'z' << false;
    QTest::addRow("one byte over, a field a line") << "A LIRF\r\n" + fields.join("\r\n") + "\r\nz" << false;
    QTest::addRow("151 long fields") << "A LIRF|" + QByteArrayList(151, QByteArray(4000, 'm')).join('|')
                                     << false;
}

void TestAirportDirectory::overlongRecordIsUnreadable()
{
    QFETCH(QByteArray, record);
    QFETCH(bool, found);

    const QString path = write("A LIML|MILANO\r\n\r\n" + record + "\r\n\r\nA LIRN|NAPOLI\r\n\r\n");
    const LookupResult result = LookUpAirport(path, QStringLiteral("LIRF"), {.maxFields = 151});
    if (found) {
        QCOMPARE(result.status, LookupStatus::Found);
        QCOMPARE(result.record.fields().join(QString()).size(), 65536);
    } else {
        QCOMPARE(result.status, LookupStatus::Unreadable);
        QCOMPARE(result.error,
                 QStringLiteral("The airport directory %1 could not be read: the record of LIRF "
                                "holds more than 65536 bytes, more than the airport data grid "
                                "shows.")
                     .arg(path));
        QVERIFY(result.record.isEmpty());
    }
    QCOMPARE(LookUpAirport(path, QStringLiteral("LIRN")).record.fields(), QStringList{"NAPOLI"});
}

QTEST_GUILESS_MAIN(TestAirportDirectory)
#include "tst_airportdirectory.moc"
