#pragma once

#include "net/messages.h"
#include "net/protocol.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <functional>

namespace net {

// A host that answered a search.
struct HostFound {
    QHostAddress address;
    SearchAnswer answer;
};

// The joining side's search for hosts. Nothing is opened until ask(); each
// ask sends one datagram to the address it is given (the local network's
// broadcast address in the game, the loopback in tests), and every answer
// that comes back to this program's own port is passed on.
class Search {
public:
    explicit Search(Identity identity, QHostAddress bindTo = QHostAddress::AnyIPv4);
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    // Sends one search; false when no socket could be had.
    bool ask(const QHostAddress& to, quint16 port = kDefaultPort);

    std::function<void(const HostFound&)> onFound;

private:
    void readAnswers();

    Identity identity_;
    QHostAddress bindTo_;
    QUdpSocket socket_;
};

// The address the game searches by default: the broadcast address of the
// first running, non-loopback IPv4 network, or the limited broadcast address
// when there is none.
QHostAddress localBroadcastAddress();

}  // namespace net
