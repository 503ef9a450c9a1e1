// The pointer moving over the battlefield: the draw, the turn-marker wrap, the
// panel recall and, in the wind edition, the turn passing over destroyed
// vehicles.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "ui/number_text.h"

#include <QTest>

#include <array>

using BattleTimer = ui::Timer BattleWindow::*;
Q_DECLARE_METATYPE(BattleTimer)

namespace {

void setVehicles(TestGame& g, std::array<bool, 4> inPlay)
{
    for (int k = 0; k < 4; ++k)
        g->Battle().vehicle[k]->setVisible(inPlay[k]);
}

void movePointer(TestGame& g) { g->Battle().Picture1.pointerMove(4000, 5000); }

int shownPanel(TestGame& g)
{
    int shown = -1;
    for (int k = 0; k < 4; ++k)
        if (g->player(k).visible()) {
            if (shown >= 0)
                return -2;  // more than one
            shown = k;
        }
    return shown;
}

} // namespace

class TestPointerHandler : public QObject {
    Q_OBJECT

private slots:
    void drawWhenNoVehicleIsLeft()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        setVehicles(g, {false, false, false, false});
        b.scrol1.setCaption(QStringLiteral("kanan"));
        g->setTurnMarker(QStringLiteral("-1"));
        for (int k = 0; k < 4; ++k)
            g->player(k).show();
        const QString scoreBefore = g->player(0).score1.caption();

        movePointer(g);

        QCOMPARE(g.messages, QStringList{QStringLiteral("Draw!")});
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        QVERIFY(!g->player(0).visible());
        QVERIFY(!g->player(1).visible());
        QVERIFY(g->player(2).visible());  // players 3 and 4 are left alone
        QVERIFY(g->player(3).visible());
        QVERIFY(g->Score().visible());
        QVERIFY(b.Frame3.visible());
        QCOMPARE(g->player(0).score1.caption(), scoreBefore);

        movePointer(g);
        QCOMPARE(g.messages.size(), 2);
    }

    void noDrawWhileAVehicleIsShown()
    {
        TestGame g;
        setVehicles(g, {false, false, false, true});
        for (const char* marker : {"-1", "0", "3", "7"}) {
            g->setTurnMarker(QString::fromLatin1(marker));
            movePointer(g);
        }
        QVERIFY(g.messages.isEmpty());
        QVERIFY(!g->Battle().Frame3.visible());
    }

    void markerBeyondTheLastPlayerWrapsToPlayerOne()
    {
        TestGame g;
        g->setTurnMarker(QStringLiteral("4"));
        movePointer(g);
        QCOMPARE(g->turnMarker(), QStringLiteral("0"));
        QCOMPARE(shownPanel(g), 0);
    }

    // A move made on another machine steps the wind and recalls the turn's
    // panel as a move here does, and leaves this machine's scrolling going.
    void moveFromAnotherMachineLeavesTheViewScrolling_data()
    {
        QTest::addColumn<bool>("remote");
        QTest::addColumn<QString>("scrollAfter");
        QTest::newRow("here") << false << QStringLiteral("no");
        QTest::newRow("another machine") << true << QStringLiteral("kanan");
    }
    void moveFromAnotherMachineLeavesTheViewScrolling()
    {
        QFETCH(bool, remote);
        QFETCH(QString, scrollAfter);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.scrol1.setCaption(QStringLiteral("kanan"));
        g->setTurnMarker(QStringLiteral("1"));
        const QString windBefore = b.Text7.text();
        if (remote)
            b.remotePointerMove(4000, 5000);
        else
            movePointer(g);
        QCOMPARE(b.scrol1.caption(), scrollAfter);
        QVERIFY(b.Text7.text() != windBefore);
        QCOMPARE(shownPanel(g), 1);
    }

    void recallsThePanelOfTheCurrentPlayerOnly()
    {
        TestGame g;
        g->setTurnMarker(QStringLiteral("-1"));
        movePointer(g);
        QCOMPARE(shownPanel(g), -1);

        g->setTurnMarker(QStringLiteral("2"));
        movePointer(g);
        QCOMPARE(shownPanel(g), 2);
    }

    void noRecallDuringAShotOrAMove_data()
    {
        QTest::addColumn<BattleTimer>("timer");
        QTest::newRow("flight") << &BattleWindow::Timer1;
        QTest::newRow("vertical glide") << &BattleWindow::Timer3;
        QTest::newRow("horizontal glide") << &BattleWindow::Timer4;
    }
    void noRecallDuringAShotOrAMove()
    {
        QFETCH(BattleTimer, timer);
        TestGame g;
        BattleWindow& b = g->Battle();
        (b.*timer).start();
        g->setTurnMarker(QStringLiteral("1"));
        b.Text7.setText(QStringLiteral("0"));
        b.Text8.setText(QStringLiteral("5"));

        movePointer(g);

        QCOMPARE(shownPanel(g), -1);
        QCOMPARE(b.Text7.text(), QStringLiteral("5"));  // the next wind still steps
        QCOMPARE(b.Text8.text(), QStringLiteral("-1"));

        (b.*timer).stop();
        movePointer(g);
        QCOMPARE(shownPanel(g), 1);
    }

    // ---- Wind edition ----

    void windTurnPassesOverDestroyedVehicles_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QList<bool>>("inPlay");
        QTest::addColumn<QString>("expected");
        QTest::newRow("player 1 gone, player 2 next") << "0" << QList<bool>{false, true, true, false} << "1";
        QTest::newRow("players 2 and 3 gone, player 4 in one move")
            << "1" << QList<bool>{true, false, false, true} << "3";
        QTest::newRow("player 3 gone, round to player 1") << "2" << QList<bool>{true, false, false, false} << "0";
        // A duel won by player 1: the shot ends with the turn on player 2,
        // and the turn goes back round to the winner, no draw.
        QTest::newRow("duel won by player 1") << "1" << QList<bool>{true, false, false, false} << "0";
        QTest::newRow("current player still in play") << "1" << QList<bool>{false, true, false, true} << "1";
    }
    void windTurnPassesOverDestroyedVehicles()
    {
        QFETCH(QString, marker);
        QFETCH(QList<bool>, inPlay);
        QFETCH(QString, expected);
        TestGame g(Edition::Wind);
        setVehicles(g, {inPlay[0], inPlay[1], inPlay[2], inPlay[3]});
        g->setTurnMarker(marker);

        movePointer(g);

        QCOMPARE(g->turnMarker(), expected);
        QCOMPARE(shownPanel(g), static_cast<int>(numtext::readDouble(expected)));
        QVERIFY(g.messages.isEmpty());
    }

    void windTurnSkipHidesPlayerOnesPanelEvenDuringAMove()
    {
        TestGame g(Edition::Wind);
        setVehicles(g, {false, true, false, false});
        g->setTurnMarker(QStringLiteral("0"));
        g->player(0).show();
        g->Battle().Timer4.start();

        movePointer(g);

        QCOMPARE(g->turnMarker(), QStringLiteral("1"));
        QCOMPARE(shownPanel(g), -1);
    }

    void windDrawWhenNobodyIsLeft()
    {
        TestGame g(Edition::Wind);
        BattleWindow& b = g->Battle();
        setVehicles(g, {false, false, false, false});
        b.scrol1.setCaption(QStringLiteral("kiri"));  // no view scrolling to stop here
        g->setTurnMarker(QStringLiteral("2"));

        movePointer(g);

        QCOMPARE(g.messages, QStringList{QStringLiteral("Draw!")});
        QCOMPARE(g->turnMarker(), QStringLiteral("0"));
        QCOMPARE(shownPanel(g), 0);  // recalled by the same move
        QVERIFY(g->Score().visible());
        QVERIFY(b.Frame3.visible());
        QCOMPARE(b.scrol1.caption(), QStringLiteral("kiri"));

        movePointer(g);
        QCOMPARE(g.messages.size(), 2);
        QCOMPARE(g->turnMarker(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestPointerHandler)
#include "test_pointer_handler.moc"
