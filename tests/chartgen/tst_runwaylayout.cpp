// SPDX-License-Identifier: GPL-3.0-or-later
#include "MapFrame.h"
#include "RunwayLayout.h"

#include <QTest>

using namespace chartgen;

namespace {

RunwayDirection direction(const QString &number, const QString &course = {}, const QString &length = "3000 M")
{
    return readRunwayDirection(
        {number, QStringLiteral("ASPH"), length, QStringLiteral("45 M"), {}, course, {}});
}

// How far the strip lies to the left of the landing direction, in metres.
double leftOf(const RunwayStrip &strip, const RunwayStrip &other, double heading)
{
    return QPointF::dotProduct(strip.axis.center() - other.axis.center(), worldDirection(heading - 90));
}

} // namespace

class RunwayLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void reciprocalDesignators_data();
    void reciprocalDesignators();
    void readsDirections_data();
    void readsDirections();
    void pairsDirectionsIntoStrips();
    void placesParallelsFromLeftToRight();
    void keepsLoneDirectionsAndNoData();
};

void RunwayLayoutTest::reciprocalDesignators_data()
{
    QTest::addColumn<QString>("designator");
    QTest::addColumn<QString>("reciprocal");
    QTest::newRow("left") << "16L"
                          << "34R";
    QTest::newRow("right") << "34R"
                           << "16L";
    QTest::newRow("centre") << "18C"
                            << "36C";
    QTest::newRow("plain") << "09"
                           << "27";
    QTest::newRow("north") << "36"
                           << "18";
    QTest::newRow("one digit") << "1"
                               << "19";
    QTest::newRow("no number") << "XX"
                               << "XX";
    QTest::newRow("out of range") << "40"
                                  << "40";
    QTest::newRow("empty") << ""
                           << "";
}

void RunwayLayoutTest::reciprocalDesignators()
{
    QFETCH(QString, designator);
    QFETCH(QString, reciprocal);
    QCOMPARE(reciprocalDesignator(designator), reciprocal);
}

void RunwayLayoutTest::readsDirections_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("course");
    QTest::addColumn<double>("heading");
    QTest::addColumn<double>("metres");
    QTest::addColumn<double>("widthMetres");

    QTest::newRow("ILS course") << "16L"
                                << "3900 M"
                                << "60 M"
                                << "163" << 163.0 << 3900.0 << 60.0;
    QTest::newRow("runway number") << "34R"
                                   << "3900 M"
                                   << "60 M"
                                   << "" << 340.0 << 3900.0 << 60.0;
    QTest::newRow("north") << "36"
                           << "2000 M"
                           << "45 M"
                           << "003" << 3.0 << 2000.0 << 45.0;
    QTest::newRow("feet") << "09"
                          << "10000 FT"
                          << "150 FT"
                          << "" << 90.0 << 3048.0 << 45.72;
    QTest::newRow("course of the other end ignored") << "04"
                                                     << "3300 M"
                                                     << "45 M"
                                                     << "224" << 40.0 << 3300.0 << 45.0;
    QTest::newRow("missing values") << "27"
                                    << ""
                                    << ""
                                    << "" << 270.0 << 2000.0 << 45.0;
    QTest::newRow("nonsense") << "99"
                              << "-5 M"
                              << "X"
                              << "999" << 0.0 << 2000.0 << 45.0;
    QTest::newRow("huge") << "18"
                          << "99999 M"
                          << "1 M"
                          << "" << 180.0 << 6000.0 << 10.0;
}

void RunwayLayoutTest::readsDirections()
{
    QFETCH(QString, number);
    QFETCH(QString, length);
    QFETCH(QString, width);
    QFETCH(QString, course);
    QFETCH(double, heading);
    QFETCH(double, metres);
    QFETCH(double, widthMetres);
    const RunwayDirection d = readRunwayDirection({number, {}, length, width, {}, course, {}});
    QCOMPARE(d.heading, heading);
    QVERIFY(qAbs(d.length - metres) < 0.5);
    QVERIFY(qAbs(d.width - widthMetres) < 0.01);
    QCOMPARE(d.surface, QStringLiteral("ASPH"));
}

void RunwayLayoutTest::pairsDirectionsIntoStrips()
{
    const QList<RunwayStrip> strips =
        layOutRunways({direction("16L", "163"), direction("34R"), direction("07", {}, "3300 M"),
                       direction("25", "251", "3300 M")});
    QCOMPARE(strips.size(), 2);
    QCOMPARE(strips[0].first.designator, QStringLiteral("16L"));
    QCOMPARE(strips[0].secondDesignator, QStringLiteral("34R"));
    QCOMPARE(strips[1].secondDesignator, QStringLiteral("25"));
    QVERIFY(qAbs(strips[0].axis.length() - 3000) < 0.5);
    QVERIFY(qAbs(strips[1].axis.length() - 3300) < 0.5);
    // The axis runs from the threshold of the first direction the way it lands.
    const QPointF along = (strips[0].axis.p2() - strips[0].axis.p1()) / strips[0].axis.length();
    QVERIFY(QPointF::dotProduct(along, worldDirection(163)) > 0.999);
}

void RunwayLayoutTest::placesParallelsFromLeftToRight()
{
    // Listed in a jumbled order, partly from the other end.
    const QList<RunwayStrip> strips = layOutRunways({direction("34L"), direction("16C"), direction("16R"),
                                                     direction("16L"), direction("34C"), direction("34R")});
    QCOMPARE(strips.size(), 3);
    auto strip = [&](const QString &designator) {
        for (const RunwayStrip &s : strips) {
            if (s.first.designator == designator || s.secondDesignator == designator)
                return s;
        }
        return RunwayStrip{};
    };
    QVERIFY(leftOf(strip("16L"), strip("16C"), 160) > 500);
    QVERIFY(leftOf(strip("16C"), strip("16R"), 160) > 500);
}

void RunwayLayoutTest::keepsLoneDirectionsAndNoData()
{
    const QList<RunwayStrip> lone = layOutRunways({direction("14", "137")});
    QCOMPARE(lone.size(), 1);
    QCOMPARE(lone[0].secondDesignator, QStringLiteral("32"));
    QVERIFY(runwayBounds(lone, 100).contains(lone[0].axis.center()));

    QVERIFY(layOutRunways({}).isEmpty());
    const QRectF none = runwayBounds({}, 500);
    QVERIFY(none.width() > 0 && none.height() > 0);
}

QTEST_GUILESS_MAIN(RunwayLayoutTest)
#include "tst_runwaylayout.moc"
