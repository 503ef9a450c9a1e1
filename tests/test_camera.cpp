// The camera: with "Kamera ikut" ticked the view glides to the vehicle whose
// turn it is and keeps the shell in view; a scroll by hand rests it until the
// next turn; the key C centres the view, ticked or not. Matches are played
// with every timer ticking on a simulated millisecond clock.
#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "ui/number_text.h"
#include "ui/timer.h"

#include <QCheckBox>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Every enabled timer of every window ticks whenever its interval has passed.
class Clock {
public:
    explicit Clock(Game& game)
        : game_(game)
    {
    }

    // `check` runs after each millisecond.
    void advance(int ms, const std::function<void()>& check = [] {})
    {
        for (int i = 0; i < ms; ++i) {
            ++now_;
            for (const Game::LiveWindow& live : game_.liveWindows())
                for (ui::Timer* timer : live.window->timers())
                    if (timer->enabled() && now_ % ui::clockIntervalFor(timer->interval()) == 0)
                        timer->tick();
            check();
        }
    }

private:
    Game& game_;
    long now_ = 0;
};

// Whether a box (left, top, width, height) lies wholly inside (0, 0, w, h).
bool within(double left, double top, double width, double height, double w, double h)
{
    return left >= 0 && top >= 0 && left + width <= w && top + height <= h;
}

// Whether a field of the battlefield lies wholly inside the battle window.
bool inView(const BattleWindow& b, const ui::Field& f)
{
    return within(b.Picture1.left() + f.left(), b.Picture1.top() + f.top(), f.width(), f.height(), b.clientWidth(),
                  b.clientHeight());
}

bool overBattlefield(const BattleWindow& b, const ui::Field& f)
{
    return within(f.left(), f.top(), f.width(), f.height(), b.Picture1.width(), b.Picture1.height());
}

// Whether the battlefield covers the whole window.
bool battlefieldCoversView(const BattleWindow& b)
{
    return within(-b.Picture1.left(), -b.Picture1.top(), b.clientWidth(), b.clientHeight(), b.Picture1.width(),
                  b.Picture1.height());
}

// A player's click on the "Kamera ikut" box, on its tick mark.
void clickCameraBox(RosterWindow& form)
{
    const ui::CheckBox& box = form.Kamera;
    QTest::mouseClick(box.widget(), Qt::LeftButton, {}, QPoint(6, box.widget()->height() / 2));
}

// A four-player match started on the shown setup window.
void startFourPlayers(TestGame& g)
{
    RosterWindow& form = g->Form1();
    form.show();
    form.Command3.click();  // "Survival 4 player"
    form.Command5.click();  // "Start"
}

// Plays on until a player whose vehicle is in the match has the turn and
// their panel up; the pointer over the battlefield brings it in the wind
// edition. The slot, or nothing when none comes.
std::optional<int> awaitTurn(TestGame& g, Clock& clock)
{
    for (int i = 0; i < 400; ++i) {
        const std::optional<int> slot = g->turnSlot();
        if (slot && g->Battle().vehicle[*slot]->visible() && g->player(*slot).visible())
            return slot;
        if (g->windEdition())
            g->Battle().Picture1.pointerMove(4000, 3000);
        clock.advance(16);
    }
    return std::nullopt;
}

// The three fire presses, with the gauges rising `farMs` and `highMs`.
void fireWith(PanelWindow& panel, Clock& clock, int farMs, int highMs)
{
    panel.Command1.click();
    clock.advance(farMs);
    panel.Command1.click();
    clock.advance(highMs);
    panel.Command1.click();
}

} // namespace

class TestCamera : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home_;

private slots:
    void initTestCase()
    {
        QVERIFY(useScratchHome(home_));
    }

    // The box sits beside "Suara", clear at first, its caption whole in
    // either edition; a click is remembered for the next start.
    void boxBesideSoundIsRemembered_data() { addEditionRows(); }
    void boxBesideSoundIsRemembered()
    {
        QFETCH(Edition, edition);
        for (const bool ticked : {true, false}) {
            TestGame g(edition);
            RosterWindow& form = g->Form1();
            form.show();
            g->camera().startWithRememberedChoice();
            QCOMPARE(form.Kamera.checked(), !ticked);
            const auto* shown = qobject_cast<QCheckBox*>(form.Kamera.widget());
            QCOMPARE(shown->text(), QStringLiteral("Kamera ikut"));
            QVERIFY(shown->sizeHint().width() <= shown->width());
            QVERIFY(form.Suara.left() + form.Suara.width() < form.Kamera.left());
            QCOMPARE(form.widget()->childAt(shown->geometry().center()), shown);
            clickCameraBox(form);
            QCOMPARE(form.Kamera.checked(), ticked);
        }
    }

    // Ticked: half a second into every turn the vehicle whose turn it is
    // stands in view, and every shell is in view while over the battlefield
    // (from its second tick: the first draws it at the launch reference).
    // The view never leaves the battlefield.
    void followsEveryTurnAndShell_data() { addEditionRows(); }
    void followsEveryTurnAndShell()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        Clock clock(*g);
        clickCameraBox(g->Form1());
        startFourPlayers(g);
        BattleWindow& b = g->Battle();
        QVERIFY(b.kamera.enabled());
        if (g->windEdition()) {
            // The wind edition's vehicles start in view: move two far off.
            b.Image2.move(13800, 9000);
            b.mob4.move(12000, 10500);
        }

        // Turns whose vehicle started out of view (the view often ends a
        // shot where the shell fell, near the next vehicle).
        int farAway = 0;
        int shellsFollowed = 0;
        for (int turn = 0; turn < 8; ++turn) {
            const std::optional<int> slot = awaitTurn(g, clock);
            if (!slot)
                break;
            ui::Sprite& car = *b.vehicle[*slot];
            farAway += inView(b, car) ? 0 : 1;
            clock.advance(500);
            QVERIFY2(inView(b, car), qPrintable(QStringLiteral("turn %1, player %2").arg(turn).arg(*slot + 1)));
            QVERIFY(battlefieldCoversView(b));
            QVERIFY(b.kamera.asleep());

            // Powers that vary from turn to turn.
            fireWith(g->player(*slot), clock, 300 + 200 * turn, 900 - 100 * turn);
            bool followed = false;
            for (int ms = 0; ms < 20000 && b.Timer1.enabled(); ms += 1) {
                clock.advance(1, [&] {
                    const bool arc = numtext::readDouble(b.Text1.text()) >= -280;
                    if (b.Timer1.enabled() && arc && overBattlefield(b, b.Image1)) {
                        QVERIFY2(inView(b, b.Image1), qPrintable(QStringLiteral("turn %1").arg(turn)));
                        followed = true;
                    }
                });
                QVERIFY(battlefieldCoversView(b));
            }
            QVERIFY(!b.Timer1.enabled());
            shellsFollowed += followed ? 1 : 0;
            if (b.Frame3.isShown())
                break;  // the match is over
        }
        QVERIFY(farAway >= 1);
        QVERIFY(shellsFollowed >= 3);
    }

    // A scroll by an edge button rests the camera for the rest of the turn:
    // the view stays where the player left it, the shell is not followed.
    // The next turn brings the camera back.
    void scrollByHandRestsItUntilTheNextTurn()
    {
        TestGame g;
        Clock clock(*g);
        clickCameraBox(g->Form1());
        startDuel(g);
        BattleWindow& b = g->Battle();
        QCOMPARE(awaitTurn(g, clock), std::optional<int>(0));

        QTest::mouseClick(b.frame4.widget(), Qt::LeftButton);  // right
        clock.advance(300);
        b.pointerMove(30, 30);  // the pointer back over the bare window
        const double scrolledLeft = b.Picture1.left();
        QVERIFY(scrolledLeft < 0);
        QVERIFY(!inView(b, b.Image3));
        clock.advance(500);
        QCOMPARE(b.Picture1.left(), scrolledLeft);
        QCOMPARE(b.Picture1.top(), 0.0);

        // Far and high: the shell leaves the view, the view stays.
        fireWith(g->player(0), clock, 1500, 600);
        for (int ms = 0; ms < 20000 && b.Timer1.enabled(); ++ms) {
            clock.advance(1);
            QCOMPARE(b.Picture1.left(), scrolledLeft);
            QCOMPARE(b.Picture1.top(), 0.0);
        }

        // The next turn, player 2's far to the right, brings the camera back.
        QCOMPARE(awaitTurn(g, clock), std::optional<int>(1));
        QVERIFY(!inView(b, b.Image2));
        clock.advance(500);
        QVERIFY(inView(b, b.Image2));
    }

    // C, on the battle window or a panel, centres the view on the vehicle
    // whose turn it is with the box clear; until then the camera never ran.
    void keyCCentresWithTheBoxClear_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<bool>("onPanel");
        QTest::newRow("full game, battle window") << Edition::Full << false;
        QTest::newRow("full game, panel") << Edition::Full << true;
        QTest::newRow("wind edition, battle window") << Edition::Wind << false;
        QTest::newRow("wind edition, panel") << Edition::Wind << true;
    }
    void keyCCentresWithTheBoxClear()
    {
        QFETCH(Edition, edition);
        QFETCH(bool, onPanel);
        TestGame g(edition);
        Clock clock(*g);
        startFourPlayers(g);
        BattleWindow& b = g->Battle();
        const std::optional<int> slot = awaitTurn(g, clock);
        QVERIFY(slot);
        QVERIFY(!b.kamera.enabled());
        QCOMPARE(b.kamera1.caption(), QStringLiteral("mati"));
        const QString before = b.kamera2.caption();

        // The view where a scroll could have left it, the vehicle out of it.
        b.Picture1.move(-3300, -3000);
        const ui::Sprite& car = *b.vehicle[*slot];
        QWidget* focus = onPanel ? g->player(*slot).Command1.widget() : b.Command1.widget();
        QTest::keyClick(focus, Qt::Key_C);
        QVERIFY(b.kamera.enabled());
        clock.advance(500);

        const double wantLeft = std::clamp(b.clientWidth() / 2 - (car.left() + car.width() / 2),
                                           b.clientWidth() - b.Picture1.width(), 0.0);
        const double wantTop = std::clamp(b.clientHeight() / 2 - (car.top() + car.height() / 2),
                                          b.clientHeight() - b.Picture1.height(), 0.0);
        QCOMPARE(b.Picture1.left(), wantLeft);
        QCOMPARE(b.Picture1.top(), wantTop);
        QVERIFY(inView(b, car));
        QVERIFY(!b.kamera.enabled());
        QCOMPARE(b.kamera2.caption(), before);
    }
};

QTEST_MAIN(TestCamera)
#include "test_camera.moc"
