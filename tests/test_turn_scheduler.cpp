// The turn scheduler: gauges fill for living players and a full gauge hands
// over the turn with the player's movement points. Each test starts from
// players 1 and 2 in play with empty gauges of 30, a Move statistic of 4 and
// no movement points, on nobody's turn; the scheduler runs from the start of
// a full game.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"

#include <QTest>

class TestTurnScheduler : public QObject {
    Q_OBJECT

private slots:
    void readoutShowsTheGaugesBeforeFilling()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, -1);
        BattleWindow& b = g->Battle();
        b.ps1.setValue(12);
        b.ps2.setValue(29);

        b.timersp.tick();

        QCOMPARE(b.frame5.caption(), QStringLiteral("Player1=12 Player2=29 Player3=0 Player4=0"));
        QCOMPARE(b.ps1.value(), 13.0f);
        QCOMPARE(b.ps2.value(), 30.0f);
    }

    void onlyGaugesOfLivingPlayersFill()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, -1);
        BattleWindow& b = g->Battle();
        b.ps3.setValue(5);

        tickTimes(b.timersp, 3);

        QCOMPARE(b.ps1.value(), 3.0f);
        QCOMPARE(b.ps2.value(), 3.0f);
        QCOMPARE(b.ps3.value(), 5.0f);
        QCOMPARE(b.ps4.value(), 0.0f);
        QVERIFY(b.timersp.enabled());
        QCOMPARE(g->turnMarker(), QStringLiteral("-1"));
    }

    void firstFullGaugeGetsTheTurnAndPointsAccumulate()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, -1);
        BattleWindow& b = g->Battle();
        b.ps2.setMaximum(3);
        g->setup().d2.setText(QStringLiteral("5"));
        g->player(1).Label3.setCaption(QStringLiteral("2"));

        tickTimes(b.timersp, 2);
        QVERIFY(!g->player(1).visible());
        b.timersp.tick();

        QCOMPARE(g->turnMarker(), QStringLiteral("1"));
        QVERIFY(g->player(1).visible());
        QVERIFY(!g->player(0).visible());
        QVERIFY(!b.timersp.enabled());
        QCOMPARE(g->player(1).Label3.caption(), QStringLiteral("7"));
        QCOMPARE(b.ps2.value(), 3.0f);  // stays full until the player fires

        // The player did not fire: when the scheduler runs again the same
        // player gets the turn again, with the unspent points carried over.
        g->setTurnMarker(QStringLiteral("-1"));
        b.timersp.start();
        b.timersp.tick();
        QCOMPARE(g->turnMarker(), QStringLiteral("1"));
        QCOMPARE(g->player(1).Label3.caption(), QStringLiteral("12"));
        QCOMPARE(g->player(0).Label3.caption(), QStringLiteral("0"));
    }

    void twoGaugesFullInOneTick()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, -1);
        BattleWindow& b = g->Battle();
        b.vehicle[3]->show();
        b.ps1.setValue(29);
        b.ps4.setValue(29);

        b.timersp.tick();

        QVERIFY(g->player(0).visible());
        QVERIFY(g->player(3).visible());
        QCOMPARE(g->player(0).Label3.caption(), QStringLiteral("4"));
        QCOMPARE(g->player(3).Label3.caption(), QStringLiteral("4"));
        QCOMPARE(g->turnMarker(), QStringLiteral("3"));
        QVERIFY(!b.timersp.enabled());
    }

    void fullGaugeOfADestroyedVehicleIsStillHandedOver()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, -1);
        BattleWindow& b = g->Battle();
        b.ps1.setValue(30);
        b.Image3.hide();

        b.timersp.tick();

        QCOMPARE(g->turnMarker(), QStringLiteral("0"));
        QVERIFY(g->player(0).visible());
        QCOMPARE(g->player(0).Label3.caption(), QStringLiteral("4"));
    }
};

QTEST_MAIN(TestTurnScheduler)
#include "test_turn_scheduler.moc"
