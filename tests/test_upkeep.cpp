// Battle window upkeep: edge buttons, empty tags, the title, the rising and
// hidden damage labels, and the turn-gauge holders.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"

#include <QtTest>

class TestUpkeep : public QObject {
    Q_OBJECT

private slots:
    void emptyTagsBecomeZeroAndTheTitleShowsTheMarker()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        QCOMPARE(b.caption(), QStringLiteral("Battle!"));
        b.tagselamat.tick();
        QCOMPARE(b.caption(), QStringLiteral("-1"));

        b.Image2.setTag(QString());
        b.mob4.setTag(QString());
        b.mob3.setTag(QStringLiteral("4200"));
        g->setTurnMarker(QString());
        b.tagselamat.tick();
        QCOMPARE(b.Image2.tag(), QStringLiteral("0"));
        QCOMPARE(b.mob4.tag(), QStringLiteral("0"));
        QCOMPARE(b.mob3.tag(), QStringLiteral("4200"));
        QCOMPARE(g->turnMarker(), QStringLiteral("0"));
        QCOMPARE(b.caption(), QStringLiteral("0"));

        g->setTurnMarker(QStringLiteral("3"));
        b.tagselamat.tick();
        QCOMPARE(b.caption(), QStringLiteral("3"));
    }

    void damageLabelsRiseOnlyAfterTheShotAndStopAboveTheField()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.dm2.setCaption(QStringLiteral("40"));
        b.dm2.setTop(140); // bottom edge at 500

        b.Timer1.start();
        tickTimes(b.tagselamat, 3);
        QCOMPARE(b.dm2.top(), 140.0);
        b.Timer1.stop();
        b.beledug.start();
        tickTimes(b.tagselamat, 3);
        QCOMPARE(b.dm2.top(), 140.0);
        b.beledug.stop();

        tickTimes(b.tagselamat, 9);
        QCOMPARE(b.dm2.top(), -310.0); // bottom at 50: one more step
        tickTimes(b.tagselamat, 5);
        QCOMPARE(b.dm2.top(), -360.0); // bottom at 0: off the field, stays
        QVERIFY(b.dm2.visible());
    }

    void aZeroDamageLabelIsHidden()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.dm1.setCaption(QStringLiteral("0"));
        b.dm3.setCaption(QStringLiteral("35"));
        b.Timer1.start(); // even while the label is held in place
        b.tagselamat.tick();
        QVERIFY(!b.dm1.visible());
        QVERIFY(b.dm3.visible());
        b.dm1.setCaption(QStringLiteral("12"));
        b.dm3.setCaption(QStringLiteral("0"));
        b.tagselamat.tick();
        QVERIFY(b.dm1.visible());
        QVERIFY(!b.dm3.visible());
    }

    void edgeButtonsFollowTheWindowSize()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.setClientSize(9000, 6000);
        b.tagselamat.tick();
        const auto check = [&b] {
            const double w = b.outerWidth();
            const double h = b.outerHeight();
            QCOMPARE(b.frame4.left(), w - b.frame4.width());
            QCOMPARE(b.frame6.top(), h - 2 * b.frame6.height());
            QCOMPARE(b.frame4.height(), h);
            QCOMPARE(b.frame1.height(), h);
            QCOMPARE(b.frame5.width(), w);
            QCOMPARE(b.frame6.width(), w);
        };
        check();
        QVERIFY(b.outerWidth() >= 9000);

        b.setClientSize(12000, 7500);
        b.tagselamat.tick();
        check();
        QVERIFY(b.frame4.left() >= 12000 - b.frame4.width());
    }

    void gaugeHoldersSitUnderTheEnergyBars()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.ProgressBar3.move(7000, 4000);
        b.ProgressBar5.move(-500, 9000);
        b.tagselamat.tick();
        for (std::size_t k = 0; k < 4; ++k) {
            QCOMPARE(b.gaugeHolder[k]->left(), b.energyBar[k]->left());
            QCOMPARE(b.gaugeHolder[k]->top(), b.energyBar[k]->top() + b.energyBar[k]->height());
        }
        QCOMPARE(b.sp2.left(), 7000.0);
        QCOMPARE(b.sp4.top(), 9000.0 + b.ProgressBar5.height());
    }

    void windEditionHasNoEdgeButtonsOrGauges()
    {
        TestGame g(Edition::Wind);
        BattleWindow& b = g->Battle();
        b.setClientSize(9000, 6000);
        b.ProgressBar2.move(3000, 3000);
        const ui::Rect frame4 = b.frame4.rect();
        const ui::Rect frame6 = b.frame6.rect();
        const ui::Rect holder = b.sp1.rect();
        b.dm1.setCaption(QStringLiteral("0"));
        b.dm2.setCaption(QStringLiteral("20"));
        const double dm2Top = b.dm2.top();
        b.Image2.setTag(QString());

        b.tagselamat.tick();
        QCOMPARE(b.frame4.left(), frame4.left);
        QCOMPARE(b.frame4.height(), frame4.height);
        QCOMPARE(b.frame6.top(), frame6.top);
        QCOMPARE(b.frame6.width(), frame6.width);
        QCOMPARE(b.sp1.left(), holder.left);
        QCOMPARE(b.sp1.top(), holder.top);
        // The rest of the upkeep runs as in the full game.
        QCOMPARE(b.Image2.tag(), QStringLiteral("0"));
        QCOMPARE(b.caption(), g->turnMarker());
        QCOMPARE(b.dm2.top(), dm2Top - 50);
        QVERIFY(!b.dm1.visible());
        QVERIFY(b.dm2.visible());
    }
};

QTEST_MAIN(TestUpkeep)
#include "test_upkeep.moc"
