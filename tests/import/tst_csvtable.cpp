// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvTable.h"

#include <QTest>

using namespace import;

namespace {

struct ReadRows {
    Status status;
    QList<QStringList> rows;
    QList<qsizetype> lines;
};

ReadRows readRows(const QByteArray &bytes)
{
    ReadRows read;
    read.status = CsvReader::read(QStringLiteral("t.csv"), bytes, [&](const CsvRow &row) {
        QStringList fields;
        for (const std::string &field : row.fields)
            fields.append(QString::fromStdString(field));
        read.rows.append(fields);
        read.lines.append(row.line);
        return Status();
    });
    return read;
}

// Reads a table with columns a (required), b (a number) and c (UTF-8 text) and returns the first failure.
Status readTableOf(const QByteArray &bytes)
{
    int a = -1, b = -1, c = -1;
    const auto columns = [&](CsvHeader &header) {
        a = header.required("a");
        b = header.required("b");
        c = header.optional("c");
        return Status();
    };
    return readTable(QStringLiteral("t.csv"), bytes, columns, [&](const CsvRecord &record) {
        std::optional<double> number;
        QString text;
        for (const Status &status : {record.number(b, number), record.utf8(c, text)}) {
            if (!status.ok)
                return status;
        }
        return Status();
    });
}

} // namespace

class TestCsvTable : public QObject {
    Q_OBJECT

private slots:
    void readsRows_data();
    void readsRows();
    void reportsBadInput_data();
    void reportsBadInput();
    void stopsAtTheRowTheHandlerRefuses();
};

void TestCsvTable::readsRows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QList<qsizetype>>("lines");

    QTest::addRow("plain and quoted") << QByteArray("a,b\n1,\"x\"\n")
                                      << QList<QStringList>{{"a", "b"}, {"1", "x"}} << QList<qsizetype>{1, 2};
    QTest::addRow("comma and doubled quote in a quoted field")
        << QByteArray("\"a,b\",\"say \"\"hi\"\"\"\r\n") << QList<QStringList>{{"a,b", "say \"hi\""}}
        << QList<qsizetype>{1};
    QTest::addRow("line breaks inside a field move the next row's line")
        << QByteArray("\"one\r\ntwo\nthree\",x\r\nnext,y\r\n")
        << QList<QStringList>{{"one\r\ntwo\nthree", "x"}, {"next", "y"}} << QList<qsizetype>{1, 4};
    QTest::addRow("empty fields and empty lines")
        << QByteArray("a,,\"\"\n\n\r\nb,c,d\n") << QList<QStringList>{{"a", "", ""}, {"b", "c", "d"}}
        << QList<qsizetype>{1, 4};
    QTest::addRow("blanks are kept, last row without line end")
        << QByteArray(" a , b") << QList<QStringList>{{" a ", " b"}} << QList<qsizetype>{1};
    QTest::addRow("CR line ends, a line break inside a field")
        << QByteArray("a,b\r1,\"x\ry\"\r\r2,z\r") << QList<QStringList>{{"a", "b"}, {"1", "x\ry"}, {"2", "z"}}
        << QList<qsizetype>{1, 2, 5};
    QTest::addRow("UTF-8 passes through")
        << QByteArray("\"\xe6\x9d\xb1\xe4\xba\xac\",\xd0\x96")
        << QList<QStringList>{{"\u6771\u4eac", "\u0416"}} << QList<qsizetype>{1};
}

void TestCsvTable::readsRows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QList<qsizetype>, lines);

    const ReadRows read = readRows(bytes);
    QVERIFY2(read.status.ok, qPrintable(read.status.message));
    QCOMPARE(read.rows, rows);
    QCOMPARE(read.lines, lines);
}

void TestCsvTable::reportsBadInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    QTest::addRow("quote inside an unquoted field")
        << QByteArray("a,b\n1,2\n3,x\"y\n")
        << "t.csv, line 3, column 4: not CSV: a quote inside an unquoted field or text after a closing quote";
    QTest::addRow("text after a closing quote")
        << QByteArray("a,b\n\"1\"x,2\n")
        << "t.csv, line 2, column 4: not CSV: a quote inside an unquoted field or text after a closing quote";
    QTest::addRow("quoted field never closed")
        << QByteArray("a,b\n1,2\n\"3,4\n5,6\n") << "t.csv, line 3: not CSV: a quoted field is never closed";
    QTest::addRow("text after a closing quote, CR line ends")
        << QByteArray("a,b\r1,2\r\"1\"x,2\r")
        << "t.csv, line 3, column 4: not CSV: a quote inside an unquoted field or text after a closing quote";
    QTest::addRow("row too short, CR line ends")
        << QByteArray("a,b,c\r1,2,3\r1,2\r")
        << "t.csv, line 3, column \"c\": missing (the row has 2 fields, the header 3 columns)";
    QTest::addRow("empty file") << QByteArray() << "t.csv: empty, no header row";
    QTest::addRow("missing column") << QByteArray("a,c\n1,2\n")
                                    << "t.csv, line 1: no column \"b\" in the header row";
    QTest::addRow("header with a byte order mark") << QByteArray("\xef\xbb\xbf"
                                                                 "a,b\n1,x\n")
                                                   << "t.csv, line 2, column \"b\": \"x\" is not a number";
    QTest::addRow("row too short") << QByteArray("a,b,c\n1,2,3\n1,2\n")
                                   << "t.csv, line 3, column \"c\": missing (the row has 2 fields, the "
                                      "header 3 columns)";
    QTest::addRow("row too long")
        << QByteArray("a,b\n1,2,3\n")
        << "t.csv, line 2, column 3: the row has 3 fields, the header only 2 columns";
    QTest::addRow("not a number") << QByteArray("a,b\n1,2\n1,\"1,5\"\n")
                                  << "t.csv, line 3, column \"b\": \"1,5\" is not a number";
    QTest::addRow("not UTF-8") << QByteArray("a,b,c\n1,2,A\xc9ROPORT\n")
                               << "t.csv, line 2, column \"c\": not UTF-8 text";
}

void TestCsvTable::reportsBadInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    const Status status = readTableOf(bytes);
    QVERIFY(!status.ok);
    QCOMPARE(status.message, message);
}

void TestCsvTable::stopsAtTheRowTheHandlerRefuses()
{
    int rows = 0;
    const Status status = CsvReader::read(QStringLiteral("t.csv"), "1\n2\n3\n", [&](const CsvRow &) {
        return ++rows == 2 ? Status::failure(QStringLiteral("stop")) : Status();
    });
    QCOMPARE(status.message, QStringLiteral("stop"));
    QCOMPARE(rows, 2);
}

QTEST_GUILESS_MAIN(TestCsvTable)
#include "tst_csvtable.moc"
