// SPDX-License-Identifier: GPL-3.0-or-later
#include "PositionFeed.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QUdpSocket>

using namespace simlink;
using namespace std::chrono_literals;

namespace {

const QHostAddress Simulator(QStringLiteral("192.168.1.20"));
const QHostAddress SecondSimulator(QStringLiteral("192.168.1.30"));

QByteArray xgps(double latitude, double longitude, double metres = 300, double track = 45, double speed = 70)
{
    return QStringLiteral("XGPSTest,%1,%2,%3,%4,%5")
        .arg(longitude, 0, 'f', 6)
        .arg(latitude, 0, 'f', 6)
        .arg(metres)
        .arg(track)
        .arg(speed)
        .toLatin1();
}

// A port that nothing listens on at the moment.
quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

// Sends datagrams from a thread of its own, as a simulator in another process would.
class Sender : public QThread {
public:
    Sender(quint16 port, int perSecond, std::chrono::milliseconds duration)
        : m_port(port)
        , m_perSecond(perSecond)
        , m_duration(duration)
    {}
    int sent = 0;

protected:
    void run() override
    {
        QUdpSocket socket;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < m_duration.count()) {
            const qint64 due = clock.elapsed() * m_perSecond / 1000;
            for (; sent < due; ++sent)
                socket.writeDatagram(xgps(42.36 + sent * 1e-6, -71.0), QHostAddress::LocalHost, m_port);
            QThread::msleep(1);
        }
    }

private:
    quint16 m_port;
    int m_perSecond;
    std::chrono::milliseconds m_duration;
};

} // namespace

// The feed: which datagrams count, whom it follows, how often the windows hear of it, when it goes stale,
// and the real ports.
class TestPositionFeed : public QObject {
    Q_OBJECT

private slots:
    void countsWhatItIgnores();
    void mergesFormatsOfOneSimulator();
    void followsTheFirstSimulatorUntilItIsStale();
    void updatesAtMostTenTimesASecond();
    void staleAfterSilence();
    void offHearsNothing();
    void listensOnRealPorts();
    void portInUseIsReportedAndTheOtherGoesOn();
    void floodLeavesTheEventLoopResponsive();
};

void TestPositionFeed::countsWhatItIgnores()
{
    PositionFeed feed;
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = 0, .nmeaPort = 0});
    feed.receive(FeedFormat::NetworkGps, QByteArray(1025, 'X'), Simulator);
    feed.receive(FeedFormat::NetworkGps, "XTRAFFIC,1,2,3", Simulator);
    feed.receive(FeedFormat::NetworkGps, "XGPSA,1,2", Simulator);
    feed.receive(FeedFormat::NetworkGps, "XGPSA,-71,95,0,0,0", Simulator);
    feed.receive(FeedFormat::Nmea, "$GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M*00", Simulator);
    QCOMPARE(feed.ignored(Rejection::TooLong), 1);
    QCOMPARE(feed.ignored(Rejection::Unknown), 1);
    QCOMPARE(feed.ignored(Rejection::Malformed), 1);
    QCOMPARE(feed.ignored(Rejection::OutOfRange), 1);
    QCOMPARE(feed.ignored(Rejection::BadChecksum), 1);
    QCOMPARE(feed.accepted(), 0);
    QCOMPARE(feed.state().status, FeedState::Status::Waiting);

    // A datagram of exactly 1 KiB is read.
    QByteArray padded = xgps(42.36, -71.0);
    padded = padded.replace("XGPSTest", "XGPS" + QByteArray(1024 - padded.size() + 4, 'T'));
    QCOMPARE(padded.size(), 1024);
    feed.receive(FeedFormat::NetworkGps, padded, Simulator);
    QCOMPARE(feed.accepted(), 1);
    QCOMPARE(feed.state().status, FeedState::Status::Live);
}

void TestPositionFeed::mergesFormatsOfOneSimulator()
{
    PositionFeed feed;
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = 0, .nmeaPort = 0});
    // An attitude before any position shows nothing.
    feed.receive(FeedFormat::NetworkGps, "XATTTest,90,0,0", Simulator);
    QCOMPARE(feed.state().status, FeedState::Status::Waiting);

    feed.receive(FeedFormat::NetworkGps, xgps(42.36, -71.0, 300, 45, 70), Simulator);
    feed.receive(FeedFormat::NetworkGps, "XATTTest,50,0,0", Simulator);
    QCOMPARE(feed.state().fix.heading->inDegrees(), 50.0);
    // An RMC sentence has no altitude: the last one is kept; its position, track and speed are new.
    feed.receive(FeedFormat::Nmea, "$GPRMC,1,A,4221.06,N,07100.72,W,100.0,90.0,120624,,*05", Simulator);
    const FeedState &state = feed.state();
    QCOMPARE(state.status, FeedState::Status::Live);
    QCOMPARE(state.fix.position->latitude(), 42 + 21.06 / 60);
    QCOMPARE(state.fix.altitude->inMetres(), 300.0);
    QCOMPARE(state.fix.track->inDegrees(), 90.0);
    QCOMPARE(state.fix.groundSpeed->inKnots(), 100.0);
    QCOMPARE(state.fix.heading->inDegrees(), 50.0);
    QVERIFY(state.lastData.isValid());
}

void TestPositionFeed::followsTheFirstSimulatorUntilItIsStale()
{
    PositionFeed feed({.staleAfter = 200ms, .updateInterval = 0ms});
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = 0, .nmeaPort = 0});
    feed.receive(FeedFormat::NetworkGps, xgps(42.36, -71.0), Simulator);
    feed.receive(FeedFormat::NetworkGps, xgps(10.0, 10.0), SecondSimulator);
    feed.receive(FeedFormat::NetworkGps, "XATTTest,180,0,0", SecondSimulator);
    QCOMPARE(feed.state().fix.position->latitude(), 42.36);
    QVERIFY(!feed.state().fix.heading);
    QCOMPARE(feed.state().otherSender, SecondSimulator);
    QCOMPARE(feed.notFollowed(), 1);

    // The first falls silent; the second goes on and is followed from then on, with nothing of the first.
    QTRY_COMPARE_WITH_TIMEOUT(feed.state().status, FeedState::Status::Stale, 2000);
    QVERIFY(!feed.state().otherSender);
    feed.receive(FeedFormat::NetworkGps, "XGPSTest,10.0,10.0,-5,0,0", SecondSimulator);
    QCOMPARE(feed.state().status, FeedState::Status::Live);
    QCOMPARE(feed.state().fix.position->latitude(), 10.0);
    QCOMPARE(feed.state().fix.altitude->inMetres(), -5.0);
    feed.receive(FeedFormat::NetworkGps, xgps(42.36, -71.0), Simulator);
    QCOMPARE(feed.state().fix.position->latitude(), 10.0);
    QCOMPARE(feed.state().otherSender, Simulator);
}

void TestPositionFeed::updatesAtMostTenTimesASecond()
{
    PositionFeed feed;
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = 0, .nmeaPort = 0});
    QSignalSpy updates(&feed, &PositionFeed::stateChanged);
    QElapsedTimer clock;
    clock.start();
    int sent = 0;
    while (clock.elapsed() < 1000) {
        feed.receive(FeedFormat::NetworkGps, xgps(42.0 + ++sent * 1e-5, -71.0), Simulator);
        QCoreApplication::processEvents();
    }
    QTest::qWait(150);
    // Some ten, fewer on a busy machine, never more.
    QVERIFY2(updates.size() >= 5 && updates.size() <= 12, qPrintable(QString::number(updates.size())));
    // The last one that reached the windows is the newest.
    QCOMPARE(feed.state().fix.position->latitude(), 42.0 + sent * 1e-5);
}

void TestPositionFeed::staleAfterSilence()
{
    PositionFeed feed({.staleAfter = 300ms, .updateInterval = 100ms});
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = 0, .nmeaPort = 0});
    QSignalSpy updates(&feed, &PositionFeed::stateChanged);
    feed.receive(FeedFormat::NetworkGps, xgps(42.36, -71.0), Simulator);
    QTest::qWait(150);
    feed.receive(FeedFormat::NetworkGps, xgps(42.37, -71.0), Simulator);
    QTest::qWait(200);
    QCOMPARE(feed.state().status, FeedState::Status::Live);
    QTRY_COMPARE_WITH_TIMEOUT(feed.state().status, FeedState::Status::Stale, 1000);
    // The last position stays, for the windows to show grey.
    QCOMPARE(feed.state().fix.position->latitude(), 42.37);
    QCOMPARE(updates.size(), 3);
    // Junk does not bring it back.
    feed.receive(FeedFormat::NetworkGps, "XGPSTest,junk", Simulator);
    QCOMPARE(feed.state().status, FeedState::Status::Stale);
}

void TestPositionFeed::offHearsNothing()
{
    PositionFeed feed;
    feed.listen({.listening = false});
    feed.receive(FeedFormat::NetworkGps, xgps(42.36, -71.0), Simulator);
    QCOMPARE(feed.state().status, FeedState::Status::Off);
    QCOMPARE(feed.accepted(), 0);
}

void TestPositionFeed::listensOnRealPorts()
{
    const quint16 gpsPort = freePort();
    const quint16 nmeaPort = freePort();
    PositionFeed feed;
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = gpsPort, .nmeaPort = nmeaPort});
    QVERIFY(feed.state().problems.isEmpty());
    QUdpSocket simulator;
    simulator.writeDatagram(xgps(42.36, -71.0), QHostAddress::LocalHost, gpsPort);
    QTRY_COMPARE(feed.state().status, FeedState::Status::Live);
    QCOMPARE(feed.state().fix.position->latitude(), 42.36);
    simulator.writeDatagram("$GPGGA,1,4221.06,N,07100.72,W,1,8,1,3,M*08", QHostAddress::LocalHost, nmeaPort);
    simulator.writeDatagram(QByteArray(2000, 'X'), QHostAddress::LocalHost, gpsPort);
    QTRY_COMPARE(feed.accepted(), 2);
    QTRY_COMPARE(feed.ignored(Rejection::TooLong), 1);
}

void TestPositionFeed::portInUseIsReportedAndTheOtherGoesOn()
{
    QUdpSocket taken;
    QVERIFY(taken.bind(QHostAddress::AnyIPv4, 0));
    const quint16 nmeaPort = freePort();
    PositionFeed feed;
    QSignalSpy updates(&feed, &PositionFeed::stateChanged);
    feed.listen({.listening = true,
                 .loopbackOnly = false,
                 .networkGpsPort = taken.localPort(),
                 .nmeaPort = nmeaPort});
    QCOMPARE(updates.size(), 1);
    QCOMPARE(feed.state().problems.size(), 1);
    QVERIFY2(feed.state().problems[0].contains(QStringLiteral("Port %1").arg(taken.localPort())) &&
                 feed.state().problems[0].contains(QLatin1String("in use")),
             qPrintable(feed.state().problems[0]));
    QCOMPARE(feed.state().status, FeedState::Status::Waiting);
    QUdpSocket simulator;
    simulator.writeDatagram("$GPRMC,1,A,4221.06,N,07100.72,W,100.0,90.0,120624,,*05", QHostAddress::LocalHost,
                            nmeaPort);
    QTRY_COMPARE(feed.state().status, FeedState::Status::Live);
}

void TestPositionFeed::floodLeavesTheEventLoopResponsive()
{
    const quint16 port = freePort();
    PositionFeed feed;
    feed.listen({.listening = true, .loopbackOnly = true, .networkGpsPort = port, .nmeaPort = 0});
    QSignalSpy updates(&feed, &PositionFeed::stateChanged);
    // 10,000 datagrams a second; a timer of the windows' kind keeps its pace meanwhile.
    Sender flood(port, 10000, 3s);
    QElapsedTimer clock;
    qint64 longestGap = 0;
    qint64 lastTick = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    clock.start();
    tick.start(20);
    flood.start();
    while (!flood.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    tick.stop();
    // A timer of 20 ms is never held up by more than a fraction of a second, even on a busy machine.
    QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
    QVERIFY2(feed.accepted() > flood.sent / 2,
             qPrintable(QStringLiteral("%1 of %2").arg(feed.accepted()).arg(flood.sent)));
    QVERIFY2(updates.size() <= 3 * 10 + 3, qPrintable(QString::number(updates.size())));
}

QTEST_GUILESS_MAIN(TestPositionFeed)
#include "tst_positionfeed.moc"
