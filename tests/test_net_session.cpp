#include "net_loopback.h"

#include "net/net_words.h"
#include "net/search.h"

#include <QCborArray>
#include <QCborValue>
#include <QTest>

using namespace nettest;

Q_DECLARE_METATYPE(net::Identity)

class TestNetSession : public QObject {
    Q_OBJECT

private slots:
    // Each side counts the frames it sent and read: once nothing is under
    // way, the host's counts for a seat mirror the joined program's.
    void bothSidesCountTheFramesBetweenThem()
    {
        TestClock clock;
        auto host = startHost(clock);
        JoinedProgram joined(joinSettings(*host, clock));
        QVERIFY(joined.waitJoined());
        for (int i = 0; i < 5; ++i)
            QVERIFY(joined.joiner.send(net::Click{1, i}));
        host->send(joined.seat, net::MessageClosed{1});
        QVERIFY(QTest::qWaitFor([&] {
            const net::Traffic here = joined.joiner.traffic();
            const net::Traffic there = host->traffic(joined.seat);
            return here.sent == there.received && here.received == there.sent;
        }, 5000));
        QCOMPARE(joined.joiner.traffic().sent, 6);      // the join and five clicks
        QCOMPARE(joined.joiner.traffic().received, 3);  // the hello, the accept and the message closed
        QCOMPARE(host->traffic(3).sent, 0);             // nobody sits there
    }

    void aJoinedPlayerTakesAnOpenSeatAndTheTwoSidesTalk()
    {
        TestClock clock;
        auto host = startHost(clock);
        QList<net::Seated> seated;
        QList<QPair<int, net::Message>> intents;
        host->onJoined = [&](const net::Seated& s) { seated.append(s); };
        host->onIntent = [&](int seat, const net::Message& m) { intents.append({seat, m}); };
        JoinedProgram joined(joinSettings(*host, clock));
        QVERIFY(joined.waitJoined());
        QCOMPARE(joined.seat, 1);  // seat 0 is not open
        QCOMPARE(joined.joiner.hostName(), QStringLiteral("meja"));
        QCOMPARE(seated.size(), 1);
        QCOMPARE(seated.first().name, QStringLiteral("Ayu"));
        QCOMPARE(seated.first().character, 3);
        QCOMPARE(host->seatsFree(), 2);

        QVERIFY(joined.joiner.send(net::PointerMove{5, -1, 150, 300}));
        QVERIFY(QTest::qWaitFor([&] { return !intents.isEmpty(); }, 5000));
        QCOMPARE(intents.first().first, 1);
        QVERIFY(intents.first().second == net::Message(net::PointerMove{5, -1, 150, 300}));

        host->sendToAll(net::MessageShown{1, QStringLiteral("Draw!")});
        QVERIFY(QTest::qWaitFor([&] { return !joined.received.isEmpty(); }, 5000));
        QVERIFY(joined.received.first() == net::Message(net::MessageShown{1, QStringLiteral("Draw!")}));
    }

    void aHostThatLeavesSaysSo()
    {
        TestClock clock;
        auto host = startHost(clock);
        JoinedProgram joined(joinSettings(*host, clock));
        QVERIFY(joined.waitJoined());
        host->stop();
        QVERIFY(!host->hosting());
        QVERIFY(QTest::qWaitFor([&] { return !joined.lost.isEmpty(); }, 5000));
        QCOMPARE(joined.lost, QStringLiteral("Tuan rumah menutup permainan"));
    }

    void aMismatchIsRefusedOnBothSidesNamingWhatDiffers_data()
    {
        QTest::addColumn<net::Identity>("joining");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("hosts");
        QTest::addColumn<QString>("joins");
        net::Identity id = identity();
        id.program = QStringLiteral("kestrava1");
        QTest::newRow("program") << id << net::words::program() << QStringLiteral("kestrava2")
                                 << QStringLiteral("kestrava1");
        id = identity();
        id.edition = QStringLiteral("wind");
        QTest::newRow("edition") << id << net::words::edition() << QStringLiteral("full") << QStringLiteral("wind");
        id = identity();
        id.protocol = net::kProtocolVersion + 1;
        QTest::newRow("protocol version") << id << net::words::protocolVersion() << QStringLiteral("1")
                                          << QStringLiteral("2");
        id = identity();
        id.gameVersion = QStringLiteral("1.1");
        QTest::newRow("game version") << id << net::words::gameVersion() << QStringLiteral("1.0")
                                      << QStringLiteral("1.1");
    }
    void aMismatchIsRefusedOnBothSidesNamingWhatDiffers()
    {
        QFETCH(net::Identity, joining);
        QFETCH(QString, what);
        QFETCH(QString, hosts);
        QFETCH(QString, joins);
        TestClock clock;
        auto host = startHost(clock);
        QString hostSaw;
        host->onRefused = [&](const QHostAddress&, const QString& reason) { hostSaw = reason; };
        net::JoinSettings settings = joinSettings(*host, clock);
        settings.identity = joining;
        JoinedProgram joined(settings);
        QVERIFY(QTest::qWaitFor([&] { return !hostSaw.isEmpty() && !joined.refused.isEmpty(); }, 5000));
        const QString expected = net::words::differs(what, hosts, joins);
        QCOMPARE(hostSaw, expected);
        QCOMPARE(joined.refused, expected);
        QCOMPARE(joined.seat, -1);
        QCOMPARE(host->joinedCount(), 0);
    }

    void aWrongCodeIsRefused()
    {
        TestClock clock;
        auto host = startHost(clock);
        net::JoinSettings settings = joinSettings(*host, clock);
        settings.code = QStringLiteral("654321");
        JoinedProgram joined(settings);
        QVERIFY(QTest::qWaitFor([&] { return !joined.refused.isEmpty(); }, 5000));
        QCOMPARE(joined.refused, net::words::wrongCode());
        QCOMPARE(host->joinedCount(), 0);
    }

    // A code that cannot be right costs no connection and no try.
    void aCodeThatIsNotSixDigitsNeverLeaves()
    {
        TestClock clock;
        auto host = startHost(clock);
        int refusals = 0;
        host->onRefused = [&](const QHostAddress&, const QString&) { ++refusals; };
        net::JoinSettings settings = joinSettings(*host, clock);
        settings.code = QStringLiteral("12a456");
        JoinedProgram joined(settings);
        QCOMPARE(joined.refused, net::words::wrongCode());
        QVERIFY(!joined.joiner.connection());
        QTest::qWait(50);
        QCOMPARE(host->waitingCount(), 0);
        QCOMPARE(refusals, 0);
    }

    void fiveWrongCodesInAMinuteShutAnAddressOutForAMinute()
    {
        TestClock clock;
        auto host = startHost(clock);
        auto tryCode = [&](const QString& code) {
            net::JoinSettings settings = joinSettings(*host, clock);
            settings.code = code;
            JoinedProgram joined(settings);
            if (!QTest::qWaitFor([&] { return joined.seat >= 0 || !joined.refused.isEmpty(); }, 5000))
                return QStringLiteral("no answer");
            joined.joiner.leave();
            return joined.seat >= 0 ? QStringLiteral("joined") : joined.refused;
        };
        const QString wrong = QStringLiteral("000000");
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tryCode(wrong), net::words::wrongCode());
            clock.now += 10'000;
        }
        // Four wrong within the minute: the right code still joins.
        QCOMPARE(tryCode(host->code()), QStringLiteral("joined"));
        QCOMPARE(tryCode(wrong), net::words::wrongCode());  // the fifth
        QCOMPARE(tryCode(host->code()), net::words::tooManyWrongCodes());
        clock.now += 59'000;
        QCOMPARE(tryCode(host->code()), net::words::tooManyWrongCodes());
        clock.now += 1'000;
        QCOMPARE(tryCode(host->code()), QStringLiteral("joined"));
    }

    void wrongCodesSpreadOverMoreThanAMinuteShutNobodyOut()
    {
        TestClock clock;
        auto host = startHost(clock);
        net::CodeGuard guard(QStringLiteral("123456"), clock.clock());
        for (int i = 0; i < 10; ++i) {
            QVERIFY(!guard.admits(kLoopback, QStringLiteral("000000")));
            QVERIFY(!guard.refuses(kLoopback));
            clock.now += 15'001;
        }
        QVERIFY(guard.admits(kLoopback, QStringLiteral("123456")));
    }

    // What no honest program sends drops the one who sent it; a joined
    // player beside it goes on.
    void aBrokenPeerIsDroppedAndTheOthersGoOn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        auto frame = [](const QCborArray& a) { return net::framed(QCborValue(a).toCbor()); };
        QByteArray oversized(4, '\0');
        qToBigEndian(static_cast<quint32>(net::kMaxFrameBytes + 1), oversized.data());
        oversized.append(QByteArray(1000, 'x'));
        QTest::newRow("frame over 64 KiB") << oversized;
        QTest::newRow("truncated message") << net::framed(net::encode(net::Click{1, 2}).chopped(1));
        QTest::newRow("wrong types") << frame(QCborArray{41, QStringLiteral("1"), 2.5});
        QTest::newRow("unknown kind") << frame(QCborArray{77, 1});
        QTest::newRow("a host's message") << net::framed(net::encode(net::Accept{0}));
        QTest::newRow("an intent before joining") << net::framed(net::encode(net::Click{1, 2}));
    }
    void aBrokenPeerIsDroppedAndTheOthersGoOn()
    {
        QFETCH(QByteArray, bytes);
        TestClock clock;
        auto host = startHost(clock);
        int intents = 0;
        host->onIntent = [&](int, const net::Message&) { ++intents; };
        JoinedProgram joined(joinSettings(*host, clock));
        QVERIFY(joined.waitJoined());

        RawPeer broken(host->port());
        broken.socket.write(bytes);
        QVERIFY(broken.waitClosed());

        QVERIFY(joined.joiner.send(net::Click{1, 2}));
        QVERIFY(QTest::qWaitFor([&] { return intents == 1; }, 5000));
        QVERIFY(host->hosting());
        QCOMPARE(host->joinedCount(), 1);
        QCOMPARE(host->waitingCount(), 0);
    }

    // Short intervals on the real clock: pings every 20 ms, 200 ms of
    // silence drop. A second of play keeps both sides; a peer that answers
    // nothing is dropped.
    void pingsKeepAPeerAndSilenceDropsIt()
    {
        net::Timing quick;
        quick.pingMs = 20;
        quick.silenceMs = 200;
        quick.silenceCheckMs = 10;
        net::HostSettings settings;
        settings.identity = identity();
        settings.code = QStringLiteral("123456");
        settings.address = kLoopback;
        settings.port = 0;
        settings.openSeats = {true, true, true, true};
        settings.timing = quick;
        net::Host host(settings);
        QVERIFY(host.start());
        QList<QString> left;
        host.onLeft = [&](int, const QString& reason) { left.append(reason); };

        net::JoinSettings joining;
        joining.identity = identity();
        joining.address = kLoopback;
        joining.port = host.port();
        joining.code = host.code();
        joining.timing = quick;
        JoinedProgram joined(joining);
        QVERIFY(joined.waitJoined());
        RawPeer mute(host.port());
        mute.sendJoin(host.code());
        QVERIFY(QTest::qWaitFor([&] { return host.joinedCount() == 2; }, 5000));

        QVERIFY(QTest::qWaitFor([&] { return !left.isEmpty(); }, 5000));
        QCOMPARE(left, QList<QString>{net::words::peerSilent()});
        QTest::qWait(1000);
        QCOMPARE(left.size(), 1);
        QVERIFY(joined.lost.isEmpty());
        QCOMPARE(host.joinedCount(), 1);
    }

    void aSilentHostIsLeft()
    {
        TestClock clock;
        auto host = startHost(clock);
        JoinedProgram joined(joinSettings(*host, clock));
        QVERIFY(joined.waitJoined());
        clock.now += 10'000;
        joined.joiner.connection()->silenceTick();
        QVERIFY(joined.lost.isEmpty());
        clock.now += 1;
        joined.joiner.connection()->silenceTick();
        QCOMPARE(joined.lost, net::words::peerSilent());
    }

    void tenSecondsOfSilenceDropAPeer()
    {
        TestClock clock;
        net::Timing quick;
        quick.pingMs = 3'600'000;
        quick.silenceCheckMs = 10;
        quick.silenceMs = 10'000;
        net::HostSettings settings;
        settings.identity = identity();
        settings.code = QStringLiteral("123456");
        settings.address = kLoopback;
        settings.port = 0;
        settings.openSeats = {true, true, true, true};
        settings.timing = quick;
        settings.clock = clock.clock();
        net::Host host(settings);
        QVERIFY(host.start());
        QString left;
        host.onLeft = [&](int, const QString& reason) { left = reason; };
        // A peer that joins and then says nothing at all.
        RawPeer silent(host.port());
        silent.sendJoin(QStringLiteral("123456"));
        QVERIFY(QTest::qWaitFor([&] { return host.joinedCount() == 1; }, 5000));
        clock.now += 9'999;
        QTest::qWait(50);
        QCOMPARE(host.joinedCount(), 1);
        clock.now += 2;
        QVERIFY(QTest::qWaitFor([&] { return !left.isEmpty(); }, 5000));
        QCOMPARE(left, net::words::peerSilent());
        QVERIFY(silent.waitClosed());
    }

    void aPeerThatNeverJoinsIsLetGo()
    {
        TestClock clock;
        auto host = startHost(clock);
        RawPeer idle(host->port());
        QVERIFY(QTest::qWaitFor([&] { return host->waitingCount() == 1; }, 5000));
        clock.now += 10'001;
        host->waitingTick();
        QVERIFY(idle.waitClosed());
        QCOMPARE(host->waitingCount(), 0);
    }

    // The check for peers that never join runs only while one is waiting: a
    // host nobody has reached, or whose peers have all joined, sleeps.
    void theWaitingCheckRunsOnlyWhileAPeerWaits()
    {
        TestClock clock;
        auto host = startHost(clock);
        QVERIFY(!host->waitingCheck.isActive());
        RawPeer joining(host->port());
        QVERIFY(QTest::qWaitFor([&] { return host->waitingCount() == 1; }, 5000));
        QVERIFY(host->waitingCheck.isActive());
        joining.sendJoin(QStringLiteral("123456"));
        QVERIFY(QTest::qWaitFor([&] { return host->joinedCount() == 1; }, 5000));
        host->waitingTick();
        QVERIFY(!host->waitingCheck.isActive());
    }

    void aSearchIsAnsweredToTheAskerAlone()
    {
        TestClock clock;
        auto host = startHost(clock);
        net::Search search(identity(), kLoopback);
        QList<net::HostFound> found;
        search.onFound = [&](const net::HostFound& f) { found.append(f); };
        // A bystander on the loopback hears nothing.
        QUdpSocket bystander;
        QVERIFY(bystander.bind(kLoopback, 0));
        QVERIFY(search.ask(kLoopback, host->port()));
        QVERIFY(QTest::qWaitFor([&] { return !found.isEmpty(); }, 5000));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first().address, kLoopback);
        const net::SearchAnswer expected{QStringLiteral("kestrava2"), QStringLiteral("full"), QStringLiteral("meja"),
                                         3, host->port()};
        QVERIFY(found.first().answer == expected);
        QTest::qWait(50);
        QVERIFY(!bystander.hasPendingDatagrams());
    }
};

QTEST_GUILESS_MAIN(TestNetSession)
#include "test_net_session.moc"
