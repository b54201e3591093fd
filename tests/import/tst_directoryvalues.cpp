// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartCategory.h"
#include "ChartCodes.h"
#include "DirectoryValues.h"
#include "ProgressLine.h"

#include <QTest>

#include <cmath>

using namespace import;

// Values the way the airport directory writes them, and the FAA chart codes' categories.
class TestDirectoryValues : public QObject {
    Q_OBJECT

private slots:
    void angles_data();
    void angles();
    void lengths_data();
    void lengths();
    void radio_data();
    void radio();
    void chartCodes_data();
    void chartCodes();
    void progressText_data();
    void progressText();
};

void TestDirectoryValues::angles_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("latitude");

    QTest::addRow("east and north") << 12.238889 << "E 012 14 20"
                                    << "N 12 14 20";
    QTest::addRow("west and south") << -71.0083 << "W 071 00 30"
                                    << "S 71 00 30";
    QTest::addRow("seconds round up into the minute") << 41.8166659 << "E 041 49 00"
                                                      << "N 41 49 00";
    QTest::addRow("rounding up to a whole degree") << -9.99999 << "W 010 00 00"
                                                   << "S 10 00 00";
    QTest::addRow("just west of zero is zero, east") << -0.0000001 << "E 000 00 00"
                                                     << "N 00 00 00";
    QTest::addRow("antimeridian") << -180.0 << "W 180 00 00"
                                  << "S 180 00 00";
    QTest::addRow("no angle: far too large") << 1e300 << ""
                                             << "";
}

void TestDirectoryValues::angles()
{
    QFETCH(double, degrees);
    QFETCH(QString, longitude);
    QFETCH(QString, latitude);

    QCOMPARE(longitudeText(degrees), longitude);
    QCOMPARE(latitudeText(degrees), latitude);
}

void TestDirectoryValues::lengths_data()
{
    QTest::addColumn<double>("feet");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("metres");

    QTest::addRow("runway") << 12795.0 << "12795 FT"
                            << "3900 M";
    QTest::addRow("rounds to the nearest") << 150.0 << "150 FT"
                                           << "46 M";
    QTest::addRow("below sea level") << -1266.4 << "-1266 FT"
                                     << "-386 M";
    QTest::addRow("zero") << 0.0 << "0 FT"
                          << "0 M";
    // Beyond what a 64-bit integer holds: never written as an overflowed number.
    QTest::addRow("far too low") << -99999999999999999999.0 << ""
                                 << "";
    QTest::addRow("far too high") << 1e300 << ""
                                  << "";
    QTest::addRow("not a number") << std::nan("") << ""
                                  << "";
}

void TestDirectoryValues::lengths()
{
    QFETCH(double, feet);
    QFETCH(QString, height);
    QFETCH(QString, metres);

    QCOMPARE(feetText(feet), height);
    QCOMPARE(metresText(feet), metres);
}

void TestDirectoryValues::radio_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("course");

    QTest::addRow("one decimal") << 110.3 << "110.30"
                                 << "110";
    QTest::addRow("course with decimals") << 35.4 << "35.40"
                                          << "035";
    QTest::addRow("north is 360") << 359.6 << "359.60"
                                  << "360";
    QTest::addRow("zero is 360") << 0.0 << "0.00"
                                 << "360";
    QTest::addRow("beyond a full turn") << 362.0 << "362.00"
                                        << "002";
    QTest::addRow("far too large") << 1e300 << ""
                                   << "";
}

void TestDirectoryValues::radio()
{
    QFETCH(double, value);
    QFETCH(QString, frequency);
    QFETCH(QString, course);

    QCOMPARE(frequencyText(value), frequency);
    QCOMPARE(courseText(value), course);
}

void TestDirectoryValues::chartCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("chartNumber"); // 0: no category

    QTest::addRow("MIN") << "MIN" << 1;
    QTest::addRow("APD") << "APD" << 2;
    QTest::addRow("ODP") << "ODP" << 3;
    QTest::addRow("DAU") << "DAU" << 3;
    QTest::addRow("STAR") << "STAR" << 4;
    QTest::addRow("IAP") << "IAP" << 5;
    QTest::addRow("DP") << "DP" << 6;
    QTest::addRow("HOT") << "HOT" << 8;
    QTest::addRow("LAH") << "LAH" << 8;
    QTest::addRow("lower case, blanks") << " iap " << 5;
    QTest::addRow("other code") << "DVA" << 0;
    QTest::addRow("empty") << "" << 0;
}

void TestDirectoryValues::chartCodes()
{
    QFETCH(QString, code);
    QFETCH(int, chartNumber);

    const int category = categoryOfChartCode(code);
    QCOMPARE(category < 0 ? 0 : airportdata::ChartCategories[category].chartNumber, chartNumber);
}

void TestDirectoryValues::progressText_data()
{
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("text");

    QTest::addRow("half way") << qsizetype(40000) << qint64(500) << 0.5 << "rows: 40000, 80000/s, 1 s left";
    QTest::addRow("just started") << qsizetype(0) << qint64(0) << 0.0 << "rows: 0";
    QTest::addRow("time left rounds up")
        << qsizetype(10) << qint64(1000) << 0.9 << "rows: 10, 10/s, 1 s left";
    QTest::addRow("done") << qsizetype(10) << qint64(2000) << 1.0 << "rows: 10, 5/s";
}

void TestDirectoryValues::progressText()
{
    QFETCH(qsizetype, count);
    QFETCH(qint64, elapsedMs);
    QFETCH(double, fraction);
    QFETCH(QString, text);

    QCOMPARE(ProgressLine::text(QStringLiteral("rows"), count, elapsedMs, fraction), text);
}

QTEST_GUILESS_MAIN(TestDirectoryValues)
#include "tst_directoryvalues.moc"
