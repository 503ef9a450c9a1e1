#include "net_loopback.h"

#include "net/net_words.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>

using namespace nettest;

namespace {

constexpr int kFramesEachSide = 100'000;

// Honest messages of both sides, the seeds of the mutations.
QList<QByteArray> honestPayloads()
{
    net::FieldProps props;
    props.rect = {{1, 2, 3, 4}};
    props.caption = QStringLiteral("tembak");
    props.picture = net::PictureName{QStringLiteral("builtin:shell"), QByteArray(8, 'h')};
    props.font = net::Font{QStringLiteral("Sans"), 8, false};
    net::WindowMade made{3, QStringLiteral("player1"), QStringLiteral("Ayu"), {{3000, 2000}}, {{0, 0}}, true, false, {}};
    made.fields.append(net::FieldState{net::FieldKind::Button, -1, props});
    const QList<net::Message> messages{
        net::Ping{},
        net::Bye{},
        net::Hello{identity(), QStringLiteral("meja")},
        net::Accept{2},
        net::Refuse{QStringLiteral("Kode salah")},
        made,
        net::WindowGone{3},
        net::WindowChanged{3, QStringLiteral("x"), std::array<double, 2>{1, 2}, {}, true, true},
        net::FieldChanged{3, 0, props},
        net::MessageShown{1, QStringLiteral("Pemenang: Ayu")},
        net::MessageClosed{1},
        net::Join{identity(), QStringLiteral("123456"), QStringLiteral("Budi"), 2},
        net::Click{3, 1},
        net::Key{3, 1, 32},
        net::PointerMove{3, -1, 10, 20},
        net::MessageOk{1},
    };
    QList<QByteArray> payloads;
    for (const net::Message& m : messages)
        payloads.append(net::encode(m));
    return payloads;
}

QCborValue randomValue(QRandomGenerator& random, int depth)
{
    switch (random.bounded(depth > 3 ? 6 : 8)) {
    case 0: return QCborValue(static_cast<qint64>(random.generate64()) >> random.bounded(64));
    case 1: return QCborValue(random.bounded(-2, 70));
    case 2: return QCborValue(random.generateDouble() * 1e6 - 5e5);
    case 3: return QCborValue(QString(random.bounded(300), QChar(u'a' + random.bounded(26))));
    case 4: return QCborValue(QByteArray(random.bounded(40), 'b'));
    case 5: return QCborValue(random.bounded(2) == 1);
    case 6: {
        QCborArray a;
        const int n = random.bounded(8);
        for (int i = 0; i < n; ++i)
            a.append(randomValue(random, depth + 1));
        return a;
    }
    default: {
        static const char* const keys[] = {"rect", "vis", "cap", "text", "pic", "font", "col", "zzz", "at", "raise"};
        QCborMap m;
        const int n = random.bounded(5);
        for (int i = 0; i < n; ++i)
            m.insert(QLatin1String(keys[random.bounded(10)]), randomValue(random, depth + 1));
        return m;
    }
    }
}

// One frame's bytes as a peer might send them: random, a mutated honest
// message, a message of a known kind with random elements, or a frame whose
// length lies.
QByteArray hostileFrame(QRandomGenerator& random, const QList<QByteArray>& honest)
{
    QByteArray payload = honest.at(random.bounded(honest.size()));
    switch (random.bounded(6)) {
    case 0:
        payload = QByteArray(random.bounded(200), Qt::Uninitialized);
        for (char& c : payload)
            c = static_cast<char>(random.bounded(256));
        break;
    case 1: {
        const int flips = 1 + random.bounded(4);
        for (int i = 0; i < flips && !payload.isEmpty(); ++i)
            payload[random.bounded(payload.size())] = static_cast<char>(random.bounded(256));
        break;
    }
    case 2:
        payload.truncate(random.bounded(payload.size() + 1));
        break;
    case 3:
        payload.insert(random.bounded(payload.size() + 1), static_cast<char>(random.bounded(256)));
        break;
    case 4: {
        static const int kinds[] = {1, 2, 3, 10, 11, 12, 20, 21, 22, 23, 24, 25, 40, 41, 42, 43, 44, 60, 99};
        QCborArray a{kinds[random.bounded(19)]};
        const int n = random.bounded(9);
        for (int i = 0; i < n; ++i)
            a.append(randomValue(random, 0));
        payload = QCborValue(a).toCbor();
        break;
    }
    default: {
        // The length says more, or far more, than the frame holds.
        QByteArray frame(4, '\0');
        const quint32 length = random.bounded(2) ? net::kMaxFrameBytes + 1 + random.bounded(1000)
                                                 : static_cast<quint32>(payload.size() + 1 + random.bounded(8));
        qToBigEndian(length, frame.data());
        return frame + payload;
    }
    }
    return net::framed(payload);
}

}  // namespace

class TestNetFuzz : public QObject {
    Q_OBJECT

private slots:
    // What a connection does with the bytes it reads, for 100,000 hostile
    // frames on each side: every frame either reads as a message that writes
    // back the same, or spoils the stream; nothing crashes.
    void readersSurviveHostileFrames_data()
    {
        QTest::addColumn<net::Side>("reader");
        QTest::newRow("host") << net::Side::Host;
        QTest::newRow("joined") << net::Side::Joined;
    }
    void readersSurviveHostileFrames()
    {
        QFETCH(net::Side, reader);
        QRandomGenerator random(reader == net::Side::Host ? 20261208u : 8021626u);
        const QList<QByteArray> honest = honestPayloads();
        int read = 0;
        int spoilt = 0;
        for (int i = 0; i < kFramesEachSide; ++i) {
            net::FrameReader frames;
            frames.feed(hostileFrame(random, honest));
            const std::optional<QByteArray> payload = frames.next();
            if (!payload) {
                ++spoilt;  // over the limit, or waiting for bytes that never come
                continue;
            }
            const std::optional<net::Message> message = net::decode(*payload, reader);
            if (!message) {
                ++spoilt;
                continue;
            }
            ++read;
            const std::optional<net::Message> again = net::decode(net::encode(*message), reader);
            QVERIFY(again);
            QVERIFY(*again == *message);
        }
        qInfo("%d frames read as messages, %d spoilt the stream", read, spoilt);
        QCOMPARE(read + spoilt, kFramesEachSide);
        QVERIFY(spoilt > kFramesEachSide / 2);
    }

    // Over the loopback: peers that send hostile frames are dropped one by
    // one, and the player who joined first is served throughout.
    void hostileJoiningPeersLeaveTheHostServing()
    {
        TestClock clock;
        net::HostSettings settings;
        settings.identity = identity();
        settings.code = QStringLiteral("123456");
        settings.address = kLoopback;
        settings.port = 0;
        settings.openSeats = {true, false, false, false};  // one seat: a lucky mutation can take none
        settings.timing = handTicked();
        settings.clock = clock.clock();
        net::Host host(settings);
        QVERIFY(host.start());
        int intents = 0;
        host.onIntent = [&](int, const net::Message&) { ++intents; };
        JoinedProgram joined(joinSettings(host, clock));
        QVERIFY(joined.waitJoined());

        QRandomGenerator random(47240u);
        const QList<QByteArray> honest = honestPayloads();
        for (int round = 0; round < 20; ++round) {
            std::vector<std::unique_ptr<RawPeer>> peers;
            for (int i = 0; i < 8; ++i) {
                peers.push_back(std::make_unique<RawPeer>(host.port()));
                peers.back()->socket.write(hostileFrame(random, honest));
                peers.back()->socket.disconnectFromHost();
            }
            QVERIFY(QTest::qWaitFor([&] { return host.waitingCount() == 0; }, 5000));
            QVERIFY(joined.joiner.send(net::Click{1, 1}));
            QVERIFY(QTest::qWaitFor([&] { return intents == round + 1; }, 5000));
        }
        QCOMPARE(host.joinedCount(), 1);
        QVERIFY(joined.lost.isEmpty());
    }

    // A host that sends hostile frames after its accept is left, with
    // nothing but its valid messages passed on.
    void aJoinedProgramLeavesAHostileHost()
    {
        QTcpServer server;
        QVERIFY(server.listen(kLoopback, 0));
        QRandomGenerator random(62740u);
        const QList<QByteArray> honest = honestPayloads();
        int left = 0;
        for (int i = 0; i < 100; ++i) {
            TestClock clock;
            net::JoinSettings settings;
            settings.identity = identity();
            settings.address = kLoopback;
            settings.port = server.serverPort();
            settings.code = QStringLiteral("123456");
            settings.timing = handTicked();
            settings.clock = clock.clock();
            JoinedProgram joined(settings);
            QVERIFY(server.waitForNewConnection(5000));
            std::unique_ptr<QTcpSocket> hostSide(server.nextPendingConnection());
            hostSide->write(net::framed(net::encode(net::Hello{identity(), QStringLiteral("h")})));
            hostSide->write(net::framed(net::encode(net::Accept{0})));
            QVERIFY(joined.waitJoined());
            hostSide->write(hostileFrame(random, honest));
            hostSide->write(net::framed(net::encode(net::Ping{})));
            hostSide->disconnectFromHost();
            QVERIFY(QTest::qWaitFor([&] { return !joined.lost.isEmpty(); }, 5000));
            left += joined.lost == net::words::peerBroke() ? 1 : 0;
            for (const net::Message& m : joined.received)
                QVERIFY(net::decode(net::encode(m), net::Side::Joined));
        }
        QVERIFY(left > 50);
    }
};

QTEST_GUILESS_MAIN(TestNetFuzz)
#include "test_net_fuzz.moc"
