// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixtureFiles.h"

#include "MagneticVariation.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace import;

// The World Magnetic Model as the build installs it, against the values its publisher gives.
class TestMagneticVariation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void declination_data();
    void declination();
    void magneticBearingWrapsAround();
    void holdsForItsYears();
    void damagedModelIsAnError();

private:
    QString m_folder;
    MagneticVariation m_variation;
};

void TestMagneticVariation::initTestCase()
{
    m_folder = qEnvironmentVariable("VARNELOX_PROGRAM_DIR") + QStringLiteral("/magnetic");
    const Status loaded = m_variation.load(m_folder);
    QVERIFY2(loaded.ok, qPrintable(loaded.message));
}

void TestMagneticVariation::declination_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("heightKm");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("degrees"); // east positive
    QTest::addColumn<double>("within");

    // NOAA's test values for WMM2025; 2027.5 is noon of 2 July 2027, the model is read at the day's start.
    QTest::addRow("2025.0, 80 N 0 E") << QDate(2025, 1, 1) << 0.0 << 80.0 << 0.0 << 1.28 << 0.01;
    QTest::addRow("2025.0, 0 N 120 E") << QDate(2025, 1, 1) << 0.0 << 0.0 << 120.0 << -0.16 << 0.01;
    QTest::addRow("2025.0, 80 S 240 E") << QDate(2025, 1, 1) << 0.0 << -80.0 << -120.0 << 68.78 << 0.01;
    QTest::addRow("2025.0, 100 km, 80 S 240 E")
        << QDate(2025, 1, 1) << 100.0 << -80.0 << -120.0 << 68.21 << 0.01;
    QTest::addRow("2027.5, 80 N 0 E") << QDate(2027, 7, 2) << 0.0 << 80.0 << 0.0 << 2.59 << 0.01;
    QTest::addRow("2027.5, 100 km, 0 N 120 E") << QDate(2027, 7, 2) << 100.0 << 0.0 << 120.0 << -0.23 << 0.01;
    // Boston Logan: charts give about 14 degrees west.
    QTest::addRow("KBOS, end of 2025") << QDate(2025, 12, 9) << 0.0 << 42.3643 << -71.0052 << -14.0 << 0.5;
}

void TestMagneticVariation::declination()
{
    QFETCH(QDate, date);
    QFETCH(double, heightKm);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, degrees);
    QFETCH(double, within);

    const double found = m_variation.declination({latitude, longitude, heightKm * 1000}, date);
    QVERIFY2(std::abs(found - degrees) <= within, qPrintable(QString::number(found)));
}

void TestMagneticVariation::magneticBearingWrapsAround()
{
    // 1.28 degrees east at 80 N 0 E on 1 January 2025.
    const GeoPosition north{80, 0, 0};
    const QDate date(2025, 1, 1);
    QVERIFY(std::abs(m_variation.magneticBearing(0.5, north, date) - 359.22) < 0.01);
    QVERIFY(std::abs(m_variation.magneticBearing(361.0, north, date) - 359.72) < 0.01);
    QVERIFY(std::abs(m_variation.magneticBearing(90.0, north, date) - 88.72) < 0.01);
}

void TestMagneticVariation::holdsForItsYears()
{
    QVERIFY(!m_variation.holds(QDate(2024, 12, 31)));
    QVERIFY(m_variation.holds(QDate(2025, 1, 1)));
    QVERIFY(m_variation.holds(QDate(2030, 1, 1)));
    QVERIFY(!m_variation.holds(QDate(2030, 1, 2)));
    QCOMPARE(m_variation.description(), QStringLiteral("WMM2025, made for 2025.0 to 2030.0"));
}

void TestMagneticVariation::damagedModelIsAnError()
{
    const QTemporaryDir folder;
    const QString metadata = folder.filePath(QStringLiteral("wmm2025.wmm"));
    QVERIFY(QFile::copy(m_folder + QStringLiteral("/wmm2025.wmm"), metadata));
    const QByteArray coefficients = fixture::readFile(m_folder + QStringLiteral("/wmm2025.wmm.cof"));
    fixture::writeFile(folder.filePath(QStringLiteral("wmm2025.wmm.cof")), coefficients.left(100));

    MagneticVariation damaged;
    const Status loaded = damaged.load(folder.path());
    QVERIFY(!loaded.ok);
    QVERIFY2(loaded.message.startsWith(metadata + QStringLiteral(": the magnetic model cannot be read: ")),
             qPrintable(loaded.message));
}

QTEST_GUILESS_MAIN(TestMagneticVariation)
#include "tst_magneticvariation.moc"
