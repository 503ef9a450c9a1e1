#include "net/host.h"

#include "net/identity.h"
#include "net/net_words.h"

#include <QNetworkDatagram>
#include <QTcpSocket>

namespace net {

Host::Host(HostSettings settings) : settings_(std::move(settings)), guard_(settings_.code, settings_.clock)
{
    waitingCheck.setObjectName(QStringLiteral("waitingCheck"));
    waitingCheck.setInterval(settings_.timing.silenceCheckMs);
    QObject::connect(&waitingCheck, &QTimer::timeout, [this] { waitingTick(); });
    QObject::connect(&server_, &QTcpServer::pendingConnectionAvailable, [this] { acceptConnections(); });
    QObject::connect(&search_, &QUdpSocket::readyRead, [this] { answerSearches(); });
}

Host::~Host() { stop(); }

bool Host::start()
{
    if (hosting())
        return true;
    if (!server_.listen(settings_.address, settings_.port)) {
        error_ = server_.errorString();
        return false;
    }
    // The answers to searches come from the same port number.
    if (!search_.bind(settings_.address, server_.serverPort())) {
        error_ = search_.errorString();
        server_.close();
        return false;
    }
    // waitingCheck runs only while a peer is connected and not yet joined:
    // a host nobody has reached wakes for nothing.
    return true;
}

void Host::stop()
{
    waitingCheck.stop();
    server_.close();
    search_.close();
    for (const int id : peerIds()) {
        Peer& peer = peers_.at(id);
        if (peer.seat >= 0)
            peer.connection->send(Bye{});
        peer.connection->close();
        remove(id);
    }
}

std::vector<int> Host::peerIds() const
{
    std::vector<int> ids;
    for (const auto& [id, peer] : peers_)
        ids.push_back(id);
    return ids;
}

quint16 Host::port() const { return server_.serverPort(); }

bool Host::seatTaken(int seat) const
{
    for (const auto& [id, peer] : peers_)
        if (peer.seat == seat)
            return true;
    return false;
}

bool Host::seatFree(int seat) const
{
    const bool open = seatOpen_ ? seatOpen_(seat) : settings_.openSeats[static_cast<std::size_t>(seat)];
    return open && !seatTaken(seat);
}

int Host::freeSeat() const
{
    for (int seat = 0; seat < kSeats; ++seat)
        if (seatFree(seat))
            return seat;
    return -1;
}

int Host::seatFor(const QString& name) const
{
    const auto held = lastSeat_.find(name);
    if (held != lastSeat_.end() && seatFree(held->second))
        return held->second;
    for (int seat = 0; seat < kSeats; ++seat) {
        bool heldByAnother = false;
        for (const auto& [other, otherSeat] : lastSeat_)
            heldByAnother = heldByAnother || otherSeat == seat;
        if (seatFree(seat) && !heldByAnother)
            return seat;
    }
    return freeSeat();
}

int Host::seatsFree() const
{
    int free = 0;
    for (int seat = 0; seat < kSeats; ++seat)
        free += seatFree(seat) ? 1 : 0;
    return free;
}

int Host::joinedCount() const
{
    int count = 0;
    for (const auto& [id, peer] : peers_)
        count += peer.seat >= 0 && peer.connection->isOpen() ? 1 : 0;
    return count;
}

Traffic Host::traffic(int seat) const
{
    for (const auto& [id, peer] : peers_)
        if (peer.seat == seat && peer.connection->isOpen())
            return peer.connection->traffic();
    return {};
}

int Host::waitingCount() const
{
    int count = 0;
    for (const auto& [id, peer] : peers_)
        count += peer.seat < 0 && peer.connection->isOpen() ? 1 : 0;
    return count;
}

void Host::send(int seat, const Message& message)
{
    if (seat < 0)
        return;  // waiting peers hear nothing but the hello and the answer to their join
    for (auto& [id, peer] : peers_)
        if (peer.seat == seat)
            peer.connection->send(message);
}

void Host::sendToAll(const Message& message)
{
    for (auto& [id, peer] : peers_)
        if (peer.seat >= 0)
            peer.connection->send(message);
}

void Host::drop(int seat, const QString& reason)
{
    for (const int id : peerIds()) {
        const auto it = peers_.find(id);
        if (it != peers_.end() && it->second.seat == seat)
            it->second.connection->drop(reason);
    }
}

void Host::waitingTick()
{
    const qint64 now = settings_.clock();
    for (const int id : peerIds()) {
        const auto it = peers_.find(id);
        if (it != peers_.end() && it->second.seat < 0 && now - it->second.connectedAt > settings_.timing.silenceMs)
            it->second.connection->drop(words::notJoinedInTime());
    }
    if (waitingCount() == 0)
        waitingCheck.stop();
}

void Host::acceptConnections()
{
    while (QTcpSocket* socket = server_.nextPendingConnection())
        welcome(std::unique_ptr<QTcpSocket>(socket));
}

void Host::welcome(std::unique_ptr<QTcpSocket> socket)
{
    socket->setParent(nullptr);
    const QHostAddress address = socket->peerAddress();
    if (waitingCount() >= kMostWaitingPeers) {
        socket->abort();
        return;
    }
    const int id = nextId_++;
    Peer& peer = peers_[id];
    peer.address = address;
    peer.connectedAt = settings_.clock();
    if (!waitingCheck.isActive())
        waitingCheck.start();
    peer.connection = std::make_unique<Connection>(std::move(socket), Side::Host, settings_.timing, settings_.clock);
    peer.connection->onMessage = [this, id](const Message& message) { received(id, message); };
    peer.connection->onDropped = [this, id](const QString& reason) { lost(id, reason); };
    peer.connection->start();
    if (!peer.connection->isOpen())
        return;
    Hello hello;
    hello.identity = settings_.identity;
    hello.hostName = settings_.hostName;
    peer.connection->send(hello);
    if (guard_.refuses(address))
        refuse(id, words::tooManyWrongCodes());
}

void Host::received(int id, const Message& message)
{
    Peer& peer = peers_.at(id);
    if (const Join* join = std::get_if<Join>(&message)) {
        if (peer.seat >= 0)
            peer.connection->drop(words::peerBroke());  // a second join
        else
            admit(id, *join);
        return;
    }
    if (std::holds_alternative<Bye>(message)) {
        peer.connection->close();
        lost(id, words::connectionClosed());
        return;
    }
    if (peer.seat < 0) {
        // Nothing but a join comes before the join.
        peer.connection->drop(words::peerBroke());
        return;
    }
    if (onIntent)
        onIntent(peer.seat, message);
}

void Host::admit(int id, const Join& join)
{
    Peer& peer = peers_.at(id);
    if (guard_.refuses(peer.address)) {
        refuse(id, words::tooManyWrongCodes());
        return;
    }
    const QString differ = differences(settings_.identity, join.identity);
    if (!differ.isEmpty()) {
        refuse(id, differ);
        return;
    }
    if (!guard_.admits(peer.address, join.code)) {
        refuse(id, words::wrongCode());
        return;
    }
    const int seat = seatFor(join.name);
    if (seat < 0) {
        refuse(id, words::noSeatFree());
        return;
    }
    peer.seat = seat;
    lastSeat_[join.name] = seat;
    peer.connection->send(Accept{seat});
    if (onJoined)
        onJoined(Seated{seat, join.name, join.character});
}

void Host::refuse(int id, const QString& reason)
{
    Peer& peer = peers_.at(id);
    peer.connection->send(Refuse{reason});
    peer.connection->close();
    if (onRefused)
        onRefused(peer.address, reason);
    remove(id);
}

void Host::lost(int id, const QString& reason)
{
    const auto it = peers_.find(id);
    if (it == peers_.end())
        return;
    const int seat = it->second.seat;
    const QHostAddress address = it->second.address;
    remove(id);
    if (seat >= 0) {
        if (onLeft)
            onLeft(seat, reason);
    } else if (onRefused) {
        onRefused(address, reason);
    }
}

void Host::remove(int id)
{
    const auto it = peers_.find(id);
    if (it == peers_.end())
        return;
    // The connection may be the one whose callback is running: it goes when
    // the event loop comes round. Its seat is free at once.
    std::shared_ptr<Connection> gone(it->second.connection.release());
    peers_.erase(it);
    QMetaObject::invokeMethod(&server_, [gone] {}, Qt::QueuedConnection);
}

void Host::answerSearches()
{
    while (search_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = search_.receiveDatagram(kMaxSearchBytes + 1);
        if (datagram.data().size() > kMaxSearchBytes || !datagram.isValid())
            continue;
        const std::optional<SearchRequest> request = decodeSearchRequest(datagram.data());
        if (!request)
            continue;
        SearchAnswer answer;
        answer.program = settings_.identity.program;
        answer.edition = settings_.identity.edition;
        answer.hostName = settings_.hostName;
        answer.seatsFree = seatsFree();
        answer.port = server_.serverPort();
        // Only ever to the one who asked.
        search_.writeDatagram(encodeSearch(answer), datagram.senderAddress(),
                              static_cast<quint16>(datagram.senderPort()));
    }
}

}  // namespace net
