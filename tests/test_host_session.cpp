// A hosted game as a joined player meets it over the loopback: the windows
// it is sent, the changes that follow, and which of its intents reach the
// game. The peer is a bare joiner; the host is a game of the test toolkit.

#include "net_loopback.h"
#include "test_support.h"

#include "battle/battle_window.h"
#include "net/host_session.h"
#include "net/program_identity.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"
#include "ui/message_box.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace nettest;

namespace {

int indexOf(const ui::Window& window, const ui::Field& field)
{
    const auto& fields = window.fields();
    return static_cast<int>(std::find(fields.begin(), fields.end(), &field) - fields.begin());
}

template <typename T>
QList<T> received(const JoinedProgram& peer)
{
    QList<T> found;
    for (const net::Message& message : peer.received)
        if (const T* m = std::get_if<T>(&message))
            found.append(*m);
    return found;
}

// A duel in the full game whose player 2 sits at another machine, hosted on
// the loopback.
struct HostedDuel {
    HostedDuel()
    {
        RosterWindow& form = shownSetup(g);
        form.setNetworkSeat(1);
        startDuel(form);
        net::HostSessionSettings settings;
        settings.address = kLoopback;
        settings.port = 0;
        settings.code = QStringLiteral("123456");
        settings.timing = handTicked();
        session = std::make_unique<net::HostSession>(*g, settings);
        started = session->start();
    }

    std::unique_ptr<JoinedProgram> join(const QString& name = QStringLiteral("Ayu"))
    {
        net::JoinSettings settings;
        settings.identity = net::programIdentity(Edition::Full);
        settings.address = kLoopback;
        settings.port = session->port();
        settings.code = session->code();
        settings.name = name;
        settings.character = 4;
        settings.timing = handTicked();
        settings.clock = clock.clock();
        auto peer = std::make_unique<JoinedProgram>(settings);
        if (!QTest::qWaitFor([&] { return peer->seat >= 0 || !peer->refused.isEmpty(); }, 5000))
            qWarning("the host neither took nor refused %s", qUtf8Printable(name));
        return peer;
    }

    // Player 2's turn, its panel up with the fire button ready.
    PanelWindow& secondPlayersTurn()
    {
        g->setTurnMarker(QStringLiteral("1"));
        g->player(0).hide();
        g->player(1).show();
        return g->player(1);
    }

    qint64 serial(const ui::Window& window) { return session->windowSerial(window); }

    TestGame g;
    TestClock clock;
    std::unique_ptr<net::HostSession> session;
    bool started = false;
};

bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 5000); }

// Turns the event loop as a running program does, waiting for events
// between turns, until the condition holds (at most 5 s).
bool runLoopUntil(const std::function<bool()>& condition)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    check.start(10);
    loop.exec();
    return condition();
}

// The host takes a turn of its event loop and more: what a peer sent by now
// has arrived.
void settle() { QTest::qWait(150); }

} // namespace

class TestHostSession : public QObject {
    Q_OBJECT

private slots:
    void aJoinedPlayerGetsTheWindowsAndHoldsTheSeat()
    {
        HostedDuel h;
        QVERIFY(h.started);
        auto peer = h.join();
        QCOMPARE(peer->seat, 1);
        QVERIFY(waitFor([&] { return received<net::WindowMade>(*peer).size() >= 4; }));
        QStringList names;
        for (const net::WindowMade& made : received<net::WindowMade>(*peer))
            names << made.name;
        for (const char* name : {"Form1", "Battle", "player1", "player2"})
            QVERIFY2(names.contains(QLatin1String(name)), name);
        QVERIFY(!names.contains(QStringLiteral("Computer")));

        // The roster names the joined player; the view is each machine's own.
        for (const net::WindowMade& made : received<net::WindowMade>(*peer)) {
            if (made.name == QStringLiteral("Form1"))
                QCOMPARE(made.fields[indexOf(h.g->Form1(), *h.g->Form1().nameField[1])].props.text,
                         std::optional<QString>(QStringLiteral("Ayu")));
            if (made.name == QStringLiteral("Battle"))
                QCOMPARE(made.fields[indexOf(h.g->Battle(), h.g->Battle().Picture1)].props.role,
                         std::optional<QString>(QStringLiteral("view")));
        }
        QVERIFY(h.g->remoteSeat(1));
        QVERIFY(!h.g->player(1).takesPlayerInput());
    }

    void aChangeReachesThePeerAfterOneTurnOfTheLoop()
    {
        HostedDuel h;
        auto peer = h.join();
        QVERIFY(waitFor([&] { return !received<net::WindowMade>(*peer).isEmpty(); }));
        h.g->Battle().Text7.setText(QStringLiteral("7"));
        QVERIFY(runLoopUntil([&] { return !received<net::FieldChanged>(*peer).isEmpty(); }));
        const net::FieldChanged change = received<net::FieldChanged>(*peer).last();
        QCOMPARE(change.window, h.serial(h.g->Battle()));
        QCOMPARE(change.field, indexOf(h.g->Battle(), h.g->Battle().Text7));
        QCOMPARE(change.props.text, std::optional<QString>(QStringLiteral("7")));
    }

    // A message shown in the middle of a tick: the peer first sees what the
    // host shows under it.
    void aMessageComesAfterTheStateUnderIt()
    {
        HostedDuel h;
        auto peer = h.join();
        QVERIFY(waitFor([&] { return !received<net::WindowMade>(*peer).isEmpty(); }));
        h.g->Battle().Text7.setText(QStringLiteral("7"));
        ui::showMessage(QStringLiteral("Draw!"));
        QVERIFY(waitFor([&] { return !received<net::MessageShown>(*peer).isEmpty(); }));
        int changeAt = -1;
        int messageAt = -1;
        for (int i = 0; i < peer->received.size(); ++i) {
            if (const auto* c = std::get_if<net::FieldChanged>(&peer->received[i]); c && c->props.text)
                changeAt = changeAt < 0 && *c->props.text == QStringLiteral("7") ? i : changeAt;
            if (std::holds_alternative<net::MessageShown>(peer->received[i]) && messageAt < 0)
                messageAt = i;
        }
        QVERIFY(changeAt >= 0);
        QVERIFY(changeAt < messageAt);
    }

    // A player who joins while the host's message is open sees it too.
    void aPlayerJoiningUnderAMessageSeesIt()
    {
        HostedDuel h;
        std::unique_ptr<JoinedProgram> peer;
        ui::setMessagePresenter([&](const QString&) {
            peer = h.join();
            waitFor([&] { return !received<net::MessageShown>(*peer).isEmpty(); });
        });
        ui::showMessage(QStringLiteral("Draw!"));
        QVERIFY(peer);
        const QList<net::MessageShown> shown = received<net::MessageShown>(*peer);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, QStringLiteral("Draw!"));
    }

    void aClickOrKeyFromTheSeatPressesItsPanelsButton_data()
    {
        QTest::addColumn<bool>("key");
        QTest::newRow("click") << false;
        QTest::newRow("key") << true;
    }
    void aClickOrKeyFromTheSeatPressesItsPanelsButton()
    {
        QFETCH(bool, key);
        HostedDuel h;
        auto peer = h.join();
        PanelWindow& panel = h.secondPlayersTurn();
        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::Ready));
        QVERIFY(waitFor([&] { return h.serial(panel) != 0; }));
        if (key)
            peer->joiner.send(net::Key{h.serial(panel), -1, Qt::Key_Space});
        else
            peer->joiner.send(net::Click{h.serial(panel), indexOf(panel, panel.Command1)});
        QVERIFY(waitFor([&] { return panel.fireStage() == words::FireStage::FarRising; }));
    }

    // What may come honestly late is refused and the player stays; what no
    // honest program sends drops them.
    void refusedIntents_data()
    {
        QTest::addColumn<QString>("intent");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("another seat's panel") << QStringLiteral("other panel") << true;
        QTest::newRow("a field no player presses") << QStringLiteral("label") << true;
        QTest::newRow("a field index out of range") << QStringLiteral("index") << true;
        QTest::newRow("a window never sent") << QStringLiteral("window") << true;
        QTest::newRow("a hidden panel") << QStringLiteral("hidden") << false;
        QTest::newRow("a disabled button") << QStringLiteral("disabled") << false;
        QTest::newRow("a message open") << QStringLiteral("message") << false;
        QTest::newRow("a key out of turn") << QStringLiteral("key out of turn") << false;
    }
    void refusedIntents()
    {
        QFETCH(QString, intent);
        QFETCH(bool, dropped);
        HostedDuel h;
        auto peer = h.join();
        PanelWindow& panel = h.secondPlayersTurn();
        QVERIFY(waitFor([&] { return h.serial(panel) != 0 && h.serial(h.g->player(0)) != 0; }));
        const qint64 mine = h.serial(panel);
        const int fire = indexOf(panel, panel.Command1);
        auto send = [&](const net::Message& m) { peer->joiner.send(m); };

        if (intent == QStringLiteral("other panel"))
            send(net::Click{h.serial(h.g->player(0)), fire});
        else if (intent == QStringLiteral("label"))
            send(net::Click{mine, indexOf(panel, panel.Label3)});
        else if (intent == QStringLiteral("index"))
            send(net::Click{mine, 5000});
        else if (intent == QStringLiteral("window"))
            send(net::Click{9999, fire});
        else if (intent == QStringLiteral("hidden")) {
            panel.hide();
            send(net::Click{mine, fire});
        } else if (intent == QStringLiteral("disabled")) {
            panel.Command1.setEnabled(false);
            send(net::Click{mine, fire});
        } else if (intent == QStringLiteral("key out of turn")) {
            h.g->setTurnMarker(QStringLiteral("0"));
            send(net::Key{mine, -1, Qt::Key_Space});
        } else if (intent == QStringLiteral("message")) {
            // The click arrives while the host's message is open.
            ui::setMessagePresenter([&](const QString&) {
                send(net::Click{mine, fire});
                settle();
            });
            ui::showMessage(QStringLiteral("Draw!"));
        }
        settle();

        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::Ready));
        if (dropped) {
            QVERIFY(waitFor([&] { return !peer->lost.isEmpty(); }));
            QVERIFY(!h.g->remoteSeat(1));
            QCOMPARE(h.g->Form1().seatPlayer(1), std::optional(computer::Level::Medium));
        } else {
            QVERIFY(peer->lost.isEmpty());
            QCOMPARE(h.session->joinedCount(), 1);
        }
    }

    // The wind moves for the machine whose seat holds the turn, and the
    // host's own view keeps scrolling.
    void aPointerMoveCountsOnlyOnTheSeatsTurn_data()
    {
        QTest::addColumn<QString>("turn");
        QTest::addColumn<bool>("counts");
        QTest::newRow("its turn") << QStringLiteral("1") << true;
        QTest::newRow("another's turn") << QStringLiteral("0") << false;
        QTest::newRow("between turns") << QStringLiteral("-1") << false;
    }
    void aPointerMoveCountsOnlyOnTheSeatsTurn()
    {
        QFETCH(QString, turn);
        QFETCH(bool, counts);
        HostedDuel h;
        auto peer = h.join();
        BattleWindow& battle = h.g->Battle();
        QVERIFY(waitFor([&] { return h.serial(battle) != 0; }));
        h.g->setTurnMarker(turn);
        battle.scrol1.setCaption(QStringLiteral("kanan"));
        const QString windBefore = battle.Text7.text();
        peer->joiner.send(net::PointerMove{h.serial(battle), indexOf(battle, battle.Picture1), 4000, 5000});
        settle();
        QCOMPARE(battle.Text7.text() != windBefore, counts);
        QCOMPARE(battle.scrol1.caption(), QStringLiteral("kanan"));
        QVERIFY(peer->lost.isEmpty());
    }

    // A network seat of a player the match leaves out takes nobody.
    void onlySeatsOnTheRosterAreOpen()
    {
        HostedDuel h;
        h.g->Form1().setNetworkSeat(3);
        auto ayu = h.join(QStringLiteral("Ayu"));
        QCOMPARE(ayu->seat, 1);
        auto budi = h.join(QStringLiteral("Budi"));
        QVERIFY(waitFor([&] { return !budi->refused.isEmpty(); }));
        QCOMPARE(budi->refused, QStringLiteral("Tidak ada kursi kosong"));
    }

    void aPlayerWhoComesBackGetsTheSameSeat()
    {
        HostedDuel h;
        h.g->Form1().chooseGameType(3);  // seats 1 and 2 at other machines
        h.g->Form1().setNetworkSeat(2);
        auto ayu = h.join(QStringLiteral("Ayu"));
        QCOMPARE(ayu->seat, 1);
        ayu->joiner.leave();
        QVERIFY(waitFor([&] { return !h.g->remoteSeat(1); }));
        QCOMPARE(h.g->Form1().nameField[1]->text(), QStringLiteral("menunggu"));

        // Another player takes the seat nobody held before.
        auto budi = h.join(QStringLiteral("Budi"));
        QCOMPARE(budi->seat, 2);
        auto back = h.join(QStringLiteral("Ayu"));
        QCOMPARE(back->seat, 1);
        QCOMPARE(h.g->Form1().nameField[1]->text(), QStringLiteral("Ayu"));

        // The host quits: every joined player is told, the seats wait again.
        h.session->stop();
        QVERIFY(waitFor([&] { return !back->lost.isEmpty() && !budi->lost.isEmpty(); }));
        QCOMPARE(back->lost, QStringLiteral("Tuan rumah menutup permainan"));
        QVERIFY(!h.g->remoteSeat(1) && !h.g->remoteSeat(2));
    }
};

QTEST_MAIN(TestHostSession)
#include "test_host_session.moc"
