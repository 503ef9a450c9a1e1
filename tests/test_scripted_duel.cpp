// A whole duel of the full game played the way two people would: clicks on
// the setup window and the panels, with every timer of every window ticking
// on a simulated millisecond clock.
#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"
#include "ui/message_box.h"
#include "ui/number_text.h"
#include "ui/timer.h"

#include <QtTest>

namespace {

// Runs the game for `ms` milliseconds: each enabled timer of each existing
// window ticks whenever its clock's interval has passed. That is the pace the
// programs run at (`ui::clockIntervalFor`): a timer shorter than the clock's
// resolution ticks once per resolution, not once per millisecond.
class Clock {
public:
    explicit Clock(Game& game)
        : game_(game)
    {
    }

    void advance(int ms)
    {
        for (int i = 0; i < ms; ++i) {
            ++now_;
            for (const Game::LiveWindow& live : game_.liveWindows())
                for (ui::Timer* timer : live.window->timers())
                    if (timer->enabled() && now_ % ui::clockIntervalFor(timer->interval()) == 0)
                        timer->tick();
        }
    }

    // Advances until `done` holds; fails after `limitMs`.
    template <typename Condition>
    bool advanceUntil(Condition done, int limitMs)
    {
        for (int i = 0; i < limitMs; ++i) {
            if (done())
                return true;
            advance(1);
        }
        return done();
    }

    // Milliseconds simulated so far.
    long now() const { return now_; }

private:
    Game& game_;
    long now_ = 0;
};

} // namespace

class TestScriptedDuel : public QObject {
    Q_OBJECT
private slots:
    void duelFromStartToTheWinner();
    void duelIsHeardAsItHappens();
    void threePlayerDrawIsHeard();
};

void TestScriptedDuel::duelFromStartToTheWinner()
{
    TestGame g;
    Clock clock(*g);
    SetupWindow& setup = shownSetup(g);

    setup.Command1.click();  // "Duel 1vs1"
    QCOMPARE(setup.caption(), QStringLiteral("2"));
    setup.Command5.click();  // "Start"
    QVERIFY(g->Battle().visible());
    QCOMPARE(g->Battle().ProgressBar3.maximum(), 710.0f);

    // Player 1 (Speed 6) fills the smaller gauge first: 43 ticks of the turn
    // scheduler, whose 1 ms ticks come once per 16 ms clock tick.
    QVERIFY(clock.advanceUntil([&] { return g->player(0).visible(); }, 1000));
    QCOMPARE(clock.now(), 43L * ui::clockIntervalFor(g->Battle().timersp.interval()));
    QCOMPARE(g->turnMarker(), QStringLiteral("0"));
    QVERIFY(!g->player(1).visible());
    QCOMPARE(g->player(0).Label3.caption(), QStringLiteral("3"));
    // The field upkeep shows the turn marker as the title at its next tick.
    clock.advance(ui::clockIntervalFor(g->Battle().tagselamat.interval()));
    QCOMPARE(g->Battle().caption(), QStringLiteral("0"));

    // A click on the shot's damage number leaves player 2 with 10 energy.
    g->Battle().damage.click();
    QCOMPARE(g->Battle().ProgressBar3.value(), 10.0f);

    // Full far and full high power, facing right: the shell lands on player 2.
    PanelWindow& panel = g->player(0);
    panel.Command1.click();
    QCOMPARE(panel.Command1.caption(), QStringLiteral("far ok"));
    clock.advance(1600);
    QCOMPARE(panel.ProgressBar1.value(), 50.0f);
    panel.Command1.click();
    QCOMPARE(panel.Command1.caption(), QStringLiteral("high ok"));
    clock.advance(1600);
    QCOMPARE(panel.slider1.value(), 50.0f);
    panel.Command1.click();
    QVERIFY(!panel.visible());
    QVERIFY(g->Battle().Timer1.enabled());
    QCOMPARE(g->Battle().damage.caption(), QStringLiteral("35"));

    // The hit, then one second later the explosion.
    QVERIFY(clock.advanceUntil([&] { return g->Battle().beledug.enabled(); }, 5000));
    const double damageToPlayer2Before = numtext::readDouble(g->Battle().dm2.caption());
    QVERIFY(damageToPlayer2Before > 35);
    QVERIFY(clock.advanceUntil([&] { return !g->Battle().beledug.enabled(); }, 2000));

    QCOMPARE(g.messages.size(), 2);
    QCOMPARE(g.messages.at(0), QStringLiteral("Player2 dihancurkan sampai lenyap oleh Player1. Score 50 poin"));
    QCOMPARE(g.messages.at(1), QStringLiteral("Pemenang: Player1"));

    BattleWindow& battle = g->Battle();
    QVERIFY(!battle.Image2.visible());
    QCOMPARE(battle.ProgressBar3.value(), 0.0f);
    QCOMPARE(battle.ProgressBar2.value(), 230.0f);
    const double damageToPlayer2 = numtext::readDouble(battle.dm2.caption());
    QCOMPARE(g->player(0).score1.caption(), numtext::text(damageToPlayer2 + 50 + 230));
    QCOMPARE(g->player(1).score1.caption(), QStringLiteral("0"));

    // The end of the match: panels hidden, score board and cover shown.
    for (int slot = 0; slot < 4; ++slot)
        QVERIFY(!g->player(slot).visible());
    QVERIFY(g->Score().visible());
    QVERIFY(battle.Frame3.visible());

    // The shot ends when the shell has dropped below the battlefield; the
    // board mirrors the winner's score within a second.
    QVERIFY(clock.advanceUntil([&] { return !g->Battle().Timer1.enabled(); }, 10000));
    QCOMPARE(g->turnMarker(), QStringLiteral("-1"));
    clock.advance(1000);
    QCOMPARE(g->Score().Text1q.text(), g->player(0).score1.caption());
    QCOMPARE(g->Score().Text2q.text(), QStringLiteral("0"));
    QCOMPARE(g->Score().Text1.text(), QStringLiteral("Player1"));
    QCOMPARE(g.messages.size(), 2);
}

namespace {

QStringList heard(std::initializer_list<const char*> names)
{
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

// From now on, the sounds played so far are kept as each message opens;
// returns the list they are kept in, one entry per message.
const QList<QStringList>& recordHeardAtMessages(TestGame& g)
{
    static QList<QStringList> heardAtMessage;
    heardAtMessage.clear();
    ui::setMessagePresenter([&g](const QString& text) {
        g.messages << text;
        heardAtMessage << g.sounds;
    });
    return heardAtMessage;
}

} // namespace

void TestScriptedDuel::duelIsHeardAsItHappens()
{
    TestGame g;
    Clock clock(*g);
    const QList<QStringList>& heardAtMessage = recordHeardAtMessages(g);
    startDuel(g);
    QVERIFY(g.sounds.isEmpty());

    // The chime comes with player 1's panel, once.
    QVERIFY(clock.advanceUntil([&] { return g->player(0).visible(); }, 1000));
    QCOMPARE(g.sounds, heard({"turn"}));
    clock.advance(500);
    QCOMPARE(g.sounds, heard({"turn"}));

    // The shot of duelFromStartToTheWinner: the first two presses only start
    // the gauges, the third launches.
    g->Battle().damage.click();
    PanelWindow& panel = g->player(0);
    panel.Command1.click();
    clock.advance(1600);
    panel.Command1.click();
    clock.advance(1600);
    QCOMPARE(g.sounds, heard({"turn"}));
    panel.Command1.click();
    QCOMPARE(g.sounds, heard({"turn", "fire"}));

    // The hit is heard when the shell touches player 2.
    BattleWindow& battle = g->Battle();
    QVERIFY(clock.advanceUntil([&] { return battle.beledug.enabled(); }, 5000));
    QCOMPARE(g.sounds, heard({"turn", "fire", "hit"}));
    QVERIFY(clock.advanceUntil([&] { return !battle.beledug.enabled(); }, 2000));

    // The blast plays under the kill message, the fanfare with the winner's.
    QCOMPARE(g.messages.size(), 2);
    QCOMPARE(heardAtMessage.at(0), heard({"turn", "fire", "hit", "kill"}));
    QCOMPARE(heardAtMessage.at(1), heard({"turn", "fire", "hit", "kill", "winner"}));

    // The rest of the shot is silent.
    QVERIFY(clock.advanceUntil([&] { return !battle.Timer1.enabled(); }, 10000));
    QCOMPARE(g.sounds, heard({"turn", "fire", "hit", "kill", "winner"}));
}

void TestScriptedDuel::threePlayerDrawIsHeard()
{
    TestGame g;
    Clock clock(*g);
    const QList<QStringList>& heardAtMessage = recordHeardAtMessages(g);
    SetupWindow& setup = shownSetup(g);
    setup.Command2.click();  // "Survival 3 player"
    setup.Command5.click();
    QVERIFY(clock.advanceUntil([&] { return g->turnSlot().has_value(); }, 2000));
    const int shooter = *g->turnSlot();
    QCOMPARE(g.sounds, heard({"turn"}));

    // The three vehicles stand where the shooter's shell comes down when it
    // is fired with no power at all and no wind, each with 1 energy left.
    BattleWindow& battle = g->Battle();
    ui::Sprite& own = *battle.vehicle[shooter];
    for (int slot = 0; slot < 3; ++slot) {
        battle.vehicle[slot]->move(own.left(), own.top());
        battle.energyBar[slot]->setValue(1);
    }
    battle.Text3.setText(QStringLiteral("0"));
    battle.Text4.setText(QStringLiteral("0"));
    PanelWindow& panel = g->player(shooter);
    panel.Command1.click();
    panel.Command1.click();
    panel.Command1.click();

    // The shell touches all three: a hit each. On the next flight tick it
    // still touches them and the flight records the touch again; nothing more
    // is heard.
    QVERIFY(clock.advanceUntil([&] { return battle.beledug.enabled(); }, 5000));
    QCOMPARE(g.sounds, heard({"turn", "fire", "hit", "hit", "hit"}));
    const QString firstTouch = battle.damageLabel[shooter]->caption();
    clock.advance(battle.Timer1.interval());
    QVERIFY(battle.damageLabel[shooter]->caption() != firstTouch);
    QCOMPARE(g.sounds.size(), 5);

    // Then every vehicle is destroyed, each with a blast; the two that were
    // not the shooter's come with a kill message, their blast under it.
    QVERIFY(clock.advanceUntil([&] { return !battle.beledug.enabled() && !battle.Timer1.enabled(); }, 10000));
    for (int slot = 0; slot < 3; ++slot)
        QVERIFY(!battle.vehicle[slot]->visible());
    QCOMPARE(g.sounds, heard({"turn", "fire", "hit", "hit", "hit", "kill", "kill", "kill"}));
    QCOMPARE(g.messages.size(), 2);
    for (const QStringList& atMessage : heardAtMessage)
        QCOMPARE(atMessage.last(), QStringLiteral("kill"));

    // Nobody is left: the next pointer move over the battlefield declares the
    // draw, with its falling tone.
    battle.Picture1.pointerMove(4000, 5000);
    QCOMPARE(g.messages.size(), 3);
    QCOMPARE(g.messages.at(2), QStringLiteral("Draw!"));
    QCOMPARE(heardAtMessage.at(2).last(), QStringLiteral("draw"));
    QCOMPARE(g.sounds.size(), 9);
}

QTEST_MAIN(TestScriptedDuel)
#include "test_scripted_duel.moc"
