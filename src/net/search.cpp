#include "net/search.h"

#include "net/codec.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>

namespace net {

Search::Search(Identity identity, QHostAddress bindTo) : identity_(std::move(identity)), bindTo_(std::move(bindTo))
{
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] { readAnswers(); });
}

bool Search::ask(const QHostAddress& to, quint16 port)
{
    if (socket_.state() != QAbstractSocket::BoundState && !socket_.bind(bindTo_, 0))
        return false;
    SearchRequest request;
    request.program = identity_.program;
    request.protocol = identity_.protocol;
    return socket_.writeDatagram(encodeSearch(request), to, port) >= 0;
}

void Search::readAnswers()
{
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_.receiveDatagram(kMaxSearchBytes + 1);
        if (!datagram.isValid() || datagram.data().size() > kMaxSearchBytes)
            continue;
        const std::optional<SearchAnswer> answer = decodeSearchAnswer(datagram.data());
        if (answer && onFound)
            onFound(HostFound{datagram.senderAddress(), *answer});
    }
}

QHostAddress localBroadcastAddress()
{
    for (const QNetworkInterface& network : QNetworkInterface::allInterfaces()) {
        const auto flags = network.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : network.addressEntries())
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol && !entry.broadcast().isNull())
                return entry.broadcast();
    }
    return QHostAddress(QHostAddress::Broadcast);
}

}  // namespace net
