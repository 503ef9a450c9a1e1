#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"

#include <QTest>

namespace {

void compareMaxima(std::array<ui::ProgressBar*, 4> bars, std::array<float, 4> expected)
{
    for (int slot = 0; slot < 4; ++slot)
        QCOMPARE(bars[slot]->maximum(), expected[slot]);
}

// A match begins with every energy bar full and every turn gauge empty, at
// the maxima the roster gives.
void compareFreshBars(BattleWindow& b, std::array<float, 4> energyMaxima, std::array<float, 4> gaugeMaxima)
{
    compareMaxima(b.energyBar, energyMaxima);
    for (ui::ProgressBar* bar : b.energyBar)
        QCOMPARE(bar->value(), bar->maximum());
    compareMaxima(b.turnGauge, gaugeMaxima);
    for (ui::ProgressBar* gauge : b.turnGauge)
        QCOMPARE(gauge->value(), 0.0f);
}

} // namespace

class TestMatchStart : public QObject {
    Q_OBJECT

private slots:
    void threePlayerStartSizesTheBarsAndPlacesTheVehicles();
    void duelWithTheLoadTimeRoster();
    void restartResetsTheMatchInPlace();
    void participationFollowsTheRoster();
    void maximaFollowTheCommittedCharacters();
};

void TestMatchStart::threePlayerStartSizesTheBarsAndPlacesTheVehicles()
{
    TestGame g;
    // Player 1 re-commits character 1: the roster picture comes from 1.gif.
    SetupWindow& s = shownSelector(g, 3, 0);
    s.Command16.click();
    s.Command5.click();

    BattleWindow& b = g->Battle();
    QVERIFY(b.visible());
    QVERIFY(!g->Score().visible());
    QVERIFY(g->Score().Check1.checked());
    QVERIFY(g->Score().Timer1.enabled());

    compareFreshBars(b, {230, 710, 320, 430}, {43, 70, 54, 70});

    QCOMPARE(b.Image3.picture().toImage(), s.Image1.picture().toImage());
    QCOMPARE(b.Image3.width(), 1095.0);
    QCOMPARE(b.Image2.picture().toImage(), s.Image2.picture().toImage());
    QVERIFY(b.mob3.visible());
    QCOMPARE(b.mob3.top(), 10320.0);
    QCOMPARE(b.mob3.picture().toImage(), s.Image3.picture().toImage());
    QVERIFY(!b.mob4.visible());
    QCOMPARE(b.mob4.top(), -600.0);

    for (int slot = 0; slot < 4; ++slot) {
        QCOMPARE(g->player(slot).caption(), s.nameField[slot]->text());
        QCOMPARE(g->player(slot).score1.caption(), QStringLiteral("0"));
        // The turn scheduler, not the start, shows the first panel.
        QVERIFY(!g->player(slot).visible());
    }
    QVERIFY(s.visible());
    QCOMPARE(g.endStatus, -1);
}

void TestMatchStart::duelWithTheLoadTimeRoster()
{
    TestGame g;
    startDuel(g);

    BattleWindow& b = g->Battle();
    QVERIFY(!b.mob3.visible());
    QCOMPARE(b.mob3.top(), -600.0);
    QVERIFY(!b.mob4.visible());
    QCOMPARE(b.mob4.top(), -600.0);
    // Roster slots 3 and 4 still count towards the maxima.
    QCOMPARE(b.ps1.maximum(), 43.0f);
    QCOMPARE(b.ps2.maximum(), 70.0f);
    QCOMPARE(b.ProgressBar2.maximum(), 230.0f);
    QCOMPARE(b.ProgressBar3.maximum(), 710.0f);
    QCOMPARE(b.ProgressBar3.value(), 710.0f);
}

void TestMatchStart::restartResetsTheMatchInPlace()
{
    TestGame g;
    SetupWindow& s = shownSetup(g);
    s.Command3.click();
    s.Command5.click();

    // A match under way: energies spent, gauges filling, vehicles moved.
    BattleWindow& b = g->Battle();
    b.ProgressBar2.setValue(12);
    b.ProgressBar5.setValue(0);
    for (ui::ProgressBar* gauge : b.turnGauge)
        gauge->setValue(40);
    b.mob3.setTop(7000);
    b.mob4.setTop(8000);
    b.Image3.setLeft(3210);
    // Slower player 1: three gauges get maxima below their fill.
    s.c1.setText(QStringLiteral("1"));

    s.Command5.click();
    QCOMPARE(&g->Battle(), &b);
    compareFreshBars(b, {230, 710, 320, 430}, {43, 35, 19, 35});
    QCOMPARE(b.mob3.top(), 10320.0);
    QCOMPARE(b.mob4.top(), 9360.0);
    QVERIFY(b.mob3.visible());
    QVERIFY(b.mob4.visible());
    // Positions other than the start heights carry on.
    QCOMPARE(b.Image3.left(), 3210.0);
    QVERIFY(g.messages.isEmpty());
}

void TestMatchStart::participationFollowsTheRoster()
{
    TestGame g;
    SetupWindow& s = shownSetup(g);

    // A four-player match after a duel on the same battle window.
    startDuel(s);
    s.back.click();
    s.Command3.click();
    s.Command5.click();
    QVERIFY(g->Battle().mob4.visible());
    QCOMPARE(g->Battle().mob4.top(), 9360.0);
    QVERIFY(g->Battle().mob3.visible());
    QCOMPARE(g->Battle().mob3.top(), 10320.0);

    // Four players, back, a duel: player 4's slot stays set but is not shown.
    s.back.click();
    startDuel(s);
    QVERIFY(!g->Battle().mob3.visible());
    QVERIFY(!g->Battle().mob4.visible());
    QCOMPARE(g->Battle().mob4.top(), -600.0);
}

void TestMatchStart::maximaFollowTheCommittedCharacters()
{
    TestGame g;
    // Player 1 takes character 5 (Energy 4, Speed 8), player 2 character 6
    // (Energy 6, Speed 6).
    SetupWindow& s = shownSelector(g, 2, 0);
    for (int i = 0; i < 4; ++i)
        s.Command7.click();
    s.Command16.click();
    s.Image2.click();
    for (int i = 0; i < 4; ++i)
        s.Command7.click();
    s.Command16.click();
    QCOMPARE(s.nomob1.text(), QStringLiteral("5"));
    QCOMPARE(s.nomob2.text(), QStringLiteral("6"));

    s.Command5.click();
    BattleWindow& b = g->Battle();
    compareMaxima(b.energyBar, {230, 430, 320, 430});
    // Speeds 8, 6, 5, 3.
    compareMaxima(b.turnGauge, {70, 98, 109, 125});
}

QTEST_MAIN(TestMatchStart)
#include "test_match_start.moc"
