// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FeedState.h"
#include "LinkSettings.h"
#include "SenderChoice.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <array>
#include <chrono>
#include <memory>

class QUdpSocket;

namespace simlink {

enum class FeedFormat { NetworkGps, Nmea };

// How soon a feed is stale, and how often at most the windows hear of it.
struct FeedTiming {
    std::chrono::milliseconds staleAfter{5000};
    std::chrono::milliseconds updateInterval{100};
};

// The aircraft's position as simulators send it over UDP: listens (never sends) on one port for the
// network-GPS text format and one for NMEA, reads each datagram strictly, and keeps what the windows show.
// Datagrams over 1 KiB, records it cannot read and values out of range are ignored and counted. A position
// reaches the windows at most once an update interval, the newest one; after staleAfter without a position
// the feed is stale. With two simulators sending, it follows the first until that one is stale.
class PositionFeed final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PositionFeed)

public:
    static constexpr qsizetype MaxDatagramBytes = 1024;

    explicit PositionFeed(FeedTiming timing = {}, QObject *parent = nullptr);
    ~PositionFeed() override;

    // Stops listening, then listens as the settings say. A port it cannot listen on is named in the state's
    // problems and logged, once; the other format's port goes on.
    void listen(const LinkSettings &settings);
    // One datagram as it arrived on the port of a format: the sockets hand in what they read, tests what
    // they make.
    void receive(FeedFormat format, QByteArrayView datagram, const QHostAddress &sender);

    const FeedState &state() const { return m_state; }
    qint64 accepted() const { return m_accepted; }
    qint64 ignored(Rejection why) const { return m_ignored[std::size_t(why)]; }
    // Positions from a second simulator, not followed.
    qint64 notFollowed() const { return m_notFollowed; }

signals:
    // The state has changed: a new position at most once an update interval, anything else at once.
    void stateChanged();

private:
    void openPort(FeedFormat format, const QHostAddress &address, quint16 port);
    void readDatagrams(QUdpSocket *socket, FeedFormat format);
    void ignore(Rejection why);
    void takePosition(const AircraftReport &report, const QHostAddress &sender);
    void checkStale();
    void announceSoon();
    void announce();

    FeedTiming m_timing;
    std::array<std::unique_ptr<QUdpSocket>, 2> m_sockets;
    FeedState m_state;
    SenderChoice m_senders;
    QHostAddress m_fixSender;
    QTimer m_staleTimer;
    QTimer m_announceTimer;
    QElapsedTimer m_sinceAnnounced;
    QElapsedTimer m_sincePosition;
    qint64 m_accepted = 0;
    qint64 m_notFollowed = 0;
    std::array<qint64, 7> m_ignored{};
};

} // namespace simlink
