// The explosion tick: damage credit, damage, kills, the winner, and the wind
// edition's record of who lost a vehicle first.

#include "test_support.h"

#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "ui/number_text.h"

#include <QTest>

#include <array>

namespace {

void hit(TestGame& g, int slot, const QString& damage) { g->Battle().damageLabel[slot]->setCaption(damage); }

// The explosion of a shot whose flight left these damages, by slot, on the
// vehicles it touched.
void explodeAfterHits(TestGame& g, std::initializer_list<std::pair<int, int>> hits)
{
    for (const auto& [slot, damage] : hits)
        hit(g, slot, numtext::text(damage));
    explode(g);
}

QString killMessage(int victim, int killer)
{
    return kMatchNames[victim] + QStringLiteral(" dihancurkan sampai lenyap oleh ") + kMatchNames[killer]
           + QStringLiteral(". Score 50 poin");
}

} // namespace

class TestExplosion : public QObject {
    Q_OBJECT

private slots:
    void creditsShooterAndMovesLabelsOntoSurvivors()
    {
        TestGame g;
        setUpMatch(g, {true, true, true, true}, 2);
        BattleWindow& b = g->Battle();
        b.duar.move(b.mob3.left(), b.mob3.top());
        g->player(2).score1.setCaption(QStringLiteral("100"));
        // Slot 2 is the shooter's own vehicle: neither credited nor subtracted.
        explodeAfterHits(g, {{0, 40}, {2, 10}, {3, 35}});

        QCOMPARE(b.duar.left(), -900.0);
        QCOMPARE(g->player(2).score1.caption(), QStringLiteral("175"));
        QCOMPARE(b.ProgressBar2.value(), 60.0f);
        QCOMPARE(b.ProgressBar3.value(), 100.0f);
        QCOMPARE(b.ProgressBar4.value(), 90.0f);
        QCOMPARE(b.ProgressBar5.value(), 65.0f);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(b.damageLabel[k]->left(), b.vehicle[k]->left());
            QCOMPARE(b.damageLabel[k]->top(), b.vehicle[k]->top() - b.damageLabel[k]->height());
        }
        QVERIFY(g.messages.isEmpty());
        QVERIFY(!b.Frame3.visible());
    }

    void everyPlayerIsCreditedAndRewardedAsTheShooter_data()
    {
        QTest::addColumn<int>("shooter");
        for (int shooter = 0; shooter < 4; ++shooter)
            QTest::addRow("player %d", shooter + 1) << shooter;
    }
    void everyPlayerIsCreditedAndRewardedAsTheShooter()
    {
        // The shooter destroys the next player and wounds the one after.
        QFETCH(int, shooter);
        const int victim = (shooter + 1) % 4;
        const int wounded = (shooter + 2) % 4;
        TestGame g;
        setUpMatch(g, {true, true, true, true}, shooter);
        g->player(shooter).score1.setCaption(QStringLiteral("10"));
        explodeAfterHits(g, {{victim, 100}, {wounded, 30}});

        QVERIFY(!g->Battle().vehicle[victim]->visible());
        QCOMPARE(g->Battle().energyBar[wounded]->value(), 70.0f);
        QCOMPARE(g.messages, QStringList{killMessage(victim, shooter)});
        QCOMPARE(g->player(shooter).score1.caption(), QStringLiteral("190"));  // 10 + 130 credited + 50 for the kill
    }

    void energyEqualToDamageDestroysOneMoreSurvives()
    {
        TestGame g;
        setUpMatch(g, {true, true, true, true}, 2);
        BattleWindow& b = g->Battle();
        b.ProgressBar2.setValue(30);
        b.ProgressBar3.setValue(31);
        hit(g, 0, QStringLiteral("30"));
        hit(g, 1, QStringLiteral("30"));
        const ui::Rect labelBefore = b.dm1.rect();

        explode(g);

        QVERIFY(!b.Image3.visible());
        QCOMPARE(b.ProgressBar2.value(), 0.0f);
        QCOMPARE(b.Image3.top(), -b.Image3.height());
        QCOMPARE(b.dm1.left(), labelBefore.left);  // a destroyed vehicle's label stays put
        QCOMPARE(b.dm1.top(), labelBefore.top);

        QVERIFY(b.Image2.visible());
        QCOMPARE(b.ProgressBar3.value(), 1.0f);

        QCOMPARE(g.messages, QStringList{killMessage(0, 2)});
        QCOMPARE(g->player(2).score1.caption(), QStringLiteral("110"));  // 60 credited + 50 for the kill
    }

    void doubleKillGivesTwoMessagesInPlayerOrder()
    {
        TestGame g;
        setUpMatch(g, {true, true, true, true}, 0);
        g->player(0).score1.setCaption(QStringLiteral("7"));
        explodeAfterHits(g, {{2, 120}, {1, 100}});

        QCOMPARE(g.messages, (QStringList{killMessage(1, 0), killMessage(2, 0)}));
        QCOMPARE(g->player(0).score1.caption(), QStringLiteral("327"));  // 7 + 220 + 2 x 50
        QVERIFY(g->Battle().mob4.visible());
    }

    void selfDestructionEndsTheShotWithoutPoints()
    {
        // Two-player match: player 1 destroys its own vehicle with the shell
        // already below the battlefield, so the shot ends at once and player
        // 2 is the last one standing.
        TestGame g;
        setUpMatch(g, {true, true, false, false}, 0);
        BattleWindow& b = g->Battle();
        g->player(0).score1.setCaption(QStringLiteral("20"));
        g->player(1).score1.setCaption(QStringLiteral("5"));
        b.ProgressBar3.setValue(42);
        b.Image1.setTop(b.flightFloor() + 300);
        b.Timer1.start();
        b.timersp.stop();
        explodeAfterHits(g, {{0, 150}});

        QVERIFY(!b.Image3.visible());
        QCOMPARE(g->player(0).score1.caption(), QStringLiteral("20"));
        QCOMPARE(g->turnMarker(), QStringLiteral("-1"));  // the shot was ended
        QVERIFY(b.timersp.enabled());
        QVERIFY(!b.Timer1.enabled());
        QCOMPARE(g.messages, QStringList{QStringLiteral("Pemenang: Budi")});
        QCOMPARE(g->player(1).score1.caption(), QStringLiteral("47"));
    }

    void selfHitThatSurvivesKeepsTheShotGoing()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, 1);
        BattleWindow& b = g->Battle();
        b.Image1.setTop(b.flightFloor() + 300);
        explodeAfterHits(g, {{1, 25}});

        QCOMPARE(b.ProgressBar3.value(), 75.0f);
        QCOMPARE(g->player(1).score1.caption(), QStringLiteral("0"));
        QCOMPARE(g->turnMarker(), QStringLiteral("1"));
        QVERIFY(g.messages.isEmpty());
    }

    void lastOpponentDestroyedEndsTheMatch()
    {
        // Two players: the hidden vehicles of players 3 and 4 take no damage
        // and do not stand in the way of a winner.
        TestGame g;
        setUpMatch(g, {true, true, false, false}, 0);
        BattleWindow& b = g->Battle();
        const ui::Twips mob3Top = b.mob3.top();
        const ui::Twips mob4Top = b.mob4.top();
        b.ProgressBar2.setValue(62.5f);
        g->player(0).score1.setCaption(QStringLiteral("100"));
        for (int k = 0; k < 4; ++k)
            g->player(k).show();
        explodeAfterHits(g, {{1, 130}});

        QCOMPARE(g.messages, (QStringList{killMessage(1, 0), QStringLiteral("Pemenang: Ana")}));
        QCOMPARE(g->player(0).score1.caption(), QStringLiteral("342.5"));  // 100 + 130 + 50 + 62.5
        for (int k = 0; k < 4; ++k)
            QVERIFY(!g->player(k).visible());
        QVERIFY(g->Score().visible());
        QVERIFY(b.Frame3.visible());
        QCOMPARE(b.mob3.top(), mob3Top);
        QCOMPARE(b.mob4.top(), mob4Top);
    }

    void survivorIsDeclaredWinnerAgainAfterTheMatch()
    {
        TestGame g;
        setUpMatch(g, {false, false, true, false}, 2);
        BattleWindow& b = g->Battle();
        g->player(2).score1.setCaption(QStringLiteral("300"));
        explodeAfterHits(g, {{2, 10}});
        QCOMPARE(g.messages, QStringList{QStringLiteral("Pemenang: Citra")});
        QCOMPARE(g->player(2).score1.caption(), QStringLiteral("390"));

        g->Score().hide();
        b.Frame3.hide();
        explode(g);
        QCOMPARE(g.messages.size(), 2);
        QCOMPARE(g->player(2).score1.caption(), QStringLiteral("470"));
        QVERIFY(g->Score().visible());
        QVERIFY(b.Frame3.visible());
    }

    void lastTwoDestroyedTogetherLeaveNoWinner()
    {
        TestGame g;
        setUpMatch(g, {true, true, false, false}, 0);
        BattleWindow& b = g->Battle();
        b.Image1.setTop(b.flightFloor() - 3000);  // shell still over the field
        explodeAfterHits(g, {{0, 100}, {1, 100}});

        QCOMPARE(g.messages, QStringList{killMessage(1, 0)});
        QVERIFY(!b.Frame3.visible());
    }

    void scoresBeyondSixteenBitsKeepCounting()
    {
        TestGame g;
        setUpMatch(g, {true, true, true, false}, 1);
        g->player(1).score1.setCaption(QStringLiteral("32767"));
        explodeAfterHits(g, {{0, 100}, {2, 20}});

        QCOMPARE(g->player(1).score1.caption(), QStringLiteral("32937"));  // + 120 credit + 50 kill
        g->player(1).score1.setCaption(QStringLiteral("70000"));
        explodeAfterHits(g, {{0, 0}, {2, 80}});
        // + 80 credit + 50 kill + 100 energy left as the winner
        QCOMPARE(g->player(1).score1.caption(), QStringLiteral("70230"));
    }

    void windEditionRecordsTheFirstDestroyedPlayer()
    {
        TestGame g(Edition::Wind);
        setUpMatch(g, {true, true, true, true}, 0);
        ui::TextField& firstPlayer = g->windSetup().Text5;
        firstPlayer.setText(QStringLiteral("0"));

        explodeAfterHits(g, {{1, 5}});
        QCOMPARE(firstPlayer.text(), QStringLiteral("0"));  // nobody destroyed yet

        // Players 3 and 2 fall in one explosion: the lower number is dealt with first.
        explodeAfterHits(g, {{2, 200}, {1, 200}});
        QCOMPARE(firstPlayer.text(), QStringLiteral("2"));

        explodeAfterHits(g, {{1, 0}, {2, 0}, {3, 200}});
        QCOMPARE(firstPlayer.text(), QStringLiteral("2"));
        QCOMPARE(g.messages.last(), QStringLiteral("Pemenang: Ana"));
    }

    void windEditionRecordsAlsoWithoutAShooter()
    {
        TestGame g(Edition::Wind);
        setUpMatch(g, {true, true, true, false}, -1);
        g->windSetup().Text5.setText(QStringLiteral("0"));
        explodeAfterHits(g, {{2, 100}});

        QVERIFY(g.messages.isEmpty());
        QCOMPARE(g->windSetup().Text5.text(), QStringLiteral("3"));
    }
};

QTEST_MAIN(TestExplosion)
#include "test_explosion.moc"
