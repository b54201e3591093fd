// SPDX-License-Identifier: GPL-3.0-or-later
#include "AirportFacts.h"

#include <QSet>
#include <QTest>

using namespace chartgen;

namespace {

AirportRecord record(const QString &code, const QString &height, const QList<RunwayRecord> &runways)
{
    return AirportRecord::compose(
        code, {{}, QStringLiteral("SAMPLE FIELD"), QStringLiteral("E 1"), QStringLiteral("N 1"), height, {}},
        runways);
}

RunwayRecord runway(const QString &number, const QString &ils = {}, const QString &course = {})
{
    return {number, QStringLiteral("ASPH"), QStringLiteral("3000 M"), QStringLiteral("45 M"), ils, course,
            {}};
}

} // namespace

class AirportFactsTest : public QObject {
    Q_OBJECT

private slots:
    void sameAirportSameFacts();
    void fixNamesAreDistinct();
    void elevation_data();
    void elevation();
    void reciprocalTakesTheExactReverseCourse();
    void primaryDirectionPrefersAnIls();
};

void AirportFactsTest::sameAirportSameFacts()
{
    const AirportRecord lirf = record("LIRF", "15 FT", {runway("16L", "110.30", "163")});
    const AirportFacts a = makeAirportFacts(lirf);
    const AirportFacts b = makeAirportFacts(lirf);
    QCOMPARE(a.fixNames, b.fixNames);
    QCOMPARE(a.radio.tower, b.radio.tower);
    QCOMPARE(a.seed, b.seed);
    QVERIFY(makeAirportFacts(record("LIPZ", "15 FT", {})).fixNames != a.fixNames);
    QCOMPARE(a.radio.vorIdent, QStringLiteral("IRF"));
}

void AirportFactsTest::fixNamesAreDistinct()
{
    for (const char *code : {"LIRF", "EGLL", "KJFK", "0000"}) {
        const QStringList names = makeAirportFacts(record(QString::fromLatin1(code), {}, {})).fixNames;
        QVERIFY(names.size() >= 16);
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        for (const QString &name : names)
            QCOMPARE(name.size(), 5);
    }
}

void AirportFactsTest::elevation_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<int>("feet");
    QTest::newRow("feet") << "1416 FT" << 1416;
    QTest::newRow("below sea level") << "-11 FT" << -11;
    QTest::newRow("metres") << "100 M" << 328;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("text") << "HIGH" << 0;
}

void AirportFactsTest::elevation()
{
    QFETCH(QString, height);
    QFETCH(int, feet);
    QCOMPARE(makeAirportFacts(record("LSZH", height, {})).elevationFeet, feet);
}

void AirportFactsTest::reciprocalTakesTheExactReverseCourse()
{
    const AirportFacts facts =
        makeAirportFacts(record("LIRF", "15 FT", {runway("16L", "110.30", "163"), runway("34R")}));
    QCOMPARE(facts.directions.size(), 2);
    QCOMPARE(facts.directions[1].heading, 343.0);
    QCOMPARE(facts.strips.size(), 1);
}

void AirportFactsTest::primaryDirectionPrefersAnIls()
{
    const AirportFacts facts =
        makeAirportFacts(record("LICC", "39 FT", {runway("26"), runway("08", "109.90", "078")}));
    QCOMPARE(primaryDirection(facts).designator, QStringLiteral("08"));
    QCOMPARE(
        primaryDirection(makeAirportFacts(record("LICC", "39 FT", {runway("26"), runway("08")}))).designator,
        QStringLiteral("26"));
    QVERIFY(!primaryDirection(makeAirportFacts(record("LICC", "39 FT", {}))).designator.isEmpty());
}

QTEST_GUILESS_MAIN(AirportFactsTest)
#include "tst_airportfacts.moc"
