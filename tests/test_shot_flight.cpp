// The shell's flight tick by tick, its hits, and the end of a shot in both
// editions.

#include "test_support.h"

#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "ui/number_text.h"

#include <QTest>

namespace {

struct Shot {
    bool facingRight = true;
    double left1 = 0;
    double top1 = 0;
    float far = 0;   // P
    float high = 0;  // S
    int wind = 0;
    int lift = 0;
    QString damage = QStringLiteral("0");
};

// What the third fire click leaves behind: the launch point, the powers, the
// damage, and the flight task running.
void launch(BattleWindow& b, const Shot& shot)
{
    b.lr.setCaption(shot.facingRight ? QStringLiteral("kanan") : QStringLiteral("kiri"));
    b.left1.setText(numtext::text(shot.left1));
    b.top1.setText(numtext::text(shot.top1));
    b.ProgressBar1.setValue(shot.far);
    b.Slider1.setValue(shot.high);
    b.Text3.setText(numtext::text(shot.wind));
    b.Text4.setText(numtext::text(shot.lift));
    b.damage.setCaption(shot.damage);
    for (ui::Label* label : b.damageLabel)
        label->setCaption(QStringLiteral("0"));
    b.Timer1.start();
}

// Player 1's vehicle as designed (600, 5520, 1095 x 855) firing: the launch
// point the fire click writes for it.
Shot fromPlayerOne(const BattleWindow& b)
{
    Shot shot;
    shot.left1 = b.Image3.left() + b.Image3.width() + b.Image1.width();
    shot.top1 = b.Image3.top() - 4040 - b.Image1.height();
    return shot;
}

// A flight under way, as its tick reads it: the horizontal and vertical
// references (Text1, Text2) and the launch point (left1, top1).
void flyFrom(BattleWindow& b, double horizontal, double vertical, double left, double top)
{
    b.Text1.setText(numtext::text(horizontal));
    b.Text2.setText(numtext::text(vertical));
    b.left1.setText(numtext::text(left));
    b.top1.setText(numtext::text(top));
    b.Timer1.start();
}

// Puts the shell's top-left corner at (left, top) on the next tick.
void aimShellAt(BattleWindow& b, double left, double top) { flyFrom(b, 0, 0, left, top); }

// What every ended shot leaves: the flight's horizontal reference back at
// -300 and the flight timer stopped; the full game's turn scheduler runs
// again, while the wind edition's, which passes turns in rotation, stays off.
void checkShotEnded(TestGame& g)
{
    BattleWindow& b = g->Battle();
    QCOMPARE(b.Text1.text(), QStringLiteral("-300"));
    QVERIFY(!b.Timer1.enabled());
    QCOMPARE(b.timersp.enabled(), !g->windEdition());
}

} // namespace

Q_DECLARE_METATYPE(Shot)

class TestShotFlight : public QObject {
    Q_OBJECT

private slots:
    void shellPathTickByTickFromPlayerOne()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        Shot shot = fromPlayerOne(b);
        QCOMPARE(shot.left1, 1965.0);
        QCOMPARE(shot.top1, 1195.0);
        shot.far = 20;
        shot.high = 30;
        shot.lift = 5;
        shot.damage = QStringLiteral("35");
        launch(b, shot);

        const double expected[][2] = {{1665, 1195}, {1745, 5475}, {1825, 5265}, {1905, 5065}, {1985, 4875}};
        int tick = 0;
        for (const auto& place : expected) {
            b.Timer1.tick();
            ++tick;
            QCOMPARE(b.Image1.left(), place[0]);
            QCOMPARE(b.Image1.top(), place[1]);
            QCOMPARE(b.damage.caption(), numtext::text(35 + tick));
            QVERIFY(b.Timer1.enabled());
        }
        QCOMPARE(b.Text1.text(), QStringLiteral("-250"));
        QCOMPARE(b.Text2.text(), QStringLiteral("-3125"));
        QVERIFY(!b.beledug.enabled());
    }

    void followsTheClosedFormUntilItLands_data()
    {
        QTest::addColumn<Shot>("shot");
        QTest::newRow("left against wind")
            << Shot{.facingRight = false, .left1 = 9000, .top1 = 3000, .far = 13.5f, .high = 7, .wind = -9, .lift = 20};
        // Long enough that the parabola offset and the horizontal reference
        // leave the 16-bit range before the shell lands.
        QTest::newRow("full power, tail wind")
            << Shot{.left1 = 9000, .top1 = 3000, .far = 50, .high = 100, .wind = 70, .lift = 70};
    }

    void followsTheClosedFormUntilItLands()
    {
        QFETCH(Shot, shot);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Image2.hide();
        launch(b, shot);

        const double sideways = shot.wind + (shot.facingRight ? 4.0 * shot.far : -4.0 * shot.far);
        const double rise = 100 + 4.0 * shot.high + shot.lift;
        double lastTop = 0;
        for (int n = 0; n < 1000 && b.Timer1.enabled(); ++n) {
            b.Timer1.tick();
            lastTop = n == 0 ? shot.top1 : shot.top1 + 4500 - n * rise + 5.0 * n * n;
            QCOMPARE(b.Image1.left(), shot.left1 - 300 + n * sideways);
            QCOMPARE(b.Image1.top(), lastTop);
        }
        // The tick that drew the shell below the battlefield ended the shot.
        QVERIFY(lastTop > b.Picture1.height());
        checkShotEnded(g);
    }

    void sixteenBitReadsRoundHalfToEven()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        flyFrom(b, -300, 0, 1000.5, 1001.5);
        b.Timer1.tick();
        QCOMPARE(b.Image1.left(), 700.0);
        QCOMPARE(b.Image1.top(), 1002.0);
    }

    void zeroPowerFallsOnItsOwnVehicle()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        Shot shot = fromPlayerOne(b);
        shot.damage = QStringLiteral("35");
        launch(b, shot);

        b.Timer1.tick();
        QCOMPARE(b.dm1.caption(), QStringLiteral("0"));
        QVERIFY(!b.beledug.enabled());

        b.Timer1.tick();
        QCOMPARE(b.Image1.left(), 1665.0);
        QCOMPARE(b.Image1.top(), 5600.0);
        QCOMPARE(b.dm1.caption(), QStringLiteral("37"));
        QCOMPARE(b.duar.left(), 600.0);
        QCOMPARE(b.duar.top(), 5520.0);
        QVERIFY(b.beledug.enabled());
        QVERIFY(b.Timer1.enabled());  // a hit does not stop the flight

        // Still inside the box: the hit is recorded again, grown by one.
        b.Timer1.tick();
        QCOMPARE(b.dm1.caption(), QStringLiteral("38"));
        QCOMPARE(b.dm2.caption(), QStringLiteral("0"));
    }

    void overlappingVehiclesAreBothHit()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Image2.move(650, 5500);
        Shot shot = fromPlayerOne(b);
        shot.damage = QStringLiteral("35");
        launch(b, shot);
        tickTimes(b.Timer1, 2);

        QCOMPARE(b.dm1.caption(), QStringLiteral("37"));
        QCOMPARE(b.dm2.caption(), QStringLiteral("37"));
        // The explosion is drawn on the higher slot.
        QCOMPARE(b.duar.left(), 650.0);
        QCOMPARE(b.duar.top(), 5500.0);
    }

    void hiddenVehiclesAreNeverHit()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.mob3.move(b.Image3.left(), b.Image3.top());
        b.mob4.move(b.Image3.left(), b.Image3.top());
        Shot shot = fromPlayerOne(b);
        b.Image3.hide();
        launch(b, shot);
        tickTimes(b.Timer1, 5);

        for (const ui::Label* label : b.damageLabel)
            QCOMPARE(label->caption(), QStringLiteral("0"));
        QVERIFY(!b.beledug.enabled());

        // Yet every damage label rides over its vehicle, hidden or moved.
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(b.damageLabel[k]->left(), b.vehicle[k]->left());
            QCOMPARE(b.damageLabel[k]->top(), b.vehicle[k]->top() - b.damageLabel[k]->height());
        }
    }

    void hitBoxEdgesAreExclusive_data()
    {
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<bool>("hit");
        // Relative to player 1's vehicle at (600, 5520), 1095 x 855.
        QTest::newRow("left edge") << -100.0 << 0.0 << false;
        QTest::newRow("just inside left") << -99.0 << 0.0 << true;
        QTest::newRow("right edge") << 1095.0 << 0.0 << false;
        QTest::newRow("just inside right") << 1094.0 << 0.0 << true;
        QTest::newRow("top edge") << 0.0 << -100.0 << false;
        QTest::newRow("just inside top") << 0.0 << -99.0 << true;
        QTest::newRow("bottom edge") << 0.0 << 855.0 << false;
        QTest::newRow("just inside bottom") << 0.0 << 854.0 << true;
    }

    void hitBoxEdgesAreExclusive()
    {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(bool, hit);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.damage.setCaption(QStringLiteral("9"));
        aimShellAt(b, b.Image3.left() + dx, b.Image3.top() + dy);
        b.Timer1.tick();
        QCOMPARE(b.dm1.caption(), hit ? QStringLiteral("10") : QStringLiteral("0"));
        QCOMPARE(b.beledug.enabled(), hit);
    }

    void shotEndsOnlyOnceTheExplosionIsOver()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        for (int slot = 0; slot < 4; ++slot)
            g->player(slot).show();
        g->setTurnMarker(QStringLiteral("2"));
        b.timersp.stop();
        b.Text7.setText(QStringLiteral("-9"));
        b.Text8.setText(QStringLiteral("20"));
        b.ProgressBar1.setValue(30);
        b.Slider1.setValue(40);

        // Below the battlefield with an explosion pending: the shell waits.
        flyFrom(b, -100, 0, 1234, 20000);
        b.beledug.start();
        b.Timer1.tick();
        QCOMPARE(b.Image1.top(), 20000.0);
        QCOMPARE(b.Text1.text(), QStringLiteral("-100"));
        QCOMPARE(b.left1.text(), QStringLiteral("1234"));
        QVERIFY(b.Timer1.enabled());
        QCOMPARE(g->turnMarker(), QStringLiteral("2"));

        b.beledug.stop();
        b.Timer1.tick();
        checkShotEnded(g);
        QCOMPARE(b.left1.text(), QStringLiteral("400"));
        QCOMPARE(b.Text2.text(), QStringLiteral("0"));
        QCOMPARE(b.ProgressBar1.value(), 0.0f);
        QCOMPARE(b.Slider1.value(), 0.0f);
        QCOMPARE(b.Text3.text(), QStringLiteral("-9"));
        QCOMPARE(b.Text4.text(), QStringLiteral("20"));
        QCOMPARE(g->turnMarker(), QStringLiteral("-1"));
        for (int slot = 0; slot < 4; ++slot)
            QVERIFY(!g->player(slot).visible());
        QCOMPARE(b.Label5.caption(), QStringLiteral("<== -9"));
    }

    void endShotLeavesAFlyingShellAlone()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        g->setTurnMarker(QStringLiteral("1"));
        b.Image1.setTop(b.Picture1.height());  // on the lower edge: still flying
        b.Text1.setText(QStringLiteral("50"));
        b.Timer1.start();
        b.EndShot();
        QCOMPARE(b.Text1.text(), QStringLiteral("50"));
        QCOMPARE(g->turnMarker(), QStringLiteral("1"));
        QVERIFY(b.Timer1.enabled());
    }

    void damageStopsGrowingBelowTheWindow()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        const double outer = b.outerHeight();
        QVERIFY(outer < b.Picture1.height());
        b.damage.setCaption(QStringLiteral("7"));

        aimShellAt(b, 20000, outer);
        b.Timer1.tick();
        QCOMPARE(b.damage.caption(), QStringLiteral("8"));

        aimShellAt(b, 20000, outer + 15);
        b.Timer1.tick();
        QCOMPARE(b.damage.caption(), QStringLiteral("8"));
        QCOMPARE(b.Text1.text(), QStringLiteral("10"));  // the flight still advances
        QVERIFY(b.Timer1.enabled());
    }

    void windEditionFloorIsTheWindowsHeight()
    {
        TestGame g(Edition::Wind);
        BattleWindow& b = g->Battle();
        const double outer = b.outerHeight();
        QCOMPARE(b.flightFloor(), outer);
        QVERIFY(outer < b.Picture1.height());
        b.Image2.hide();

        aimShellAt(b, 20000, outer);
        b.Timer1.tick();
        QCOMPARE(b.Text1.text(), QStringLiteral("10"));
        QVERIFY(b.Timer1.enabled());

        // Below the window but above the battlefield's edge: the shot ends.
        aimShellAt(b, 20000, outer + 15);
        b.Timer1.tick();
        checkShotEnded(g);
    }

    void windEditionPassesTheTurnInRotation_data()
    {
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QList<bool>>("inPlay");
        QTest::addColumn<QString>("nextMarker");
        QTest::addColumn<int>("granted");  // slot given 3 movement points, -1: none
        const QList<bool> duel{true, true, false, false};
        const QList<bool> all{true, true, true, true};
        QTest::newRow("duel, player 1 shot") << "2" << "0" << duel << "1" << 1;
        QTest::newRow("duel, player 2 shot") << "2" << "1" << duel << "2" << 0;
        QTest::newRow("duel, marker 2 wraps") << "2" << "2" << duel << "0" << 0;
        QTest::newRow("three players, player 2 shot") << "3" << "1" << QList<bool>{true, true, true, false} << "2"
                                                      << 2;
        QTest::newRow("three players, player 3 gone") << "3" << "1" << QList<bool>{true, true, false, false}
                                                      << "2" << 0;
        QTest::newRow("four players, player 3 shot") << "4" << "2" << all << "3" << 3;
        QTest::newRow("four players, player 4 shot") << "4" << "3" << all << "4" << 0;
        QTest::newRow("player 2 gone") << "2" << "0" << QList<bool>{true, false, false, false} << "1" << 0;
        QTest::newRow("nobody left") << "2" << "0" << QList<bool>{false, false, false, false} << "1" << -1;
    }

    void windEditionPassesTheTurnInRotation()
    {
        QFETCH(QString, players);
        QFETCH(QString, marker);
        QFETCH(QList<bool>, inPlay);
        QFETCH(QString, nextMarker);
        QFETCH(int, granted);
        TestGame g(Edition::Wind);
        BattleWindow& b = g->Battle();
        RosterWindow& setup = g->Form1();
        setup.setCaption(players);
        setup.Frame3.setVisible(players != QStringLiteral("2"));
        setup.Frame4.setVisible(players == QStringLiteral("4"));
        for (int k = 0; k < 4; ++k) {
            b.vehicle[k]->setVisible(inPlay[k]);
            g->player(k).Label3.setCaption(numtext::text(10 * (k + 1)));
            g->player(k).show();
        }
        g->setTurnMarker(marker);
        b.Text7.setText(QStringLiteral("-9"));
        b.Text8.setText(QStringLiteral("-25"));
        b.Timer1.start();
        b.Image1.setTop(b.outerHeight() + 15);

        b.EndShot();

        QCOMPARE(g->turnMarker(), nextMarker);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(g->player(k).Label3.caption(), numtext::text(10 * (k + 1) + (k == granted ? 3 : 0)));
            QVERIFY(!g->player(k).visible());
        }
        checkShotEnded(g);
        QCOMPARE(b.Text3.text(), QStringLiteral("-9"));
        QCOMPARE(b.Text4.text(), QStringLiteral("-25"));
    }
};

QTEST_MAIN(TestShotFlight)
#include "test_shot_flight.moc"
