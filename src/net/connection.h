#pragma once

#include "net/codec.h"
#include "net/frame.h"
#include "net/messages.h"
#include "net/protocol.h"

#include <QHostAddress>
#include <QTimer>

#include <functional>
#include <memory>

class QTcpSocket;

namespace net {

// Frames that went out and frames that came in on one connection, pings and
// pongs included. One side's sent equals the other's received once nothing is
// under way between them.
struct Traffic {
    qint64 sent = 0;
    qint64 received = 0;
};

// One open connection, on either side: frames out, frames in, each read as a
// message that side may receive. Anything else (a frame over the limit, bytes
// that are no such message, a peer that stops reading) drops the peer. Both
// sides ping every pingMs; a peer heard from for no silenceMs is dropped.
//
// The owner never deletes a connection from inside one of its callbacks; it
// lets the event loop come round first. A peer that leaves more than
// kMostUnsentBytes unread is dropped at the next silence check.
class Connection {
public:
    // Takes the socket, which is connected already. Nothing happens until start().
    Connection(std::unique_ptr<QTcpSocket> socket, Side reader, Timing timing, Clock clock);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Starts the ping and the silence check and reads what has arrived.
    void start();

    // Sends a message; false (and nothing sent) when it would not fit one
    // frame or the connection is over. Never reports a drop from inside.
    bool send(const Message& message);

    // Sends what is queued and closes, reporting nothing.
    void close();
    // Cuts the connection and reports why, once.
    void drop(const QString& reason);

    bool isOpen() const { return open_; }
    QHostAddress peerAddress() const;
    Traffic traffic() const { return traffic_; }

    // The periodic tasks, called by their timers (and by tests, by hand).
    void pingTick();
    void silenceTick();

    // A message the peer sent (pings and pongs are answered here and not
    // passed on).
    std::function<void(const Message&)> onMessage;
    // The connection ended without close(): the reason in the players' words.
    std::function<void(const QString& reason)> onDropped;

    QTimer pingTimer;
    QTimer silenceCheck;

private:
    void readAvailable();
    void stopTimers();

    std::unique_ptr<QTcpSocket> socket_;
    Side reader_;
    Timing timing_;
    Clock clock_;
    FrameReader frames_;
    qint64 lastHeard_ = 0;
    bool open_ = true;
    bool stalled_ = false;
    Traffic traffic_;
};

// The most bytes a peer may leave unread before it counts as gone.
inline constexpr qint64 kMostUnsentBytes = 1024 * 1024;

}  // namespace net
