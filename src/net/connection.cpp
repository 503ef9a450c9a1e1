#include "net/connection.h"

#include "net/net_words.h"

#include <QCoreApplication>
#include <QTcpSocket>

namespace net {

Connection::Connection(std::unique_ptr<QTcpSocket> socket, Side reader, Timing timing, Clock clock)
    : socket_(std::move(socket)), reader_(reader), timing_(timing), clock_(std::move(clock))
{
    pingTimer.setObjectName(QStringLiteral("pingTimer"));
    pingTimer.setInterval(timing_.pingMs);
    silenceCheck.setObjectName(QStringLiteral("silenceCheck"));
    silenceCheck.setInterval(timing_.silenceCheckMs);
    QObject::connect(&pingTimer, &QTimer::timeout, [this] { pingTick(); });
    QObject::connect(&silenceCheck, &QTimer::timeout, [this] { silenceTick(); });
}

Connection::~Connection()
{
    if (!socket_)
        return;
    // The socket's own last signals must not reach a connection half gone.
    socket_->disconnect();
    socket_->abort();
}

void Connection::start()
{
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    lastHeard_ = clock_();
    QObject::connect(socket_.get(), &QTcpSocket::readyRead, [this] { readAvailable(); });
    QObject::connect(socket_.get(), &QTcpSocket::disconnected, [this] { drop(words::connectionClosed()); });
    QObject::connect(socket_.get(), &QTcpSocket::errorOccurred, [this] { drop(words::connectionClosed()); });
    pingTimer.start();
    silenceCheck.start();
    if (socket_->state() != QAbstractSocket::ConnectedState)
        drop(words::connectionClosed());
    else
        readAvailable();
}

bool Connection::send(const Message& message)
{
    if (!open_)
        return false;
    const QByteArray payload = encode(message);
    if (payload.size() > kMaxFrameBytes)
        return false;
    socket_->write(framed(payload));
    ++traffic_.sent;
    // A peer that reads nothing is let go at the next silence check, never
    // from inside a send, so that a sender's loop over its peers stays sound.
    stalled_ = stalled_ || socket_->bytesToWrite() > kMostUnsentBytes;
    return true;
}

void Connection::close()
{
    if (!open_)
        return;
    open_ = false;
    stopTimers();
    // The socket outlives the connection until what is queued has gone out,
    // or until a peer that reads nothing has had silenceMs to take it.
    QTcpSocket* socket = socket_.release();
    socket->disconnect();
    socket->setParent(QCoreApplication::instance());
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(timing_.silenceMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void Connection::drop(const QString& reason)
{
    if (!open_)
        return;
    open_ = false;
    stopTimers();
    socket_->disconnect();
    socket_->abort();
    if (onDropped)
        onDropped(reason);
}

QHostAddress Connection::peerAddress() const { return socket_ ? socket_->peerAddress() : QHostAddress(); }

void Connection::pingTick()
{
    if (open_)
        send(Ping{});
}

void Connection::silenceTick()
{
    if (open_ && (stalled_ || clock_() - lastHeard_ > timing_.silenceMs))
        drop(words::peerSilent());
}

void Connection::readAvailable()
{
    if (!open_)
        return;
    frames_.feed(socket_->readAll());
    while (open_) {
        const std::optional<QByteArray> payload = frames_.next();
        if (frames_.broken()) {
            drop(words::peerBroke());
            return;
        }
        if (!payload)
            return;
        ++traffic_.received;
        const std::optional<Message> message = decode(*payload, reader_);
        if (!message) {
            drop(words::peerBroke());
            return;
        }
        lastHeard_ = clock_();
        if (std::holds_alternative<Ping>(*message))
            send(Pong{});
        else if (!std::holds_alternative<Pong>(*message) && onMessage)
            onMessage(*message);
    }
}

void Connection::stopTimers()
{
    pingTimer.stop();
    silenceCheck.stop();
}

}  // namespace net
