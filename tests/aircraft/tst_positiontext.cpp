// SPDX-License-Identifier: GPL-3.0-or-later
#include "PositionText.h"

#include <QTest>

using namespace aircraft;
using Status = simlink::FeedState::Status;

Q_DECLARE_METATYPE(simlink::FeedState)

namespace {

simlink::FeedState liveAt(double latitude, double longitude)
{
    simlink::FeedState state;
    state.status = Status::Live;
    state.fix.position = airportdata::GeoPosition::fromDegrees(latitude, longitude);
    return state;
}

simlink::FeedState bostonApproach()
{
    simlink::FeedState state = liveAt(42 + 21.7 / 60, -(71 + 0.5 / 60));
    state.fix.altitude = airportdata::Length::metres(381);
    state.fix.groundSpeed = airportdata::Speed::knots(142.4);
    state.fix.track = airportdata::Bearing::degreesTrue(45.2);
    return state;
}

} // namespace

// The position line as the pilot reads it, in every state of the link.
class TestPositionText : public QObject {
    Q_OBJECT

private slots:
    void lineText_data();
    void lineText();
    void noteNamesProblemsAndSecondSimulator();
};

void TestPositionText::lineText_data()
{
    QTest::addColumn<simlink::FeedState>("state");
    QTest::addColumn<double>("miles"); // to KBOS; none when negative
    QTest::addColumn<double>("bearing");
    QTest::addColumn<QString>("text");

    QTest::newRow("off") << simlink::FeedState{} << -1.0 << 0.0 << "SIMULATOR LINK OFF";
    simlink::FeedState waiting;
    waiting.status = Status::Waiting;
    QTest::newRow("waiting") << waiting << -1.0 << 0.0 << "NO SIMULATOR";
    QTest::newRow("live, to the airport looked up")
        << bostonApproach() << 2.34 << 230.4
        << "N 42 21.7 W 071 00.5 · 1,250 FT · GS 142 KT · TRK 045° · 2.3 NM 230° KBOS";
    QTest::newRow("no airport looked up")
        << bostonApproach() << -1.0 << 0.0 << "N 42 21.7 W 071 00.5 · 1,250 FT · GS 142 KT · TRK 045°";
    simlink::FeedState stale = bostonApproach();
    stale.status = Status::Stale;
    stale.lastData = QDateTime(QDate(2024, 6, 12), QTime(14, 3, 22));
    QTest::newRow("stale")
        << stale << 2.34 << 230.4
        << "LAST DATA 14:03:22 · N 42 21.7 W 071 00.5 · 1,250 FT · GS 142 KT · TRK 045° · 2.3 NM 230° KBOS";
    QTest::newRow("position only") << liveAt(-(33 + 56.5 / 60), 151 + 10.6 / 60) << -1.0 << 0.0
                                   << "S 33 56.5 E 151 10.6";
    QTest::newRow("minutes rounded up into the next degree")
        << liveAt(42 + 59.96 / 60, -(0.04 / 60)) << -1.0 << 0.0 << "N 43 00.0 E 000 00.0";
    simlink::FeedState north = liveAt(0, 0);
    north.fix.track = airportdata::Bearing::degreesTrue(359.7);
    north.fix.altitude = airportdata::Length::feet(-11);
    QTest::newRow("track just below north, altitude below the sea")
        << north << 123.6 << 0.2 << "N 00 00.0 E 000 00.0 · -11 FT · TRK 000° · 124 NM 000° KBOS";
}

void TestPositionText::lineText()
{
    QFETCH(simlink::FeedState, state);
    QFETCH(double, miles);
    QFETCH(double, bearing);
    QFETCH(QString, text);
    std::optional<airportdata::Course> course;
    if (miles >= 0)
        course = airportdata::Course{airportdata::Length::nauticalMiles(miles),
                                     airportdata::Bearing::degreesTrue(bearing)};
    QCOMPARE(positionLineText(state, course, QStringLiteral("KBOS")), text);
}

void TestPositionText::noteNamesProblemsAndSecondSimulator()
{
    simlink::FeedState state = bostonApproach();
    QVERIFY(feedNote(state).isEmpty());
    state.problems << QStringLiteral("Port 49002 is in use.");
    state.otherSender = QHostAddress(QStringLiteral("192.168.1.30"));
    QCOMPARE(
        feedNote(state),
        QStringLiteral(
            "Port 49002 is in use. Another simulator is sending from 192.168.1.30: it is not followed."));
}

QTEST_APPLESS_MAIN(TestPositionText)
#include "tst_positiontext.moc"
