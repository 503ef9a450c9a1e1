// The panel's three-stage fire button and what it hands to the battle window.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"
#include "ui/picture.h"

#include <QtTest>

class TestFiring : public QObject {
    Q_OBJECT

private slots:
    void stageCycle();
    void launchPointFollowsFacing();
    void damageIsFiveTimesAttack();
    void everyPressEmptiesTheTurnGauge();
    void quickPressesLeaveMirrorsAndLine();
    void fullFarGaugeThenSecondPress();
    void turningBeforeLaunchChangesTheShot();
    void firstPressInAnotherPanelStopsTheFlight();
    void windEditionShotsStartWithoutDamage();
};

namespace {

// A vehicle 1095 wide at (600, 5520) and a shell 270 x 285.
void placeVehicle(BattleWindow& b, int slot)
{
    b.vehicle[slot]->loadPictureFile(ui::joinPath(TestGame::assetsFolder(), QStringLiteral("1.gif")));
    b.vehicle[slot]->move(600, 5520);
    b.Image1.setPicture(ui::builtinPicture(QStringLiteral("shell")));
}

} // namespace

void TestFiring::stageCycle()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    PanelWindow& p = g->player(1);
    p.ProgressBar1.setValue(30);
    p.slider1.setValue(12);
    b.Timer1.start();
    p.show();

    p.Command1.click();
    QCOMPARE(p.Command1.caption(), QStringLiteral("far ok"));
    QCOMPARE(p.ProgressBar1.value(), 0.0f);
    QCOMPARE(p.slider1.value(), 0.0f);
    QVERIFY(p.Timer2.enabled());
    QVERIFY(!b.Timer1.enabled());
    QCOMPARE(g->turnMarker(), QStringLiteral("-1"));

    tickTimes(p.Timer2, 3);
    p.Command1.click();
    QCOMPARE(p.Command1.caption(), QStringLiteral("high ok"));
    QVERIFY(!p.Timer2.enabled());
    QVERIFY(p.Timer6.enabled());
    QCOMPARE(p.ProgressBar1.value(), 3.0f);
    QVERIFY(p.visible());

    tickTimes(p.Timer6, 2);
    p.Command1.click();
    QCOMPARE(p.Command1.caption(), QStringLiteral("tembak"));
    QVERIFY(!p.visible());
    QVERIFY(!p.Timer6.enabled());
    QVERIFY(b.Timer1.enabled());
    QCOMPARE(g->turnMarker(), QStringLiteral("1"));
    QCOMPARE(b.ProgressBar1.value(), 3.0f);
    QCOMPARE(b.Slider1.value(), 2.0f);

    // An unknown caption counts as the launch stage.
    b.Timer1.stop();
    p.show();
    p.Command1.setCaption(QStringLiteral("?"));
    p.Command1.click();
    QVERIFY(b.Timer1.enabled());
    QCOMPARE(p.Command1.caption(), QStringLiteral("tembak"));
}

void TestFiring::launchPointFollowsFacing()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    placeVehicle(b, 0);
    QCOMPARE(b.vehicle[0]->width(), 1095.0);
    QCOMPARE(b.Image1.width(), 270.0);
    QCOMPARE(b.Image1.height(), 285.0);
    PanelWindow& p = g->player(0);
    p.show();

    p.Command1.click();
    QCOMPARE(b.lr.caption(), QStringLiteral("kanan"));
    QCOMPARE(b.left1.text(), QStringLiteral("1965"));
    QCOMPARE(b.top1.text(), QStringLiteral("1195"));

    p.Label1.setCaption(QStringLiteral("kiri"));
    p.Command1.click();
    QCOMPARE(b.lr.caption(), QStringLiteral("kiri"));
    QCOMPARE(b.left1.text(), QStringLiteral("600"));
    QCOMPARE(b.top1.text(), QStringLiteral("1195"));

    // Written as single-precision numbers.
    b.vehicle[0]->move(1.0 / 3.0, 5520);
    p.Command1.click();
    QCOMPARE(b.left1.text(), QStringLiteral("0.3333333"));
}

void TestFiring::damageIsFiveTimesAttack()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    for (ui::Label* dm : b.damageLabel)
        dm->setCaption(QStringLiteral("12"));
    g->setup().attack[2]->setText(QStringLiteral("9"));
    PanelWindow& p = g->player(2);
    p.show();
    p.Command1.click();
    QCOMPARE(b.damage.caption(), QStringLiteral("45"));
    for (ui::Label* dm : b.damageLabel)
        QCOMPARE(dm->caption(), QStringLiteral("0"));

    g->setup().attack[2]->setText(QStringLiteral("7.5"));
    p.Command1.click();
    QCOMPARE(b.damage.caption(), QStringLiteral("37.5"));
}

void TestFiring::everyPressEmptiesTheTurnGauge()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    ui::ProgressBar& gauge = *b.turnGauge[3];
    gauge.setMaximum(100);
    PanelWindow& p = g->player(3);
    p.show();
    for (int press = 0; press < 3; ++press) {
        gauge.setValue(40);
        b.turnGauge[0]->setMaximum(100);
        b.turnGauge[0]->setValue(40);
        p.show();
        p.Command1.click();
        QCOMPARE(gauge.value(), 0.0f);
        QCOMPARE(b.turnGauge[0]->value(), 40.0f);  // only the shooter's
    }
    QCOMPARE(g->turnMarker(), QStringLiteral("3"));
}

void TestFiring::quickPressesLeaveMirrorsAndLine()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    b.ProgressBar1.setValue(0);
    b.Slider1.setValue(0);
    b.Line1.setEnds(10, 20, 30, 40);
    PanelWindow& p = g->player(0);
    fire(p);
    QVERIFY(b.Timer1.enabled());
    QCOMPARE(b.ProgressBar1.value(), 0.0f);
    QCOMPARE(b.Slider1.value(), 0.0f);
    QCOMPARE(b.Line1.x1(), 10.0);
    QCOMPARE(b.Line1.y2(), 40.0);
    QVERIFY(!p.Timer2.enabled());
    QVERIFY(!p.Timer6.enabled());
}

void TestFiring::fullFarGaugeThenSecondPress()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    PanelWindow& p = g->player(0);
    p.show();
    p.Command1.click();
    tickTimes(p.Timer2, 60);
    QCOMPARE(b.ProgressBar1.value(), 50.0f);
    p.Command1.click();
    QVERIFY(!p.Timer2.enabled());
    QVERIFY(p.Timer6.enabled());
    QCOMPARE(p.ProgressBar1.value(), 50.0f);
    QCOMPARE(p.slider1.value(), 0.0f);
}

void TestFiring::turningBeforeLaunchChangesTheShot()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    placeVehicle(b, 0);
    g->Form1().Slider1.setValue(10);
    PanelWindow& p = g->player(0);
    p.show();
    p.Command1.click();
    tickTimes(p.Timer2, 5);
    p.Command1.click();
    tickTimes(p.Timer6, 2);
    const double lineEnd = b.Line1.x2();
    QCOMPARE(lineEnd, 600 + 500 + 50.0);

    p.kiri.click();  // turn only
    QCOMPARE(b.lr.caption(), QStringLiteral("kanan"));  // the guide keeps the old facing
    QCOMPARE(b.Line1.x2(), lineEnd);
    p.Command1.click();
    QCOMPARE(b.lr.caption(), QStringLiteral("kiri"));
    QCOMPARE(b.left1.text(), QStringLiteral("600"));
    QVERIFY(b.Timer1.enabled());
}

void TestFiring::firstPressInAnotherPanelStopsTheFlight()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    PanelWindow& p1 = g->player(0);
    PanelWindow& p2 = g->player(1);
    p2.show();
    fire(p1);
    QVERIFY(b.Timer1.enabled());
    p2.Command1.click();
    QVERIFY(!b.Timer1.enabled());
    QCOMPARE(g->turnMarker(), QStringLiteral("0"));
}

void TestFiring::windEditionShotsStartWithoutDamage()
{
    TestGame g(Edition::Wind);
    BattleWindow& b = g->Battle();
    placeVehicle(b, 1);
    ui::ProgressBar& gauge = *b.turnGauge[1];
    gauge.setMaximum(100);
    gauge.setValue(40);
    b.damage.setCaption(QStringLiteral("99"));
    b.dm3.setCaption(QStringLiteral("5"));
    PanelWindow& p = g->player(1);
    p.show();

    p.Command1.click();
    QCOMPARE(b.damage.caption(), QStringLiteral("0"));
    QCOMPARE(b.dm3.caption(), QStringLiteral("0"));
    QCOMPARE(gauge.value(), 40.0f);
    QCOMPARE(b.left1.text(), QStringLiteral("600"));  // player 2 faces left at load
    QCOMPARE(b.top1.text(), QStringLiteral("1195"));

    p.Command1.click();
    p.Command1.click();
    QCOMPARE(g->turnMarker(), QStringLiteral("1"));
    QVERIFY(b.Timer1.enabled());
    QVERIFY(!p.visible());
    QCOMPARE(p.Command1.caption(), QStringLiteral("tembak"));
    QCOMPARE(gauge.value(), 40.0f);
}

QTEST_MAIN(TestFiring)
#include "test_firing.moc"
