// Name plates: name and level above each vehicle, the current plate blinking,
// plates and bars of vehicles out of the match hidden.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"

#include <QtTest>

class TestNamePlates : public QObject {
    Q_OBJECT

    static void showAllVehicles(BattleWindow& b)
    {
        for (ui::Sprite* car : b.vehicle)
            car->show();
    }

    static QList<bool> plates(BattleWindow& b)
    {
        QList<bool> shown;
        for (ui::Label* plate : b.namePlate)
            shown << plate->visible();
        return shown;
    }

private slots:
    void levelIsTheScoreOverAHundredTruncated_data()
    {
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("level");
        QTest::newRow("250") << "250" << "2";
        QTest::newRow("99") << "99" << "0";
        QTest::newRow("-150 towards zero") << "-150" << "-1";
        QTest::newRow("199.5 rounds to 200 first") << "199.5" << "2";
        QTest::newRow("beyond 32 bits") << "5000000000" << "50000000";
    }
    void levelIsTheScoreOverAHundredTruncated()
    {
        QFETCH(QString, score);
        QFETCH(QString, level);
        TestGame g;
        BattleWindow& b = g->Battle();
        g->player(2).setCaption(QStringLiteral("Rini"));
        g->Score().scoreText[2]->setText(score);
        b.Timer2.tick();
        QCOMPARE(b.name3.caption(), QStringLiteral("Rini (Lv.%1)").arg(level));
    }

    void theCurrentPlateBlinks()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        showAllVehicles(b);
        b.name2.hide();
        b.name3.hide();
        b.name4.hide();

        // Player 1's turn: only name1 blinks, the others are left alone.
        g->setTurnMarker(QStringLiteral("0"));
        b.Timer2.tick();
        QCOMPARE(plates(b), (QList<bool>{false, false, false, false}));
        b.Timer2.tick();
        QCOMPARE(plates(b), (QList<bool>{true, false, false, false}));

        // Player 3's turn: 1 and 2 shown, 3 blinks, 4 left alone.
        g->setTurnMarker(QStringLiteral("2"));
        b.Timer2.tick();
        QCOMPARE(plates(b), (QList<bool>{true, true, true, false}));
        b.Timer2.tick();
        QCOMPARE(plates(b), (QList<bool>{true, true, false, false}));

        // Between turns every plate is shown.
        g->setTurnMarker(QStringLiteral("-1"));
        b.Timer2.tick();
        QCOMPARE(plates(b), (QList<bool>{true, true, true, true}));
        b.Timer2.tick();
        QCOMPARE(plates(b), (QList<bool>{true, true, true, true}));
    }

    void aHiddenVehicleTakesPlateAndBarWithIt()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        showAllVehicles(b);
        b.mob3.hide();
        g->setTurnMarker(QStringLiteral("2"));
        for (int i = 0; i < 3; ++i) {
            b.Timer2.tick();
            QVERIFY(!b.name3.visible());
            QVERIFY(!b.ProgressBar4.visible());
        }
        QVERIFY(b.name4.visible());
        QVERIFY(b.ProgressBar5.visible());
        // Still named and placed while hidden.
        QCOMPARE(b.name3.left(), b.mob3.left());
    }

    void platesFollowTheirVehiclesAndNames()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Timer2.tick();
        g->player(1).setCaption(QStringLiteral("Budi"));
        b.Image2.move(-300, 100);
        b.Timer2.tick();
        QCOMPARE(b.name2.left(), -300.0);
        QCOMPARE(b.name2.top(), -100.0);
        QCOMPARE(b.name2.caption(), QStringLiteral("Budi (Lv.0)"));
    }
};

QTEST_MAIN(TestNamePlates)
#include "test_name_plates.moc"
