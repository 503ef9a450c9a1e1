// Vehicle step moves: the vertical and horizontal glides of the current
// player's vehicle, one 100-twip step per tick.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "ui/number_text.h"

#include <QtTest>

class TestStepMoves : public QObject {
    Q_OBJECT

    // Starts a move of the vehicle in `slot` as a move button does: the
    // target in the vehicle's Tag, its panel hidden, the glide started.
    static void startMove(TestGame& g, int slot, ui::Timer& glide, double target)
    {
        g->setTurnMarker(numtext::text(slot));
        g->Battle().vehicle[static_cast<std::size_t>(slot)]->setTag(numtext::text(target));
        g->player(slot).hide();
        glide.start();
    }

    // Ticks until the glide stops (at most `limit` ticks); returns the count.
    static int ticksUntilStopped(ui::Timer& glide, int limit = 100)
    {
        int ticks = 0;
        while (glide.enabled() && ticks < limit) {
            glide.tick();
            ++ticks;
        }
        return ticks;
    }

private slots:
    void verticalMoveOf900TakesNineTicksAndBarJumpsOnArrival()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Image3.move(600, 5000);
        b.ProgressBar2.move(480, 6480);
        startMove(g, 0, b.Timer3, 5000 - 900);

        tickTimes(b.Timer3, 8);
        QCOMPARE(b.Image3.top(), 4200.0);
        QVERIFY(b.Timer3.enabled());
        QVERIFY(!g->player(0).visible());
        QCOMPARE(b.ProgressBar2.top(), 6480.0); // the bar waits for the arrival

        b.Timer3.tick(); // the last step and the arrival in one tick
        QCOMPARE(b.Image3.top(), 4100.0);
        QVERIFY(!b.Timer3.enabled());
        QVERIFY(g->player(0).visible());
        QCOMPARE(b.ProgressBar2.top(), 4100.0 + b.Image3.height() + 300);
        QCOMPARE(b.ProgressBar2.left(), 480.0);
    }

    void horizontalMoveOf800TakesEightTicks()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Image2.move(5000, 3000);
        b.ProgressBar3.move(4800, 3900);
        startMove(g, 1, b.Timer4, 5000 + 800);

        tickTimes(b.Timer4, 7);
        QCOMPARE(b.Image2.left(), 5700.0);
        QCOMPARE(b.ProgressBar3.left(), 4800.0);
        QVERIFY(b.Timer4.enabled());

        b.Timer4.tick();
        QCOMPARE(b.Image2.left(), 5800.0);
        QVERIFY(!b.Timer4.enabled());
        QVERIFY(g->player(1).visible());
        QCOMPARE(b.ProgressBar3.left(), 5800.0);
        QCOMPARE(b.ProgressBar3.top(), 3900.0);
        QCOMPARE(b.Image2.top(), 3000.0); // only the one axis moves
    }

    void targetAtTheVehicleEndsAtTheFirstTickWithoutAStep()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.mob3.move(2000, 7000);
        startMove(g, 2, b.Timer4, 2000);

        b.Timer4.tick();
        QCOMPARE(b.mob3.left(), 2000.0);
        QVERIFY(!b.Timer4.enabled());
        QVERIFY(g->player(2).visible());
        QCOMPARE(b.ProgressBar4.left(), 2000.0);
    }

    void nothingLimitsTheTarget()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.mob4.move(b.Picture1.width() - 300, 200);
        startMove(g, 3, b.Timer3, 200 - 900);
        QCOMPARE(ticksUntilStopped(b.Timer3), 9);
        QCOMPARE(b.mob4.top(), -700.0);

        startMove(g, 3, b.Timer4, b.Picture1.width() + 500);
        QCOMPARE(ticksUntilStopped(b.Timer4), 8);
        QCOMPARE(b.mob4.left(), b.Picture1.width() + 500);
    }

    void nothingMovesBetweenTurns()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Image3.move(600, 5000);
        startMove(g, 0, b.Timer3, 4100);
        g->setTurnMarker(QStringLiteral("-1"));

        tickTimes(b.Timer3, 20);
        QCOMPARE(b.Image3.top(), 5000.0);
        QVERIFY(b.Timer3.enabled());
        QVERIFY(!g->player(0).visible());
    }

    // A target that is not a whole number of steps away ends the move on the
    // nearest step, the panel comes back, and the vehicle never passes a
    // target that lies exactly between two steps.
    void oddTargetStopsAtTheNearestStep_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("target");
        QTest::addColumn<double>("end");
        QTest::addColumn<int>("ticks");
        QTest::newRow("850 down, tie stays short") << 3000.0 << 3850.0 << 3800.0 << 8;
        QTest::newRow("850 up, tie stays short") << 3000.0 << 2150.0 << 2200.0 << 8;
        QTest::newRow("870 down, takes the nearer step") << 3000.0 << 3870.0 << 3900.0 << 9;
        QTest::newRow("30 away: stays") << 3000.0 << 3030.0 << 3000.0 << 1;
        QTest::newRow("70 away: one step") << 3000.0 << 2930.0 << 2900.0 << 1;
        QTest::newRow("fraction") << 3000.0 << 3900.25 << 3900.0 << 9;
    }
    void oddTargetStopsAtTheNearestStep()
    {
        QFETCH(double, start);
        QFETCH(double, target);
        QFETCH(double, end);
        QFETCH(int, ticks);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Image3.move(600, start);
        startMove(g, 0, b.Timer3, target);

        QCOMPARE(ticksUntilStopped(b.Timer3), ticks);
        QVERIFY(!b.Timer3.enabled());
        QCOMPARE(b.Image3.top(), end);
        QVERIFY(g->player(0).visible());
        QCOMPARE(b.ProgressBar2.top(), end + b.Image3.height() + 300);
    }
};

QTEST_MAIN(TestStepMoves)
#include "test_step_moves.moc"
