// The program's network play as a player starts it: "Jaringan" opens the
// network window; hosting names its code and port or says why it cannot;
// joining hides the setup window until the game ends, then says why. Every
// socket is on 127.0.0.1.
#include "app/network_play.h"
#include "net/host_session.h"
#include "net/join_session.h"
#include "setup/network_window.h"
#include "setup/roster_window.h"
#include "test_support.h"

#include <QTcpServer>
#include <QTest>

namespace {

const QHostAddress kLoopback{QHostAddress::LocalHost};

NetworkPlay::Options loopbackOptions()
{
    return NetworkPlay::Options{kLoopback, 1, kLoopback};
}

// A port nothing listens on just now.
quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(kLoopback, 0))
        return 0;
    return probe.serverPort();
}

} // namespace

class TestNetworkPlay : public QObject {
    Q_OBJECT

private slots:
    void networkButtonOpensTheWindow_data() { addEditionRows(); }
    void networkButtonOpensTheWindow()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        NetworkPlay network(*g, loopbackOptions());
        g->Form1().show();
        QVERIFY(!network.window().visible());
        QTest::mouseClick(g->Form1().Jaringan.widget(), Qt::LeftButton);
        QVERIFY(network.window().visible());
        QVERIFY(!network.hostSession());
    }

    // Hosting leaves the --remote seats to the network and shows the code
    // and the port; stopping ends it.
    void hostingShowsTheCodeAndPort()
    {
        TestGame g;
        NetworkPlay network(*g, loopbackOptions());
        const quint16 port = freePort();
        QVERIFY(network.host(port, QStringLiteral("024680"), {false, true, false, true}));
        QVERIFY(network.hostSession());
        QCOMPARE(network.window().Kode.text(), QStringLiteral("024680"));
        QCOMPARE(network.window().Port.text(), QString::number(port));
        QVERIFY(g->Form1().networkSeat(1));
        QVERIFY(g->Form1().networkSeat(3));
        QVERIFY(!g->Form1().networkSeat(0));
        QVERIFY(g.messages.isEmpty());
        QTest::mouseClick(network.window().Berhenti.widget(), Qt::LeftButton);
        QVERIFY(!network.hostSession());
        QCOMPARE(network.window().Kode.text(), QString());
    }

    // A port another program holds gets a message, and nothing is hosted.
    void aPortInUseIsSaid()
    {
        TestGame g;
        QTcpServer other;
        QVERIFY(other.listen(kLoopback, 0));
        NetworkPlay network(*g, loopbackOptions());
        QVERIFY(!network.host(other.serverPort(), QString()));
        QVERIFY(!network.hostSession());
        QCOMPARE(g.messages.size(), 1);
        QVERIFY2(g.messages.first().startsWith(QStringLiteral("Permainan tidak bisa dibuat di port %1: ")
                                                   .arg(other.serverPort())),
                 qPrintable(g.messages.first()));
        QVERIFY(network.window().Buat.isEnabled());
    }

    // A joined program hides its own setup window; when the host closes the
    // game it says so and shows the setup window again.
    void joiningHidesTheSetupWindowUntilTheHostCloses()
    {
        TestGame hostGame;
        NetworkPlay hosting(*hostGame, loopbackOptions());
        hostGame->Form1().show();
        const quint16 port = freePort();
        QVERIFY(hosting.host(port, QStringLiteral("135790"), {false, true, false, false}));

        TestGame joinedGame;  // its messages are recorded from here on
        NetworkPlay joining(*joinedGame, loopbackOptions());
        joinedGame->Form1().show();
        joining.join(JoinRequest{QStringLiteral("127.0.0.1"), port, QStringLiteral("135790"), QStringLiteral("Ayu"), 3});
        QVERIFY(joining.joinSession());
        QVERIFY(!joinedGame->Form1().visible());
        QVERIFY(QTest::qWaitFor([&] { return joining.joinSession()->joined(); }, 5000));
        QCOMPARE(joining.joinSession()->seat(), 1);
        QVERIFY(QTest::qWaitFor([&] { return hostGame->Form1().networkSeatHeld(1); }, 5000));

        hosting.stopHosting();
        QVERIFY(QTest::qWaitFor([&] { return !joining.joinSession(); }, 5000));
        QVERIFY(joinedGame->Form1().visible());
        QCOMPARE(joinedGame.messages, QStringList{QStringLiteral("Tuan rumah menutup permainan")});
    }
};

QTEST_MAIN(TestNetworkPlay)
#include "test_network_play.moc"
