#include "net/joiner.h"

#include "net/identity.h"
#include "net/net_words.h"

namespace net {

Joiner::Joiner(JoinSettings settings) : settings_(std::move(settings)) {}

Joiner::~Joiner()
{
    if (pending_)
        pending_->disconnect();
}

void Joiner::start()
{
    if (pending_ || connection_ || over_)
        return;
    // A code that cannot be right is not worth a connection (nor a try
    // counted against this address).
    bool digits = settings_.code.size() == kCodeChars;
    for (const QChar c : settings_.code)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits) {
        ended(words::wrongCode());
        return;
    }
    pending_ = std::make_unique<QTcpSocket>();
    QObject::connect(pending_.get(), &QTcpSocket::connected, [this] { connected(); });
    QObject::connect(pending_.get(), &QTcpSocket::errorOccurred, [this] {
        pending_->disconnect();
        ended(words::hostGone());
    });
    pending_->connectToHost(settings_.address, settings_.port);
}

void Joiner::leave()
{
    over_ = true;
    if (pending_) {
        pending_->disconnect();
        pending_->abort();
    }
    if (connection_ && connection_->isOpen()) {
        connection_->send(Bye{});
        connection_->close();
    }
}

bool Joiner::send(const Message& intent)
{
    return joined() && connection_->send(intent);
}

void Joiner::connected()
{
    pending_->disconnect();
    connection_ = std::make_unique<Connection>(std::move(pending_), Side::Joined, settings_.timing, settings_.clock);
    connection_->onMessage = [this](const Message& message) { received(message); };
    connection_->onDropped = [this](const QString& reason) { ended(reason); };
    connection_->start();
    Join join;
    join.identity = settings_.identity;
    join.code = settings_.code;
    join.name = settings_.name;
    join.character = settings_.character;
    connection_->send(join);
}

void Joiner::received(const Message& message)
{
    if (const Hello* hello = std::get_if<Hello>(&message)) {
        if (helloSeen_) {
            connection_->drop(words::peerBroke());
            return;
        }
        helloSeen_ = true;
        hostName_ = hello->hostName;
        const QString differ = differences(hello->identity, settings_.identity);
        if (!differ.isEmpty()) {
            connection_->close();
            ended(differ);
        }
        return;
    }
    if (std::holds_alternative<Bye>(message)) {
        connection_->close();
        ended(words::hostClosed());
        return;
    }
    if (const Refuse* refuse = std::get_if<Refuse>(&message)) {
        if (seat_ >= 0) {
            connection_->drop(words::peerBroke());  // a refusal after the accept
            return;
        }
        connection_->close();
        ended(refuse->reason);
        return;
    }
    if (const Accept* accept = std::get_if<Accept>(&message)) {
        if (!helloSeen_ || seat_ >= 0) {
            connection_->drop(words::peerBroke());
            return;
        }
        seat_ = accept->seat;
        if (onAccepted)
            onAccepted(seat_);
        return;
    }
    // Windows and messages come only after the accept.
    if (seat_ < 0) {
        connection_->drop(words::peerBroke());
        return;
    }
    if (onMessage)
        onMessage(message);
}

void Joiner::ended(const QString& reason)
{
    if (over_)
        return;
    over_ = true;
    if (seat_ >= 0) {
        if (onLost)
            onLost(reason);
    } else if (onRefused) {
        onRefused(reason);
    }
}

}  // namespace net
