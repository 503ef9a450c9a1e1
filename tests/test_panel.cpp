// Player panels: layout, movement points, step moves and turning, the two
// power gauges with the guide line, resize and close.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"

#include <QtTest>

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void designValuesOfTheFourPanels();
    void layoutsADifferFromB();
    void windEditionStartsWithFourPoints();

    void kiriTurnsThenMovesLeft();
    void kananTurnsThenMovesRight();
    void upAndDownSetTargetsAndSpendPoints();
    void withoutPointsOnlyTurningWorks();
    void twoLiftsThenNoMore();

    void farGaugeFillsInFiftyTicksAndMirrors();
    void highGaugeFillsAndMirrors();
    void guideLineEnd_data();
    void guideLineEnd();
    void onlyPlayer4HighGaugePlacesLineStart();
    void stepDuringFarGaugeKeepsItRising();

    void resizeFollowsOuterWidth();
    void closeIsRefused();
};

namespace {

// What a test of a player's moves works with: the battle window, the
// player's vehicle and its panel.
struct Mover {
    BattleWindow& b;
    ui::Sprite& vehicle;
    PanelWindow& p;
};

// Player `slot`'s vehicle placed at (left, top), and its panel shown with
// `points` movement points.
Mover readyToMove(TestGame& g, int slot, ui::Twips left, ui::Twips top, const QString& points)
{
    Mover mover{g->Battle(), *g->Battle().vehicle[slot], g->player(slot)};
    mover.vehicle.move(left, top);
    mover.p.show();
    mover.p.Label3.setCaption(points);
    return mover;
}

} // namespace

void TestPanel::designValuesOfTheFourPanels()
{
    TestGame g;
    const QStringList facing{QStringLiteral("kanan"), QStringLiteral("kiri"), QStringLiteral("kanan"), QStringLiteral("kiri")};
    const int interval[] = {30, 30, 20, 30};
    for (int slot = 0; slot < 4; ++slot) {
        PanelWindow& p = g->player(slot);
        QCOMPARE(p.caption(), QStringLiteral("Player%1").arg(slot + 1));
        QCOMPARE(p.Label1.caption(), facing[slot]);
        QCOMPARE(p.Label3.caption(), QStringLiteral("0"));
        QCOMPARE(p.Command1.caption(), QStringLiteral("tembak"));
        QCOMPARE(p.Label4.caption(), QStringLiteral("Ketinggian:"));
        QCOMPARE(p.score1.caption(), QStringLiteral("0"));
        QCOMPARE(p.ProgressBar1.maximum(), 50.0f);
        QCOMPARE(p.slider1.maximum(), 50.0f);
        QCOMPARE(p.Timer2.interval(), interval[slot]);
        QCOMPARE(p.Timer6.interval(), interval[slot]);
        QVERIFY(!p.Timer2.enabled());
        QVERIFY(!p.Timer6.enabled());
        QVERIFY(!p.visible());
    }
    // The turn marker lives in player1's Tag: between turns at load.
    QCOMPARE(g->turnMarker(), QStringLiteral("-1"));
}

void TestPanel::layoutsADifferFromB()
{
    TestGame g;
    PanelWindow& p1 = g->player(0);
    PanelWindow& p2 = g->player(1);
    PanelWindow& p3 = g->player(2);
    PanelWindow& p4 = g->player(3);

    QCOMPARE(p1.clientHeight(), 1605.0);
    QCOMPARE(p2.clientHeight(), 1635.0);
    QCOMPARE(p1.gerakan.height(), 1455.0);
    QCOMPARE(p2.gerakan.height(), 1335.0);
    QCOMPARE(p1.kiri.top(), 480.0);
    QCOMPARE(p2.kiri.top(), 360.0);
    QCOMPARE(p1.kiri.width(), 735.0);
    QCOMPARE(p2.kiri.width(), 615.0);
    QCOMPARE(p1.kanan.left(), 1200.0);
    QCOMPARE(p4.kanan.left(), 1080.0);
    QCOMPARE(p1.Label1.left(), 4200.0);
    QCOMPARE(p2.Label1.left(), 1800.0);
    QCOMPARE(p1.Command1.top(), 600.0);
    QCOMPARE(p2.Command1.top(), 360.0);

    // Player 3 is layout A with the fire button and gauges shifted.
    QCOMPARE(p1.Command1.left(), 1920.0);
    QCOMPARE(p3.Command1.left(), 2040.0);
    QCOMPARE(p1.ProgressBar1.left(), 3000.0);
    QCOMPARE(p3.ProgressBar1.left(), 3120.0);
    QCOMPARE(p3.ProgressBar1.top(), 360.0);
    QCOMPARE(p3.slider1.top(), 840.0);
    QCOMPARE(p3.kiri.rect().top, p1.kiri.rect().top);

    // Everything the player works with sits in the movement frame.
    QCOMPARE(&p1.Command1.container(), static_cast<ui::Container*>(&p1.gerakan));
    QCOMPARE(&p1.slider1.container(), static_cast<ui::Container*>(&p1.gerakan));

    QCOMPARE(PanelDesign::forSlot(0).gaugeMargin, 3510.0);
    QCOMPARE(PanelDesign::forSlot(1).gaugeMargin, 3210.0);
    QVERIFY(PanelDesign::forSlot(3).highGaugeMovesLineStart);
    QVERIFY(!PanelDesign::forSlot(1).highGaugeMovesLineStart);
}

void TestPanel::windEditionStartsWithFourPoints()
{
    TestGame g(Edition::Wind);
    for (int slot = 0; slot < 4; ++slot)
        QCOMPARE(g->player(slot).Label3.caption(), QStringLiteral("4"));
    QCOMPARE(g->turnMarker(), QStringLiteral("0"));
    QCOMPARE(g->player(2).Timer2.interval(), 20);
}

void TestPanel::kiriTurnsThenMovesLeft()
{
    TestGame g;
    auto [b, vehicle, p] = readyToMove(g, 0, 3000, 5520, QStringLiteral("2"));
    vehicle.setTag(QStringLiteral("0"));
    b.Timer3.start();

    // Facing right: the first kiri only turns.
    p.kiri.click();
    QCOMPARE(p.Label1.caption(), QStringLiteral("kiri"));
    QCOMPARE(vehicle.picture().toImage(), assetImage(QStringLiteral("12.gif")));
    QCOMPARE(vehicle.width(), 1095.0);
    QCOMPARE(vehicle.left(), 3000.0);
    QCOMPARE(p.Label3.caption(), QStringLiteral("2"));
    QVERIFY(p.visible());
    QVERIFY(!b.Timer4.enabled());

    // Facing left: the second kiri steps 800 to the left.
    p.kiri.click();
    QCOMPARE(vehicle.tag(), QStringLiteral("2200"));
    QVERIFY(b.Timer4.enabled());
    QVERIFY(!b.Timer3.enabled());
    QVERIFY(!p.visible());
    QCOMPARE(p.Label3.caption(), QStringLiteral("1"));
    QCOMPARE(p.Label1.caption(), QStringLiteral("kiri"));
}

void TestPanel::kananTurnsThenMovesRight()
{
    TestGame g;
    auto [b, vehicle, p] = readyToMove(g, 1, 1000, 2000, QStringLiteral("1.5"));

    p.kanan.click();
    QCOMPARE(p.Label1.caption(), QStringLiteral("kanan"));
    QCOMPARE(vehicle.picture().toImage(), assetImage(QStringLiteral("2.gif")));
    QCOMPARE(p.Label3.caption(), QStringLiteral("1.5"));

    p.kanan.click();
    QCOMPARE(vehicle.tag(), QStringLiteral("1800"));
    QVERIFY(b.Timer4.enabled());
    QCOMPARE(p.Label3.caption(), QStringLiteral("0.5"));

    // Half a point is still more than nothing.
    p.show();
    p.kanan.click();
    QCOMPARE(p.Label3.caption(), QStringLiteral("-0.5"));
    p.show();
    p.kanan.click();
    QCOMPARE(p.Label3.caption(), QStringLiteral("-0.5"));
    QVERIFY(p.visible());
}

void TestPanel::upAndDownSetTargetsAndSpendPoints()
{
    TestGame g;
    auto [b, vehicle, p] = readyToMove(g, 2, 4000, 5000, QStringLiteral("3"));
    b.Timer4.start();

    p.atas.click();
    QCOMPARE(vehicle.tag(), QStringLiteral("4100"));
    QVERIFY(b.Timer3.enabled());
    QVERIFY(b.Timer4.enabled());  // up and down leave the sideways glide alone
    QVERIFY(!p.visible());
    QCOMPARE(p.Label3.caption(), QStringLiteral("2"));
    QCOMPARE(p.Label1.caption(), QStringLiteral("kanan"));

    p.show();
    p.bawah.click();
    QCOMPARE(vehicle.tag(), QStringLiteral("5900"));
    QCOMPARE(p.Label3.caption(), QStringLiteral("1"));
}

void TestPanel::withoutPointsOnlyTurningWorks()
{
    for (const QString& points : {QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("abc")}) {
        TestGame g;
        BattleWindow& b = g->Battle();
        ui::Sprite& vehicle = *b.vehicle[0];
        vehicle.setTag(QStringLiteral("0"));
        PanelWindow& p = g->player(0);
        p.show();
        p.Label3.setCaption(points);

        p.atas.click();
        p.bawah.click();
        p.kanan.click();  // facing right already: a step, not a turn
        QCOMPARE(vehicle.tag(), QStringLiteral("0"));
        QVERIFY(!b.Timer3.enabled());
        QVERIFY(!b.Timer4.enabled());
        QVERIFY(p.visible());
        QCOMPARE(p.Label3.caption(), points);

        p.kiri.click();
        QCOMPARE(p.Label1.caption(), QStringLiteral("kiri"));
        p.kiri.click();
        QCOMPARE(vehicle.tag(), QStringLiteral("0"));
        QVERIFY(p.visible());
        p.kanan.click();
        QCOMPARE(p.Label1.caption(), QStringLiteral("kanan"));
    }
}

void TestPanel::twoLiftsThenNoMore()
{
    // With the battle window's vertical glide: each lift comes back to the
    // panel after 9 ticks.
    TestGame g;
    g->setTurnMarker(QStringLiteral("0"));
    auto [b, vehicle, p] = readyToMove(g, 0, 2000, 6000, QStringLiteral("2"));

    p.atas.click();
    tickTimes(b.Timer3, 9);
    QVERIFY(!b.Timer3.enabled());
    QVERIFY(p.visible());
    p.atas.click();
    tickTimes(b.Timer3, 9);
    QVERIFY(p.visible());
    QCOMPARE(vehicle.top(), 4200.0);
    QCOMPARE(p.Label3.caption(), QStringLiteral("0"));

    p.atas.click();
    QVERIFY(!b.Timer3.enabled());
    QVERIFY(p.visible());
    QCOMPARE(vehicle.top(), 4200.0);
}

void TestPanel::farGaugeFillsInFiftyTicksAndMirrors()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    b.ProgressBar1.setMaximum(10);
    PanelWindow& p = g->player(0);
    p.Timer2.start();
    tickTimes(p.Timer2, 49);
    QVERIFY(p.Timer2.enabled());
    QCOMPARE(p.ProgressBar1.value(), 49.0f);
    QCOMPARE(b.ProgressBar1.value(), 49.0f);
    p.Timer2.tick();
    QVERIFY(!p.Timer2.enabled());
    QCOMPARE(p.ProgressBar1.value(), 50.0f);
    QCOMPARE(b.ProgressBar1.maximum(), 50.0f);
    QCOMPARE(b.ProgressBar1.minimum(), 0.0f);
    QCOMPARE(b.ProgressBar1.value(), 50.0f);
    p.Timer2.tick();
    QCOMPARE(p.ProgressBar1.value(), 50.0f);
    // The high gauge was not touched.
    QCOMPARE(p.slider1.value(), 0.0f);
}

void TestPanel::highGaugeFillsAndMirrors()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    PanelWindow& p = g->player(2);
    p.slider1.setValue(45);
    p.Timer6.start();
    tickTimes(p.Timer6, 5);
    QVERIFY(!p.Timer6.enabled());
    QCOMPARE(p.slider1.value(), 50.0f);
    QCOMPARE(b.Slider1.value(), 50.0f);
    QCOMPARE(b.Slider1.maximum(), 50.0f);
}

void TestPanel::guideLineEnd_data()
{
    QTest::addColumn<QString>("lr");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("dx");
    QTest::addColumn<double>("dy");
    QTest::newRow("left, flat") << "kiri" << 0 << 70 << -1400.0 << 0.0;
    QTest::newRow("right, flat") << "kanan" << 0 << 70 << 1400.0 << 0.0;
    QTest::newRow("right, rising") << "kanan" << 10 << 70 << 1400.0 << -700.0;
    QTest::newRow("left, rising") << "kiri" << 10 << 70 << -1400.0 << -700.0;
    QTest::newRow("guide off") << "kanan" << 10 << 0 << 0.0 << 0.0;
}

void TestPanel::guideLineEnd()
{
    QFETCH(QString, lr);
    QFETCH(int, high);
    QFETCH(int, k);
    QFETCH(double, dx);
    QFETCH(double, dy);

    TestGame g;
    BattleWindow& b = g->Battle();
    b.vehicle[0]->move(3000, 5000);
    b.lr.setCaption(lr);
    g->Form1().Slider1.setValue(k);
    PanelWindow& p = g->player(0);
    p.ProgressBar1.setValue(19);
    p.slider1.setValue(static_cast<float>(high));
    p.Timer2.start();
    p.Timer2.tick();  // far 20

    QCOMPARE(b.Line1.x1(), 3500.0);
    QCOMPARE(b.Line1.y1(), 5400.0);
    QCOMPARE(b.Line1.x2(), 3500.0 + dx);
    QCOMPARE(b.Line1.y2(), 5400.0 + dy);
}

void TestPanel::onlyPlayer4HighGaugePlacesLineStart()
{
    TestGame g;
    BattleWindow& b = g->Battle();
    b.lr.setCaption(QStringLiteral("kanan"));
    g->Form1().Slider1.setValue(10);

    b.vehicle[0]->move(1000, 1000);
    b.Line1.setEnds(0, 0, 0, 0);
    PanelWindow& p1 = g->player(0);
    p1.Timer6.start();
    p1.Timer6.tick();
    QCOMPARE(b.Line1.x1(), 0.0);
    QCOMPARE(b.Line1.y1(), 0.0);
    QCOMPARE(b.Line1.y2(), -10.0);  // the end still follows from the stale start

    b.vehicle[3]->move(7000, 2000);
    PanelWindow& p4 = g->player(3);
    p4.Timer6.start();
    p4.Timer6.tick();
    QCOMPARE(b.Line1.x1(), 7500.0);
    QCOMPARE(b.Line1.y1(), 2400.0);
    QCOMPARE(b.Line1.x2(), 7500.0);  // far 0
    QCOMPARE(b.Line1.y2(), 2390.0);

    // A facing that is neither leaves the end where it was.
    b.lr.setCaption(QString());
    p4.Timer6.tick();
    QCOMPARE(b.Line1.y2(), 2390.0);
    QCOMPARE(p4.slider1.value(), 2.0f);
    QCOMPARE(b.Slider1.value(), 2.0f);
}

void TestPanel::stepDuringFarGaugeKeepsItRising()
{
    TestGame g;
    auto [b, vehicle, p] = readyToMove(g, 0, 3000, 5000, QStringLiteral("1"));
    p.Timer2.start();
    p.Timer2.tick();
    p.atas.click();
    QVERIFY(!p.visible());
    QVERIFY(p.Timer2.enabled());
    vehicle.setTop(4900);  // the glide's first step
    p.Timer2.tick();
    QCOMPARE(p.ProgressBar1.value(), 2.0f);
    QCOMPARE(b.Line1.y1(), 5300.0);
}

void TestPanel::resizeFollowsOuterWidth()
{
    TestGame g;
    for (int slot : {0, 1}) {
        PanelWindow& p = g->player(slot);
        const double margin = slot == 0 ? 3510 : 3210;
        p.show();
        QCOMPARE(p.gerakan.width(), p.outerWidth() - 270);
        QCOMPARE(p.ProgressBar1.width(), p.gerakan.width() - margin);
        QCOMPARE(p.slider1.width(), p.ProgressBar1.width());

        p.setClientSize(12000, p.clientHeight());
        QVERIFY(p.outerWidth() >= 12000);
        QCOMPARE(p.gerakan.width(), p.outerWidth() - 270);
        QCOMPARE(p.ProgressBar1.width(), p.gerakan.width() - margin);
        QCOMPARE(p.slider1.width(), p.ProgressBar1.width());
    }
}

void TestPanel::closeIsRefused()
{
    TestGame g;
    PanelWindow& p = g->player(1);
    p.show();
    QVERIFY(!p.requestClose());
    QVERIFY(p.visible());
    QCOMPARE(&g->player(1), &p);
}

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
