#include "app/network_search.h"

#include "net/program_identity.h"
#include "net/protocol.h"
#include "setup/network_window.h"

#include <QHostAddress>

NetworkSearch::NetworkSearch(Edition edition, NetworkWindow& window, QHostAddress searchAddress,
                             quint16 searchPort)
    : window_(window)
    , address_(std::move(searchAddress))
    , port_(searchPort)
    // Answers come back by unicast to the asker: a loopback search listens on
    // the loopback only.
    , search_(net::programIdentity(edition),
              address_.isLoopback() ? QHostAddress(QHostAddress::LocalHost) : QHostAddress(QHostAddress::AnyIPv4))
{
    search_.onFound = [this](const net::HostFound& host) { found(host); };
    window_.onSearch = [this] { ask(); };
}

void NetworkSearch::ask()
{
    games_.clear();
    window_.showFound(games_);
    search_.ask(address_, port_);
}

void NetworkSearch::found(const net::HostFound& host)
{
    // An IPv4 host answering a dual-stack socket shows as ::ffff:a.b.c.d.
    bool isIpv4 = false;
    const quint32 ipv4 = host.address.toIPv4Address(&isIpv4);
    const QString address = isIpv4 ? QHostAddress(ipv4).toString() : host.address.toString();
    if (host.answer.port < 1 || host.answer.port > 65535)
        return;
    const auto port = static_cast<quint16>(host.answer.port);
    for (const FoundGame& game : games_)
        if (game.address == address && game.port == port)
            return;
    games_.push_back(FoundGame{address, port, host.answer.hostName, host.answer.edition, host.answer.seatsFree});
    window_.showFound(games_);
}
