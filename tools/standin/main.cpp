// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a flight simulator: replays a track file as the datagrams X-Plane and FlightGear send,
// to 127.0.0.1, for the tests and for trying the program without a simulator.

#include "SimulatorDatagrams.h"
#include "TrackFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QUdpSocket>

#include <cstdio>

namespace {

struct Ports {
    quint16 networkGps = 0; // 0: not sent
    quint16 nmea = 0;
};

void send(QUdpSocket &socket, const QByteArray &datagram, quint16 port)
{
    if (port != 0)
        socket.writeDatagram(datagram, QHostAddress::LocalHost, port);
}

void sleepUntil(const QElapsedTimer &clock, qint64 nanoseconds)
{
    const qint64 left = nanoseconds - clock.nsecsElapsed();
    if (left > 0)
        QThread::usleep(std::uint64_t(left / 1000));
}

// The track in real time (or faster), rate datagrams a second of each format.
void replay(const QList<TrackPoint> &track, const Ports &ports, double rate, double speed)
{
    QUdpSocket socket;
    QElapsedTimer clock;
    clock.start();
    const double start = track.first().seconds;
    const double length = track.last().seconds - start;
    for (qint64 step = 0;; ++step) {
        const double elapsed = step / rate;
        sleepUntil(clock, qint64(elapsed * 1e9));
        const TrackPoint point = pointAt(track, start + std::min(elapsed * speed, length));
        send(socket, networkGpsDatagram(point), ports.networkGps);
        send(socket, nmeaDatagram(point), ports.nmea);
        if (elapsed * speed >= length)
            return;
    }
}

// The track's first point, rate datagrams a second for some seconds, in the network GPS format only.
void flood(const QList<TrackPoint> &track, const Ports &ports, double rate, double seconds)
{
    QUdpSocket socket;
    QElapsedTimer clock;
    clock.start();
    const QByteArray datagram = networkGpsDatagram(track.first());
    for (qint64 sent = 0; clock.nsecsElapsed() < qint64(seconds * 1e9);) {
        for (const qint64 due = qint64(clock.nsecsElapsed() * rate / 1e9); sent < due; ++sent)
            send(socket, datagram, ports.networkGps);
        QThread::usleep(500);
    }
}

void sendJunk(const Ports &ports)
{
    QUdpSocket socket;
    for (const QByteArray &datagram : junkDatagrams()) {
        send(socket, datagram, ports.networkGps);
        send(socket, datagram, ports.nmea);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Replays a track file (seconds, latitude, longitude, altitude in feet, track, ground speed in knots, "
        "one point a line) to 127.0.0.1 as X-Plane and FlightGear send their position."));
    parser.addHelpOption();
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("xgps, nmea or both (both)."),
                                    QStringLiteral("format"), QStringLiteral("both"));
    const QCommandLineOption xgpsPort(QStringLiteral("xgps-port"),
                                      QStringLiteral("Port of the network GPS text (49002)."),
                                      QStringLiteral("port"), QStringLiteral("49002"));
    const QCommandLineOption nmeaPort(QStringLiteral("nmea-port"),
                                      QStringLiteral("Port of the NMEA sentences (10110)."),
                                      QStringLiteral("port"), QStringLiteral("10110"));
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("Datagrams a second of each format (2)."),
                                  QStringLiteral("rate"), QStringLiteral("2"));
    const QCommandLineOption floodFor(QStringLiteral("flood"),
                                      QStringLiteral("Sends the first point at --rate for this many seconds, "
                                                     "network GPS only, as fast as asked."),
                                      QStringLiteral("seconds"));
    const QCommandLineOption junk(
        QStringLiteral("junk"),
        QStringLiteral("Sends datagrams that a listener must ignore, once each, and stops."));
    const QCommandLineOption speed(
        QStringLiteral("speed"),
        QStringLiteral("How many times faster than real time the track is flown (1)."),
        QStringLiteral("factor"), QStringLiteral("1"));
    parser.addOptions({format, xgpsPort, nmeaPort, rate, speed, floodFor, junk});
    parser.addPositionalArgument(QStringLiteral("track"), QStringLiteral("The track file."));
    parser.process(application);

    const QString chosen = parser.value(format);
    const double perSecond = parser.value(rate).toDouble();
    const double faster = parser.value(speed).toDouble();
    if (!QStringList{"xgps", "nmea", "both"}.contains(chosen) || !(perSecond > 0) || !(faster > 0)) {
        std::fprintf(stderr,
                     "sim-standin: --format is xgps, nmea or both; --rate and --speed numbers above 0\n");
        return 2;
    }
    const Ports ports{chosen == u"nmea" ? quint16(0) : quint16(parser.value(xgpsPort).toUInt()),
                      chosen == u"xgps" ? quint16(0) : quint16(parser.value(nmeaPort).toUInt())};
    if (parser.isSet(junk)) {
        sendJunk(ports);
        return 0;
    }
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const TrackReading reading = readTrackFile(parser.positionalArguments().first());
    if (!reading.error.isEmpty()) {
        std::fprintf(stderr, "sim-standin: %s\n", qPrintable(reading.error));
        return 1;
    }
    if (parser.isSet(floodFor))
        flood(reading.points, ports, perSecond, parser.value(floodFor).toDouble());
    else
        replay(reading.points, ports, perSecond, faster);
    return 0;
}
