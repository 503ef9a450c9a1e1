// View scrolling: the edge buttons set a direction, the scroll task moves the
// battlefield, pointer moves over the battlefield or the bare window stop it.

#include "test_support.h"

#include "battle/battle_window.h"

#include <QtTest>

class TestScrolling : public QObject {
    Q_OBJECT

private slots:
    void edgeButtonsScrollWithoutLimit()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();
        QCOMPARE(b.Picture1.left(), 0.0);
        QCOMPARE(b.Picture1.top(), 0.0);

        b.frame5.click(); // up: the battlefield moves down
        tickTimes(b.scrol, 3);
        QCOMPARE(b.Picture1.top(), 300.0);

        b.frame6.click(); // a new direction takes over at once
        tickTimes(b.scrol, 5);
        QCOMPARE(b.Picture1.top(), -200.0);

        b.frame1.click();
        tickTimes(b.scrol, 2);
        QCOMPARE(b.Picture1.left(), 200.0);

        // Far past the battlefield's own width: nothing stops it.
        b.frame4.click();
        const int ticks = static_cast<int>(b.Picture1.width() / 100) + 50;
        tickTimes(b.scrol, ticks);
        QCOMPARE(b.Picture1.left(), 200.0 - 100.0 * ticks);
        QCOMPARE(b.Picture1.top(), -200.0);
    }

    void pointerMovesOverTheBattlefieldOrTheWindowStopIt()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();

        b.frame4.click();
        b.scrol.tick();
        b.pointerMove(30, 30); // the bare window
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        tickTimes(b.scrol, 3);
        QCOMPARE(b.Picture1.left(), -100.0);

        b.frame5.click();
        b.scrol.tick();
        b.Picture1.pointerMove(2000, 3000);
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        tickTimes(b.scrol, 3);
        QCOMPARE(b.Picture1.top(), 100.0);
    }

    void scoreButtonMovesAndUnknownDirectionsAreIgnored()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();

        b.frame1.click();
        b.frame1.pointerMove(100, 100); // resting on the clicked button
        b.Command1.pointerMove(100, 100);
        tickTimes(b.scrol, 4);
        QCOMPARE(b.scrol1.caption(), QStringLiteral("kiri"));
        QCOMPARE(b.Picture1.left(), 400.0);

        b.scrol1.setCaption(QStringLiteral("Kiri")); // not a direction
        tickTimes(b.scrol, 3);
        QCOMPARE(b.Picture1.left(), 400.0);
    }

};

QTEST_MAIN(TestScrolling)
#include "test_scrolling.moc"
