// The computer players as a person meets them: the seat controls of both
// rosters, panels that refuse a person's clicks during a computer's turn, and
// a computer's turn from its panel showing to the shell in the air, counted
// in ticks of the game's timers.

#include "test_support.h"
#include "wind_rings.h"

#include "battle/battle_window.h"
#include "computer/computer_player.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/message_box.h"
#include "ui/number_text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <algorithm>

using computer::ComputerWindow;
using computer::Level;
using computer::Plan;
using computer::Press;

Q_DECLARE_METATYPE(Edition)
Q_DECLARE_METATYPE(std::vector<Press>)

namespace {

// A field's place in its window's pixels.
QRect placeInWindow(const ui::Field& field)
{
    QWidget* widget = field.widget();
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// Whether `inner` lies inside `outer` (a frame holding it, at any depth).
bool holds(const ui::Field& outer, const ui::Field& inner)
{
    return outer.widget()->isAncestorOf(inner.widget());
}

// The roster of either edition, shown with all four players.
RosterWindow& fourPlayerRoster(TestGame& g)
{
    RosterWindow& form = g->Form1();
    form.show();
    form.Command3.click();
    return form;
}

// Gives every turn of the computer players the same plan.
void planAlways(TestGame& g, std::vector<Press> presses, int far, int high)
{
    const Plan plan{.presses = std::move(presses), .far = far, .high = high, .target = 1};
    g->Computer().setPlanMaker([plan](int, Level, const computer::Situation&) { return plan; });
}

// A duel of the game's edition with player 1 played by the computer at the
// hard level. In the full game it is ticked until the turn scheduler shows
// player 1's panel; in the wind edition the panel waits for a pointer move.
PanelWindow& duelWithComputerFirst(TestGame& g)
{
    RosterWindow& form = g->windEdition() ? static_cast<RosterWindow&>(shownWindSetup(g)) : shownSetup(g);
    form.setSeatPlayer(0, Level::Hard);
    startDuel(form);
    for (int i = 0; i < 200 && !g->player(0).visible(); ++i)
        g->Battle().timersp.tick();
    return g->player(0);
}

} // namespace

class TestComputerPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::applyLook(); }

    // ---- The seat controls ----

    void seatControlCyclesOnRealClicks_data() { addEditionRows(); }
    void seatControlCyclesOnRealClicks()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = fourPlayerRoster(g);
        const QStringList cycle{QStringLiteral("Manusia"), QStringLiteral("Komputer mudah"),
                                QStringLiteral("Komputer sedang"), QStringLiteral("Komputer sulit"),
                                QStringLiteral("Jaringan"), QStringLiteral("Manusia")};
        // A network seat nobody holds is played by the computer at "sedang".
        const std::optional<Level> players[6] = {std::nullopt, Level::Easy,   Level::Medium,
                                                 Level::Hard,  Level::Medium, std::nullopt};
        for (int slot = 0; slot < 4; ++slot) {
            ui::Button& seat = *form.seat[slot];
            QVERIFY(seat.isShown());
            for (int step = 0; step < 6; ++step) {
                QCOMPARE(seat.caption(), cycle[step]);
                QCOMPARE(form.seatPlayer(slot), players[step]);
                QCOMPARE(g->computerSeat(slot), players[step].has_value());
                QCOMPARE(form.networkSeat(slot), step == 4);
                if (step == 4)
                    QCOMPARE(form.nameField[slot]->text(), QStringLiteral("menunggu"));
                if (step < 5)
                    QTest::mouseClick(seat.widget(), Qt::LeftButton);
            }
        }
        // Names are still typed into the name fields.
        QCOMPARE(form.nameField[1]->text(), QStringLiteral("Player2"));
    }

    // A joined player holds a network seat: their name and character in the
    // roster, a person's panel that takes no clicks here; when they leave,
    // the computer plays it and the panel's title says so.
    void networkSeatHeldAndReleased_data() { addEditionRows(); }
    void networkSeatHeldAndReleased()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = fourPlayerRoster(g);
        form.nameField[2]->setText(QStringLiteral("Tuti"));
        g->player(2);  // a match is under way: the panel exists
        form.setNetworkSeat(2);
        QVERIFY(!form.networkSeatHeld(2));
        QCOMPARE(form.seatPlayer(2), std::optional<Level>(Level::Medium));

        form.holdNetworkSeat(2, QStringLiteral("Ayu"), 5);
        QVERIFY(form.networkSeatHeld(2));
        QVERIFY(g->remoteSeat(2));
        QCOMPARE(form.seatPlayer(2), std::nullopt);
        QCOMPARE(form.nameField[2]->text(), QStringLiteral("Ayu"));
        QCOMPARE(form.characterNumber[2]->text(), QStringLiteral("5"));
        QVERIFY(!g->player(2).takesPlayerInput());
        QCOMPARE(g->player(2).caption(), QStringLiteral("Ayu"));

        form.releaseNetworkSeat(2);
        QCOMPARE(form.nameField[2]->text(), QStringLiteral("menunggu"));
        QCOMPARE(form.seatPlayer(2), std::optional<Level>(Level::Medium));
        QCOMPARE(g->player(2).caption(), QStringLiteral("menunggu (komputer)"));

        // Back to a person at this machine: the name typed before comes back.
        form.setSeatPlayer(2, std::nullopt);
        QCOMPARE(form.nameField[2]->text(), QStringLiteral("Tuti"));
        QVERIFY(g->player(2).takesPlayerInput());
    }

    void seatControlsOnlyForPlayersOnTheRoster_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<int>("players");
        for (const Edition edition : {Edition::Full, Edition::Wind})
            for (int players = 2; players <= 4; ++players)
                QTest::addRow("%s, %d players", edition == Edition::Full ? "full" : "wind", players)
                    << edition << players;
    }
    void seatControlsOnlyForPlayersOnTheRoster()
    {
        QFETCH(Edition, edition);
        QFETCH(int, players);
        TestGame g(edition);
        RosterWindow& form = fourPlayerRoster(g);
        // From four players down, as a person going back to the menu would.
        form.back.click();
        (players == 2 ? form.Command1 : players == 3 ? form.Command2 : form.Command3).click();
        for (int slot = 0; slot < 4; ++slot)
            QCOMPARE(form.seat[slot]->isShown(), slot < players);
    }

    // Each seat control stands in free space: it covers no other field of
    // the roster, hidden ones included, and its longest caption fits.
    void seatControlsCoverNoDesignedField_data() { seatControlCyclesOnRealClicks_data(); }
    void seatControlsCoverNoDesignedField()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = fourPlayerRoster(g);
        for (ui::Button* seat : form.seat) {
            const QRect mine = placeInWindow(*seat);
            for (ui::Field* field : form.fields()) {
                if (field == seat || holds(*field, *seat) || holds(*seat, *field))
                    continue;
                if (std::find(form.seat.begin(), form.seat.end(), field) != form.seat.end()) {
                    QVERIFY2(!mine.intersects(placeInWindow(*field)), "two seat controls overlap");
                    continue;
                }
                // The menu lies under the whole roster, and the character
                // selector opens over it: neither is covered by a seat.
                if (holds(form.Frame1, *field) || field == &form.Frame1)
                    continue;
                if (edition == Edition::Full && (field == &g->setup().Frame5 || holds(g->setup().Frame5, *field)))
                    continue;
                // Frames of other players are containers beside it, not fields it covers.
                if (dynamic_cast<ui::Frame*>(field))
                    continue;
                QVERIFY2(!mine.intersects(placeInWindow(*field)),
                         qPrintable(QStringLiteral("a seat control at %1,%2 covers a field at %3,%4")
                                        .arg(mine.x()).arg(mine.y())
                                        .arg(placeInWindow(*field).x()).arg(placeInWindow(*field).y())));
            }
            const QFontMetrics metrics(seat->widget()->font());
            const int needed = metrics.horizontalAdvance(QStringLiteral("Komputer sedang")) + 6;  // and the button's rim
            QVERIFY2(needed <= mine.width(),
                     qPrintable(QStringLiteral("the caption needs %1 pixels of %2").arg(needed).arg(mine.width())));
        }
    }

    void presetSeatsReachThePanels()
    {
        TestGame g;
        RosterWindow& form = shownSetup(g);
        form.setSeatPlayer(1, Level::Medium);
        QCOMPARE(form.seat[1]->caption(), QStringLiteral("Komputer sedang"));
        QVERIFY(g->computerExists());
        // Panels made before and after the preset follow it.
        QVERIFY(g->player(0).takesPlayerInput());
        QVERIFY(!g->player(1).takesPlayerInput());
        form.setSeatPlayer(1, std::nullopt);
        QVERIFY(g->player(1).takesPlayerInput());
        form.setSeatPlayer(3, Level::Easy);
        QVERIFY(!g->player(3).takesPlayerInput());
    }

    void peopleAloneMakeNoComputerWindow()
    {
        TestGame g;
        startDuel(g);
        tickTimes(g->Battle().timersp, 100);
        QVERIFY(!g->computerExists());
    }

    // ---- A person's clicks on a computer's panel ----

    void personsClickOnComputersPanelIsRefused()
    {
        TestGame g;
        shownSetup(g).setSeatPlayer(1, Level::Hard);
        startDuel(g->Form1());
        PanelWindow& computers = g->player(1);
        PanelWindow& persons = g->player(0);
        computers.show();
        persons.show();

        // The mouse and the keyboard on the computer's fire and step buttons.
        QTest::mouseClick(computers.Command1.widget(), Qt::LeftButton);
        QTest::mouseClick(computers.kanan.widget(), Qt::LeftButton);
        computers.Command1.widget()->setFocus();
        QTest::keyClick(computers.Command1.widget(), Qt::Key_Space);
        computers.Command1.click();
        QCOMPARE(computers.Command1.caption(), QStringLiteral("tembak"));
        QCOMPARE(computers.Label1.caption(), QStringLiteral("kiri"));
        QVERIFY(!computers.Timer2.enabled());

        // The computer's own press goes through; a person's panel still works.
        computers.Command1.automatedClick();
        QCOMPARE(computers.Command1.caption(), QStringLiteral("far ok"));
        QTest::mouseClick(persons.Command1.widget(), Qt::LeftButton);
        QCOMPARE(persons.Command1.caption(), QStringLiteral("far ok"));
    }

    // A button's click that arrives without a mouse or key event (a screen
    // reader's press action, a call on the button) is a person's too: the
    // computer's panel refuses it, a person's panel takes it.
    void pressesWithoutInputEventsOnComputersPanel_data()
    {
        QTest::addColumn<QString>("route");
        QTest::newRow("accessibility press action") << QStringLiteral("accessibility");
        QTest::newRow("animated click") << QStringLiteral("animateClick");
        QTest::newRow("click call") << QStringLiteral("click");
    }
    void pressesWithoutInputEventsOnComputersPanel()
    {
        QFETCH(QString, route);
        TestGame g;
        shownSetup(g).setSeatPlayer(1, Level::Hard);
        startDuel(g->Form1());
        PanelWindow& computers = g->player(1);
        PanelWindow& persons = g->player(0);
        computers.show();
        persons.show();
        auto press = [&](ui::Button& field) {
            auto* button = static_cast<QAbstractButton*>(field.widget());
            if (route == QStringLiteral("accessibility")) {
                QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(button);
                QVERIFY(reader && reader->actionInterface());
                reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            } else if (route == QStringLiteral("animateClick")) {
                button->animateClick();
            } else {
                button->click();
            }
            // An animated click lands a tenth of a second later.
            QTest::qWait(250);
        };

        press(computers.Command1);
        press(computers.kanan);
        QCOMPARE(computers.Command1.caption(), QStringLiteral("tembak"));
        QCOMPARE(computers.Label1.caption(), QStringLiteral("kiri"));
        QVERIFY(!computers.Timer2.enabled());

        computers.Command1.automatedClick();
        QCOMPARE(computers.Command1.caption(), QStringLiteral("far ok"));
        press(persons.Command1);
        QCOMPARE(persons.Command1.caption(), QStringLiteral("far ok"));
    }

    // ---- Exact presses ----

    // A press before the gauge's first tick fixes nothing on the battle
    // window: its mirror keeps the value it had.
    void pressBeforeFirstGaugeTickLeavesTheMirror()
    {
        TestGame g;
        startDuel(g);
        PanelWindow& panel = g->player(0);
        BattleWindow& battle = g->Battle();
        panel.show();
        battle.ProgressBar1.setValue(7);
        battle.Slider1.setValue(9);
        panel.Command1.click();
        QCOMPARE(battle.ProgressBar1.value(), 7.0f);
        panel.Command1.click();  // before any far tick
        QCOMPARE(battle.ProgressBar1.value(), 7.0f);
        QCOMPARE(battle.Slider1.value(), 9.0f);
        panel.Timer6.tick();
        QCOMPARE(battle.Slider1.value(), 1.0f);
    }

    // ---- A whole turn, counted in ticks ----

    // From the panel showing: 0.8 s before the first press, 0.3 s after a
    // step has glided in, 0.2 s after a turn on the spot; the first fire
    // press waits until the shell cannot leave within 1.6 s of the panel
    // showing. Pace ticks are 100 ms, glide ticks 20 ms, gauge ticks 30 ms;
    // turnTakesOneAndAHalfToSixSeconds checks the whole turn on that clock.
    // The fire presses that fix the powers land on the gauge tick that
    // reaches the plan, never a tick late.
    void turnFromPanelToShellInTheAir_data()
    {
        QTest::addColumn<bool>("withMoves");
        QTest::addColumn<int>("far");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("firstFireTick");  // pace ticks after the plan, moves included
        QTest::newRow("fire at once, small powers wait for 1.6 s") << false << 2 << 3 << 15;
        QTest::newRow("fire at once, least powers wait for 1.6 s") << false << 1 << 1 << 16;
        QTest::newRow("fire at once, large powers after 0.8 s") << false << 30 << 25 << 8;
        QTest::newRow("fire at once, middle powers after 0.8 s") << false << 23 << 17 << 8;
        QTest::newRow("full far: the gauge stops by itself") << false << 50 << 3 << 8;
        QTest::newRow("full powers") << false << 50 << 50 << 8;
        QTest::newRow("turn, step, then fire") << true << 10 << 5 << 14;
    }
    void turnFromPanelToShellInTheAir()
    {
        QFETCH(bool, withMoves);
        QFETCH(int, far);
        QFETCH(int, high);
        QFETCH(int, firstFireTick);
        TestGame g;
        PanelWindow& panel = duelWithComputerFirst(g);
        BattleWindow& battle = g->Battle();
        ComputerWindow& players = g->Computer();
        std::vector<Press> presses;
        if (withMoves)
            presses = {Press::Left, Press::Left};  // facing right: turn, then a step
        planAlways(g, presses, far, high);
        int planned = 0;
        players.onThought([&planned](const ComputerWindow::Thought& thought) {
            ++planned;
            QCOMPARE(thought.slot, 0);
            QCOMPARE(thought.level, Level::Hard);
        });
        const ui::Twips startLeft = battle.vehicle[0]->left();

        // The turn begins: one pointer move, the plan.
        players.Timer1.tick();
        QCOMPARE(planned, 1);
        int pace = 0;
        auto tickPace = [&] {
            players.Timer1.tick();
            ++pace;
        };
        if (withMoves) {
            for (int i = 1; i < ComputerWindow::kFirstActionTicks; ++i) {
                tickPace();
                QCOMPARE(panel.Label1.caption(), QStringLiteral("kanan"));
            }
            tickPace();
            QCOMPARE(panel.Label1.caption(), QStringLiteral("kiri"));  // the turn, at 0.8 s
            QVERIFY(panel.visible());
            tickPace();
            QVERIFY(panel.visible());
            tickPace();
            QVERIFY(!panel.visible());  // the step, 0.2 s later
            int glide = 0;
            while (!panel.visible() && glide < 100) {
                battle.Timer4.tick();
                ++glide;
            }
            QCOMPARE(glide, 8);
            QCOMPARE(battle.vehicle[0]->left(), startLeft - 800);
            QCOMPARE(panel.Label3.caption(), QStringLiteral("2"));
            tickPace();  // the computer sees the panel back
        }
        while (pace < firstFireTick - 1) {
            tickPace();
            QCOMPARE(panel.Command1.caption(), QStringLiteral("tembak"));
        }
        tickPace();
        QCOMPARE(panel.Command1.caption(), QStringLiteral("far ok"));
        for (int tick = 1; tick <= far; ++tick) {
            panel.Timer2.tick();
            QCOMPARE(panel.Command1.caption(), tick < far ? QStringLiteral("far ok") : QStringLiteral("high ok"));
        }
        QCOMPARE(battle.ProgressBar1.value(), static_cast<float>(far));
        for (int tick = 1; tick <= high; ++tick) {
            panel.Timer6.tick();
            QCOMPARE(panel.Command1.caption(), tick < high ? QStringLiteral("high ok") : QStringLiteral("tembak"));
        }
        QVERIFY(battle.Timer1.enabled());
        QVERIFY(!panel.visible());
        QCOMPARE(g->turnMarker(), QStringLiteral("0"));

        // The turn is over once the shell flies; no second plan.
        tickTimes(players.Timer1, 20);
        QCOMPARE(planned, 1);
        QVERIFY(!players.actingSlot());
    }

    // Whatever the plan, from the panel showing to the shell leaving takes
    // 1.5 to 6 s on the game's clock: every timer ticking at its interval.
    void turnTakesOneAndAHalfToSixSeconds_data()
    {
        QTest::addColumn<std::vector<Press>>("presses");
        QTest::addColumn<int>("far");
        QTest::addColumn<int>("high");
        QTest::newRow("no moves, least powers") << std::vector<Press>{} << 1 << 1;
        QTest::newRow("no moves, full powers") << std::vector<Press>{} << 50 << 50;
        QTest::newRow("turn, four steps, turn, full powers")
            << std::vector<Press>{Press::Left, Press::Up, Press::Up, Press::Down, Press::Down, Press::Right} << 50
            << 50;
        QTest::newRow("four steps, small powers")
            << std::vector<Press>{Press::Right, Press::Right, Press::Up, Press::Down} << 3 << 2;
    }
    void turnTakesOneAndAHalfToSixSeconds()
    {
        QFETCH(std::vector<Press>, presses);
        QFETCH(int, far);
        QFETCH(int, high);
        TestGame g;
        PanelWindow& panel = duelWithComputerFirst(g);
        panel.Label3.setCaption(QStringLiteral("4"));
        planAlways(g, presses, far, high);
        BattleWindow& battle = g->Battle();
        ComputerWindow& players = g->Computer();
        const std::vector<ui::Timer*> clock{&players.Timer1, &battle.Timer3, &battle.Timer4, &panel.Timer2,
                                            &panel.Timer6};
        std::vector<int> due(clock.size(), -1);
        int ms = 0;
        players.Timer1.tick();  // the turn begins with the panel shown
        while (!battle.Timer1.enabled() && ms < 20000) {
            ms += 10;
            for (std::size_t k = 0; k < clock.size(); ++k) {
                if (!clock[k]->enabled()) {
                    due[k] = -1;
                    continue;
                }
                if (due[k] < 0)
                    due[k] = ms - 10 + clock[k]->interval();
                if (ms >= due[k]) {
                    due[k] += clock[k]->interval();
                    clock[k]->tick();
                }
            }
        }
        QVERIFY2(ms >= 1500 && ms <= 6000, qPrintable(QStringLiteral("%1 ms from panel to shell").arg(ms)));
        QCOMPARE(battle.ProgressBar1.value(), static_cast<float>(far));
        QCOMPARE(battle.Slider1.value(), static_cast<float>(high));
    }

    // Two computers alone, and no vehicle left: a computer's pointer move
    // brings the draw, so the match does not wait for a person.
    void computersAloneDeclareTheDraw()
    {
        TestGame g;
        RosterWindow& form = shownSetup(g);
        form.setSeatPlayer(0, Level::Easy);
        form.setSeatPlayer(1, Level::Hard);
        startDuel(form);
        for (ui::Sprite* car : g->Battle().vehicle)
            car->hide();
        tickTimes(g->Computer().Timer1, 10);
        QCOMPARE(g.messages, QStringList{QStringLiteral("Draw!")});
        QVERIFY(g->Battle().Frame3.visible());
    }

    // A computer's turn begins with one pointer move over the battlefield:
    // it steps the next wind once, as a person's move does, and in the wind
    // edition it brings the computer's own panel.
    void turnBeginsWithOnePointerMove_data() { addEditionRows(); }
    void turnBeginsWithOnePointerMove()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        PanelWindow& panel = duelWithComputerFirst(g);
        BattleWindow& battle = g->Battle();
        const double before = numtext::readDouble(battle.Text7.text());
        QCOMPARE(panel.visible(), edition == Edition::Full);
        g->Computer().Timer1.tick();
        QVERIFY(panel.visible());
        const auto at = std::find(kHorizontalWindRing.begin(), kHorizontalWindRing.end(), before);
        QVERIFY(at != kHorizontalWindRing.end());
        const auto next = std::next(at) == kHorizontalWindRing.end() ? kHorizontalWindRing.begin() : std::next(at);
        QCOMPARE(numtext::readDouble(battle.Text7.text()), *next);
    }

    // A computer's turn begins with its pointer where a person could point:
    // over the part of the battlefield the battle window shows, off the edge
    // buttons, however far the view has scrolled and however near an edge
    // its vehicle stands. The wind dial placed beside it shows where it went.
    void openingPointerMoveIsWhereAPersonCouldPoint_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<double>("viewLeft");  // the battlefield's place in the window
        QTest::addColumn<double>("viewTop");
        QTest::addColumn<double>("carLeft");  // -1: against the battlefield's right edge
        QTest::addColumn<double>("carTop");
        QTest::newRow("full, vehicle left of the view") << Edition::Full << -6000.0 << 0.0 << 600.0 << 3000.0;
        QTest::newRow("full, vehicle right of the view") << Edition::Full << 0.0 << 0.0 << -1.0 << 3000.0;
        QTest::newRow("full, vehicle at the top") << Edition::Full << 0.0 << 0.0 << 3000.0 << 0.0;
        QTest::newRow("full, view scrolled below the vehicle") << Edition::Full << 0.0 << -4000.0 << 3000.0 << 1000.0;
        QTest::newRow("wind, vehicle against the right edge") << Edition::Wind << 0.0 << 0.0 << -1.0 << 3000.0;
        QTest::newRow("wind, vehicle at the left edge") << Edition::Wind << 0.0 << 0.0 << 0.0 << 3000.0;
    }
    void openingPointerMoveIsWhereAPersonCouldPoint()
    {
        QFETCH(Edition, edition);
        QFETCH(double, viewLeft);
        QFETCH(double, viewTop);
        QFETCH(double, carLeft);
        QFETCH(double, carTop);
        TestGame g(edition);
        duelWithComputerFirst(g);
        BattleWindow& battle = g->Battle();
        battle.tagselamat.tick();  // the edge buttons along the window's edges
        battle.Picture1.move(viewLeft, viewTop);
        ui::Sprite& car = *battle.vehicle[0];
        car.move(carLeft >= 0 ? carLeft : battle.Picture1.width() - car.width(), carTop);
        const QString nextWind = battle.Text7.text();

        g->Computer().Timer1.tick();
        QVERIFY(g->player(0).visible());
        QVERIFY(battle.Text7.text() != nextWind);  // one move, one wind step
        // The dial's centre: the pointer itself in the wind edition (the
        // dial keeps its height there), 300 right of it and 2500 above it in
        // the full game. In the window's twips.
        const ui::Twips dialX = battle.Shape2.left() + 120;
        const ui::Twips x = dialX - (edition == Edition::Full ? 300 : 0) + battle.Picture1.left();
        const ui::Twips y = battle.Shape2.top() + 120 + 2500 + battle.Picture1.top();
        ui::Twips left = std::max(0.0, battle.Picture1.left());
        ui::Twips right = std::min(battle.clientWidth(), battle.Picture1.left() + battle.Picture1.width());
        ui::Twips top = std::max(0.0, battle.Picture1.top());
        ui::Twips bottom = std::min(battle.clientHeight(), battle.Picture1.top() + battle.Picture1.height());
        if (edition == Edition::Full) {
            QVERIFY(battle.frame1.isShown() && battle.frame4.isShown() && battle.frame5.isShown()
                    && battle.frame6.isShown());
            left = std::max(left, battle.frame1.left() + battle.frame1.width());
            right = std::min(right, battle.frame4.left());
            top = std::max(top, battle.frame5.top() + battle.frame5.height());
            bottom = std::min(bottom, battle.frame6.top());
        }
        QVERIFY2(x >= left && x < right, qPrintable(QStringLiteral("x %1 outside %2..%3").arg(x).arg(left).arg(right)));
        if (edition == Edition::Full)
            QVERIFY2(y >= top && y < bottom,
                     qPrintable(QStringLiteral("y %1 outside %2..%3").arg(y).arg(top).arg(bottom)));
    }

    // After a winner, "Start" pressed without closing the battle window
    // keeps the end-of-match cover up and the next match goes on under it:
    // the computer that survived plays its turn through to the shot.
    void computerPlaysUnderTheEndOfMatchCover()
    {
        TestGame g;
        SetupWindow& form = shownSetup(g);
        form.Command2.click();  // three players
        form.setSeatPlayer(2, Level::Hard);
        form.Command5.click();
        BattleWindow& battle = g->Battle();
        // One explosion destroys players 1 and 2: player 3 wins.
        g->setTurnMarker(QStringLiteral("2"));
        for (const std::size_t k : {0u, 1u}) {
            battle.energyBar[k]->setValue(1);
            battle.damageLabel[k]->setCaption(QStringLiteral("5"));
        }
        explode(g);
        QCOMPARE(g.messages.last(), QStringLiteral("Pemenang: Player3"));
        QVERIFY(battle.Frame3.visible());

        form.Command5.click();
        QVERIFY(battle.Frame3.visible());
        battle.turnGauge[2]->setValue(battle.turnGauge[2]->maximum() - 1);  // player 3's turn comes first
        for (int i = 0; i < 100 && !g->player(2).visible(); ++i)
            battle.timersp.tick();
        PanelWindow& panel = g->player(2);
        QVERIFY(panel.visible());
        QCOMPARE(g->turnSlot(), 2);
        for (int i = 0; i < 400 && !battle.Timer1.enabled(); ++i) {
            g->Computer().Timer1.tick();
            battle.Timer3.tick();
            battle.Timer4.tick();
            panel.Timer2.tick();
            panel.Timer6.tick();
        }
        QVERIFY(battle.Timer1.enabled());
        QCOMPARE(g->turnSlot(), 2);
        QVERIFY(battle.Frame3.visible());
    }

    // During a computer's shot a person's pointer still steps the next wind;
    // the shell keeps the wind it left with.
    void pointerDuringComputersShotStepsOnlyTheNextWind()
    {
        TestGame g;
        PanelWindow& panel = duelWithComputerFirst(g);
        planAlways(g, {}, 20, 20);
        BattleWindow& battle = g->Battle();
        while (!battle.Timer1.enabled()) {
            g->Computer().Timer1.tick();
            panel.Timer2.tick();
            panel.Timer6.tick();
        }
        const QString wind = battle.Text3.text();
        const QString lift = battle.Text4.text();
        QString next = battle.Text7.text();
        for (int i = 0; i < 5; ++i) {
            battle.Picture1.pointerMove(3000 + 100 * i, 4000);
            QVERIFY(battle.Text7.text() != next);
            next = battle.Text7.text();
            battle.Timer1.tick();
            QCOMPARE(battle.Text3.text(), wind);
            QCOMPARE(battle.Text4.text(), lift);
        }
    }

    // While a message is open the computer waits, as the game's timers do.
    void computerWaitsWhileAMessageIsOpen()
    {
        TestGame g;
        PanelWindow& panel = duelWithComputerFirst(g);
        planAlways(g, {}, 5, 5);
        int ticksDuringMessage = -1;
        ui::setMessagePresenter([&](const QString&) {
            const int before = g->Computer().turnTicks();
            tickTimes(g->Computer().Timer1, 30);
            ticksDuringMessage = g->Computer().turnTicks() - before;
        });
        ui::showMessage(QStringLiteral("Pemenang: nobody"));
        QCOMPARE(ticksDuringMessage, 0);
        QCOMPARE(panel.Command1.caption(), QStringLiteral("tembak"));
    }

    // What the computer reads off the screen at the start of its turn, where
    // the flight does not show it: what the flight reads (the winds, the
    // shell, the floor, the facing, the full game's shot damage, the
    // vehicles' places) is checked by test_planner, whose predictions from
    // this reader must match the real shell tick for tick in both editions.
    void situationIsWhatTheScreenShows()
    {
        TestGame g;
        PanelWindow& panel = duelWithComputerFirst(g);
        BattleWindow& battle = g->Battle();
        const computer::Situation s = ComputerWindow::readSituation(*g, 0);
        QVERIFY(s.vehicles[0].alive && s.vehicles[1].alive);
        QVERIFY(!s.vehicles[2].alive && !s.vehicles[3].alive);
        QCOMPARE(s.vehicles[1].energy, 710.0);
        QCOMPARE(s.movementPoints, numtext::readDouble(panel.Label3.caption()));
        QCOMPARE(s.fieldWidth, battle.Picture1.width());
        QCOMPARE(s.windowOuterHeight, battle.outerHeight());  // no flight in test_planner tells it apart
        // The two pictures of character 1, 1.gif and 12.gif.
        QCOMPARE(s.widthFacingRight, ui::toTwips(assetImage(QStringLiteral("1.gif")).width()));
        QCOMPARE(s.widthFacingLeft, ui::toTwips(assetImage(QStringLiteral("12.gif")).width()));

        // The wind edition's shots start with no damage.
        TestGame w(Edition::Wind);
        duelWithComputerFirst(w);
        QCOMPARE(ComputerWindow::readSituation(*w, 0).shotDamage, 0.0);
    }
};

QTEST_MAIN(TestComputerPlayer)
#include "test_computer_player.moc"
