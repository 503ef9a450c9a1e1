// A whole duel of the full game played the way two people would: clicks on
// the setup window and the panels, with every timer of every window ticking
// on a simulated millisecond clock.
#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"
#include "ui/number_text.h"
#include "ui/timer.h"

#include <QtTest>

namespace {

// Runs the game for `ms` milliseconds: each enabled timer of each existing
// window ticks whenever its interval has passed.
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
            std::vector<ui::Window*> windows{&game_.Form1()};
            if (game_.battleExists())
                windows.push_back(&game_.Battle());
            for (int slot = 0; slot < 4; ++slot)
                if (game_.panelExists(slot))
                    windows.push_back(&game_.player(slot));
            if (game_.scoreExists())
                windows.push_back(&game_.Score());
            for (ui::Window* window : windows)
                for (ui::Timer* timer : window->timers())
                    if (timer->enabled() && now_ % timer->interval() == 0)
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

private:
    Game& game_;
    long now_ = 0;
};

} // namespace

class TestScriptedDuel : public QObject {
    Q_OBJECT
private slots:
    void duelFromStartToTheWinner();
};

void TestScriptedDuel::duelFromStartToTheWinner()
{
    TestGame g;
    Clock clock(*g);
    SetupWindow& setup = g->setup();
    setup.show();

    setup.Command1.click();  // "Duel 1vs1"
    QCOMPARE(setup.caption(), QStringLiteral("2"));
    setup.Command5.click();  // "Start"
    QVERIFY(g->Battle().visible());
    QCOMPARE(g->Battle().ProgressBar3.maximum(), 710.0f);

    // Player 1 (Speed 6) fills the smaller gauge first: 43 ticks.
    QVERIFY(clock.advanceUntil([&] { return g->player(0).visible(); }, 200));
    QCOMPARE(g->turnMarker(), QStringLiteral("0"));
    QVERIFY(!g->player(1).visible());
    QCOMPARE(g->player(0).Label3.caption(), QStringLiteral("3"));
    clock.advance(5);
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

QTEST_MAIN(TestScriptedDuel)
#include "test_scripted_duel.moc"
