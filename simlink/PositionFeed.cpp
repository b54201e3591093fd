// SPDX-License-Identifier: GPL-3.0-or-later
#include "PositionFeed.h"

#include "FeedLog.h"
#include "NetworkGpsParser.h"
#include "NmeaParser.h"

#include <QCoreApplication>
#include <QUdpSocket>

namespace simlink {

namespace {

// Datagrams read in one turn of the event loop before the windows get theirs.
constexpr int DatagramsPerTurn = 64;

struct FeedMessages {
    Q_DECLARE_TR_FUNCTIONS(FeedMessages)
};

QString formatName(FeedFormat format)
{
    return format == FeedFormat::NetworkGps ? FeedMessages::tr("X-Plane and FlightGear network GPS")
                                            : FeedMessages::tr("NMEA");
}

const char *rejectionName(Rejection why)
{
    switch (why) {
    case Rejection::TooLong:
        return "longer than 1 KiB";
    case Rejection::Unknown:
        return "not a record of the port's format";
    case Rejection::Malformed:
        return "fields missing or not numbers";
    case Rejection::OutOfRange:
        return "a value out of range";
    case Rejection::BadChecksum:
        return "a wrong checksum";
    case Rejection::NoFix:
        return "no position";
    case Rejection::None:
        break;
    }
    return "";
}

} // namespace

PositionFeed::PositionFeed(FeedTiming timing, QObject *parent)
    : QObject(parent)
    , m_timing(timing)
    , m_senders(timing.staleAfter)
{
    m_staleTimer.setSingleShot(true);
    connect(&m_staleTimer, &QTimer::timeout, this, &PositionFeed::checkStale);
    m_announceTimer.setSingleShot(true);
    connect(&m_announceTimer, &QTimer::timeout, this, &PositionFeed::announce);
}

PositionFeed::~PositionFeed() = default;

void PositionFeed::listen(const LinkSettings &settings)
{
    for (std::unique_ptr<QUdpSocket> &socket : m_sockets)
        socket.reset();
    m_staleTimer.stop();
    m_senders.forget();
    m_state = {};
    if (settings.listening) {
        m_state.status = FeedState::Status::Waiting;
        const QHostAddress address(settings.loopbackOnly ? QHostAddress::LocalHost : QHostAddress::AnyIPv4);
        openPort(FeedFormat::NetworkGps, address, settings.networkGpsPort);
        openPort(FeedFormat::Nmea, address, settings.nmeaPort);
    }
    announce();
}

void PositionFeed::openPort(FeedFormat format, const QHostAddress &address, quint16 port)
{
    auto socket = std::make_unique<QUdpSocket>();
    if (!socket->bind(address, port, QAbstractSocket::DontShareAddress)) {
        const QString problem = socket->error() == QAbstractSocket::AddressInUseError
                                    ? tr("Port %1 (%2) is in use by another program: that feed is not heard.")
                                          .arg(port)
                                          .arg(formatName(format))
                                    : tr("Port %1 (%2) cannot be listened on: %3. That feed is not heard.")
                                          .arg(port)
                                          .arg(formatName(format), socket->errorString());
        qCWarning(lcSimlink).noquote() << problem;
        m_state.problems.append(problem);
        return;
    }
    qCInfo(lcSimlink).noquote() << "listening for" << formatName(format) << "on" << address.toString()
                                << "port" << port;
    connect(socket.get(), &QUdpSocket::readyRead, this,
            [this, socket = socket.get(), format] { readDatagrams(socket, format); });
    m_sockets[std::size_t(format)] = std::move(socket);
}

// A flood of datagrams is read a few at a time, so that the windows keep their turns of the event loop: the
// socket says again that it can be read while datagrams are left.
void PositionFeed::readDatagrams(QUdpSocket *socket, FeedFormat format)
{
    char buffer[MaxDatagramBytes + 1];
    for (int count = 0; count < DatagramsPerTurn && socket->hasPendingDatagrams(); ++count) {
        const qint64 size = socket->pendingDatagramSize();
        QHostAddress sender;
        const qint64 read = socket->readDatagram(buffer, sizeof buffer, &sender);
        if (read < 0)
            return;
        if (size > MaxDatagramBytes)
            ignore(Rejection::TooLong);
        else
            receive(format, QByteArrayView(buffer, read), sender);
    }
}

void PositionFeed::receive(FeedFormat format, QByteArrayView datagram, const QHostAddress &sender)
{
    if (m_state.status == FeedState::Status::Off)
        return;
    if (datagram.size() > MaxDatagramBytes)
        return ignore(Rejection::TooLong);
    const ParsedDatagram parsed =
        format == FeedFormat::NetworkGps ? parseNetworkGps(datagram) : parseNmea(datagram);
    if (!parsed.report)
        return ignore(parsed.rejection);
    ++m_accepted;
    if (parsed.report->position) {
        takePosition(*parsed.report, sender);
    } else if (parsed.report->heading && m_state.status == FeedState::Status::Live &&
               m_senders.isFollowed(sender)) {
        m_state.fix.heading = parsed.report->heading;
        announceSoon();
    }
}

void PositionFeed::ignore(Rejection why)
{
    if (m_ignored[std::size_t(why)]++ == 0)
        qCInfo(lcSimlink) << "a datagram was ignored:" << rejectionName(why)
                          << "(the first; others are counted)";
}

void PositionFeed::takePosition(const AircraftReport &report, const QHostAddress &sender)
{
    const auto now = SenderChoice::Clock::now();
    if (!m_senders.follow(sender, now)) {
        ++m_notFollowed;
        if (m_state.otherSender != sender) {
            m_state.otherSender = sender;
            announceSoon();
        }
        return;
    }
    // A new simulator's values do not mix with the last one's.
    if (sender != m_fixSender || m_state.status != FeedState::Status::Live)
        m_state.fix = {};
    m_fixSender = sender;
    m_state.fix.position = report.position;
    if (report.altitude)
        m_state.fix.altitude = report.altitude;
    if (report.track)
        m_state.fix.track = report.track;
    if (report.groundSpeed)
        m_state.fix.groundSpeed = report.groundSpeed;
    m_state.status = FeedState::Status::Live;
    m_state.lastData = QDateTime::currentDateTime();
    m_state.otherSender = m_senders.otherSender(now);
    m_sincePosition.start();
    if (!m_staleTimer.isActive())
        m_staleTimer.start(m_timing.staleAfter);
    announceSoon();
}

// The timer is not restarted for every position (a flood of them would keep the event loop busy with
// timers): it looks when it is due whether a position came meanwhile.
void PositionFeed::checkStale()
{
    const std::chrono::milliseconds since(m_sincePosition.elapsed());
    if (since < m_timing.staleAfter) {
        m_staleTimer.start(m_timing.staleAfter - since);
        return;
    }
    m_state.status = FeedState::Status::Stale;
    m_state.otherSender.reset();
    announce();
}

// The newest state reaches the windows at most once an update interval.
void PositionFeed::announceSoon()
{
    if (m_announceTimer.isActive())
        return;
    const auto since = std::chrono::milliseconds(
        m_sinceAnnounced.isValid() ? m_sinceAnnounced.elapsed() : m_timing.updateInterval.count());
    if (since >= m_timing.updateInterval)
        announce();
    else
        m_announceTimer.start(m_timing.updateInterval - since);
}

void PositionFeed::announce()
{
    m_announceTimer.stop();
    m_sinceAnnounced.start();
    emit stateChanged();
}

} // namespace simlink
