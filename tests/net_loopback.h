#pragma once

// What the network tests share: identities, a host and a joiner on the
// loopback with a clock the test moves, and a raw peer that writes any bytes.
// Every address here is 127.0.0.1.

#include "net/codec.h"
#include "net/frame.h"
#include "net/host.h"
#include "net/joiner.h"

#include <QTcpSocket>
#include <QtEndian>
#include <QTest>

#include <memory>

namespace nettest {

inline const QHostAddress kLoopback{QHostAddress::LocalHost};

inline net::Identity identity()
{
    return net::Identity{QStringLiteral("kestrava2"), QStringLiteral("full"), net::kProtocolVersion,
                         QStringLiteral("1.0")};
}

// A clock that moves only when the test says so.
struct TestClock {
    qint64 now = 1'000'000;
    net::Clock clock()
    {
        return [this] { return now; };
    }
};

// Timers that never fire by themselves within a test: the test ticks them.
inline net::Timing handTicked()
{
    net::Timing timing;
    timing.pingMs = 3'600'000;
    timing.silenceCheckMs = 3'600'000;
    return timing;
}

inline std::unique_ptr<net::Host> startHost(TestClock& clock, const QString& code = QStringLiteral("123456"))
{
    net::HostSettings settings;
    settings.identity = identity();
    settings.hostName = QStringLiteral("meja");
    settings.code = code;
    settings.address = kLoopback;
    settings.port = 0;  // any free port
    settings.openSeats = {false, true, true, true};
    settings.timing = handTicked();
    settings.clock = clock.clock();
    auto host = std::make_unique<net::Host>(settings);
    if (!host->start())
        qWarning("host could not listen: %s", qUtf8Printable(host->errorText()));
    return host;
}

inline net::JoinSettings joinSettings(const net::Host& host, TestClock& clock)
{
    net::JoinSettings settings;
    settings.identity = identity();
    settings.address = kLoopback;
    settings.port = host.port();
    settings.code = host.code();
    settings.name = QStringLiteral("Ayu");
    settings.character = 3;
    settings.timing = handTicked();
    settings.clock = clock.clock();
    return settings;
}

// A joiner that records how it ended.
struct JoinedProgram {
    explicit JoinedProgram(net::JoinSettings settings) : joiner(std::move(settings))
    {
        joiner.onAccepted = [this](int s) { seat = s; };
        joiner.onRefused = [this](const QString& r) { refused = r; };
        joiner.onLost = [this](const QString& r) { lost = r; };
        joiner.onMessage = [this](const net::Message& m) { received.append(m); };
        joiner.start();
    }
    bool waitJoined() { return QTest::qWaitFor([this] { return seat >= 0; }, 5000); }

    net::Joiner joiner;
    int seat = -1;
    QString refused;
    QString lost;
    QList<net::Message> received;
};

// A peer that speaks raw bytes to a host.
struct RawPeer {
    explicit RawPeer(quint16 port)
    {
        socket.connectToHost(kLoopback, port);
        socket.waitForConnected(5000);
    }
    void sendFrame(const QByteArray& payload) { socket.write(net::framed(payload)); socket.flush(); }
    void sendJoin(const QString& code)
    {
        net::Join join;
        join.identity = identity();
        join.code = code;
        join.name = QStringLiteral("Raw");
        sendFrame(net::encode(join));
    }
    bool waitClosed()
    {
        return QTest::qWaitFor([this] { return socket.state() == QAbstractSocket::UnconnectedState; }, 5000);
    }
    QTcpSocket socket;
};

}  // namespace nettest
