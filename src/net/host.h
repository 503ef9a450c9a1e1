#pragma once

#include "net/code_guard.h"
#include "net/connection.h"
#include "net/messages.h"
#include "net/protocol.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>
#include <QUdpSocket>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace net {

struct HostSettings {
    Identity identity;
    QString hostName;
    // The join code: kCodeChars digits, or empty to draw one.
    QString code;
    // Where to listen: every address in the game, the loopback in tests.
    QHostAddress address = QHostAddress::Any;
    quint16 port = kDefaultPort;
    // The seats a joining player may take, by slot.
    std::array<bool, kSeats> openSeats{};
    Timing timing;
    Clock clock = steadyClock();
};

// A joined player as the host knows it.
struct Seated {
    int seat = 0;
    QString name;
    int character = 1;
};

// The hosting side. Nothing listens until start(); from then on it listens on
// its one port (TCP for joining, UDP for answering searches) until stop().
//
// A connection first gets the host's hello. It must join (identity, code,
// name, character) within silenceMs. A refused address, a mismatched
// identity, a wrong code or a full table gets a refusal saying why, and the
// connection is closed. A joined player's intents (click, key, pointer move,
// message OK) go to onIntent with its seat. A peer that sends what no honest
// program sends is dropped; the others go on.
//
// The owner never deletes a host from inside one of its callbacks.
class Host {
public:
    explicit Host(HostSettings settings);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // Starts listening; false, with errorText() saying why, when the port
    // cannot be had.
    bool start();
    // Says bye to every joined player and stops listening.
    void stop();

    bool hosting() const { return server_.isListening(); }
    QString errorText() const { return error_; }
    const QString& code() const { return guard_.code(); }
    quint16 port() const;

    // The seats a joining player may take from now on. A joined player
    // whose seat closes stays until the owner drops them.
    void setOpenSeats(const std::array<bool, kSeats>& seats) { settings_.openSeats = seats; }
    // Or asks, at each join and search, whether a seat is open now.
    void askOpenSeats(std::function<bool(int seat)> open) { seatOpen_ = std::move(open); }
    int seatsFree() const;
    int joinedCount() const;
    int waitingCount() const;
    // The frames exchanged with the player joined at a seat (none when nobody is).
    Traffic traffic(int seat) const;

    // Sends to one joined seat, or to every joined seat.
    void send(int seat, const Message& message);
    void sendToAll(const Message& message);

    // Drops the player joined at a seat, as a peer that broke the protocol
    // is dropped: onLeft follows.
    void drop(int seat, const QString& reason);

    // Drops waiting peers that have not joined within silenceMs. Called by
    // waitingCheck (and by tests, by hand), which runs only while some peer
    // is connected and has not joined: it stops at the first tick that finds
    // none.
    void waitingTick();

    std::function<void(const Seated&)> onJoined;
    std::function<void(int seat, const Message& intent)> onIntent;
    std::function<void(int seat, const QString& reason)> onLeft;
    // A connection refused or dropped before it joined.
    std::function<void(const QHostAddress& address, const QString& reason)> onRefused;

    QTimer waitingCheck;

private:
    struct Peer {
        std::unique_ptr<Connection> connection;
        QHostAddress address;
        qint64 connectedAt = 0;
        int seat = -1;  // -1 while waiting to join
    };

    void acceptConnections();
    void welcome(std::unique_ptr<QTcpSocket> socket);
    void received(int id, const Message& message);
    void admit(int id, const Join& join);
    void refuse(int id, const QString& reason);
    void lost(int id, const QString& reason);
    void remove(int id);
    void answerSearches();
    bool seatTaken(int seat) const;
    bool seatFree(int seat) const;
    int freeSeat() const;
    // The seat for a joining player: the one the same name held before, if
    // it is free, else a free seat nobody else held, else any free seat.
    int seatFor(const QString& name) const;
    std::vector<int> peerIds() const;

    HostSettings settings_;
    CodeGuard guard_;
    QTcpServer server_;
    QUdpSocket search_;
    std::map<int, Peer> peers_;
    int nextId_ = 0;
    // The seat each name last held, for a player who comes back.
    std::map<QString, int> lastSeat_;
    std::function<bool(int seat)> seatOpen_;
    QString error_;
};

}  // namespace net
