#pragma once

#include "net/connection.h"
#include "net/messages.h"
#include "net/protocol.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <functional>
#include <memory>

namespace net {

struct JoinSettings {
    Identity identity;
    QHostAddress address;
    quint16 port = kDefaultPort;
    QString code;
    QString name;
    int character = 1;
    Timing timing;
    Clock clock = steadyClock();
};

// The joining side. Nothing is opened until start(). It connects, sends its
// join, checks the host's hello against its own identity (and leaves, saying
// what differs, when they do not match), and once accepted passes on what
// the host sends about its windows and messages. Its intents go out through
// send(). The owner never deletes a joiner from inside one of its callbacks.
class Joiner {
public:
    explicit Joiner(JoinSettings settings);
    ~Joiner();
    Joiner(const Joiner&) = delete;
    Joiner& operator=(const Joiner&) = delete;

    void start();
    // Says bye and closes.
    void leave();

    bool joined() const { return seat_ >= 0 && connection_ && connection_->isOpen(); }
    int seat() const { return seat_; }
    // The host's name from its hello.
    const QString& hostName() const { return hostName_; }

    // Sends an intent (click, key, pointer move, message OK); only once joined.
    bool send(const Message& intent);

    std::function<void(int seat)> onAccepted;
    // Refused before joining: the reason in the players' words.
    std::function<void(const QString& reason)> onRefused;
    // What the host says about its windows, fields and messages.
    std::function<void(const Message& message)> onMessage;
    // The game is over for this program after joining: the host left, went
    // silent or broke the protocol.
    std::function<void(const QString& reason)> onLost;

    // The frames exchanged with the host (none before the connection is made).
    Traffic traffic() const { return connection_ ? connection_->traffic() : Traffic{}; }

    // The connection, once made (for its timers).
    Connection* connection() const { return connection_.get(); }

private:
    void connected();
    void received(const Message& message);
    void ended(const QString& reason);

    JoinSettings settings_;
    std::unique_ptr<QTcpSocket> pending_;
    std::unique_ptr<Connection> connection_;
    QString hostName_;
    bool helloSeen_ = false;
    bool over_ = false;
    int seat_ = -1;
};

}  // namespace net
