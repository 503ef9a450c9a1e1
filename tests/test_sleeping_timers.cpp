// Sleeping timers: a periodic task whose tick changed nothing sleeps, and it
// wakes on every input it reads, after which its next tick does what it always
// did. The ui layer's rule first, then each task of the battle window and the
// score board.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"
#include "ui/controls.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace {

// Ticks until the timer has gone to sleep; false if it never does.
bool tickUntilAsleep(ui::Timer& timer, int most = 200)
{
    for (int i = 0; i < most && !timer.asleep(); ++i)
        timer.tick();
    return timer.asleep();
}

// The clock behind a timer.
QTimer* clockOf(ui::Window& window, const ui::Timer& timer)
{
    return window.widget()->findChild<QTimer*>(timer.name());
}

// A window whose timer copies one label's caption into another.
struct CopyWindow : ui::Window {
    CopyWindow()
        : ui::Window(QStringLiteral("copy"), 3000, 3000)
    {
    }
    ui::Label from{*this, QStringLiteral("a"), {0, 0, 600, 300}};
    ui::Label to{*this, QStringLiteral("b"), {0, 300, 600, 300}};
    ui::Label other{*this, QStringLiteral("c"), {0, 600, 600, 300}};
    bool outside = false;  // state the ui layer does not see
    int ticks = 0;
    ui::Timer copy{*this, QStringLiteral("copy"), 30, true, [this] {
                       ++ticks;
                       to.setCaption(outside ? QStringLiteral("outside") : from.caption());
                   }};
};

// A change made to a window's fields, in a data row.
using CopyChange = std::function<void(CopyWindow&)>;
using Change = std::function<void(TestGame&)>;

// Makes the change, which must wake the sleeping task. What the task then
// does is for its own tests (test_upkeep, test_name_plates, ...) to check.
void wakeBy(TestGame& g, ui::Timer& task, const Change& change)
{
    QVERIFY(task.asleep());
    change(g);
    QVERIFY(!task.asleep());
}

} // namespace

Q_DECLARE_METATYPE(CopyChange)
Q_DECLARE_METATYPE(Change)

class TestSleepingTimers : public QObject {
    Q_OBJECT

private slots:
    void aTaskSleepsAfterAnIdleTickAndWakesOnWhatItReadOrWrote_data()
    {
        QTest::addColumn<CopyChange>("change");
        QTest::addColumn<bool>("wakes");
        QTest::newRow("the label it reads")
            << CopyChange{[](CopyWindow& w) { w.from.setCaption(QStringLiteral("new")); }} << true;
        QTest::newRow("the label it writes")
            << CopyChange{[](CopyWindow& w) { w.to.setCaption(QStringLiteral("scribbled")); }} << true;
        QTest::newRow("a label it does not touch")
            << CopyChange{[](CopyWindow& w) { w.other.setCaption(QStringLiteral("new")); }} << false;
        QTest::newRow("its own window's caption")
            << CopyChange{[](CopyWindow& w) { w.setCaption(QStringLiteral("new title")); }} << false;
    }
    void aTaskSleepsAfterAnIdleTickAndWakesOnWhatItReadOrWrote()
    {
        QFETCH(CopyChange, change);
        QFETCH(bool, wakes);
        ui::Timer::setManualTicking(true);
        CopyWindow w;
        w.copy.tick();
        QVERIFY(!w.copy.asleep()); // it copied "a"
        w.copy.tick();
        QVERIFY(w.copy.asleep());
        QVERIFY(w.copy.enabled());

        change(w);
        QCOMPARE(!w.copy.asleep(), wakes);

        // A tick by hand always runs, asleep or not.
        const int before = w.ticks;
        w.copy.tick();
        QCOMPARE(w.ticks, before + 1);
        QCOMPARE(w.to.caption(), w.from.caption());
    }

    void theClockStopsWhileAsleepAndTakesUpItsBeatOnWaking()
    {
        ui::Timer::setManualTicking(false);
        CopyWindow w;
        QTimer* clock = clockOf(w, w.copy);
        QVERIFY(clock);
        QVERIFY(clock->isActive());
        tickTimes(w.copy, 2);
        QVERIFY(w.copy.asleep());
        QVERIFY(!clock->isActive());

        w.from.setCaption(QStringLiteral("new"));
        QVERIFY(clock->isActive());
        QVERIFY(clock->interval() <= 30); // the rest of the beat, not a fresh one

        // Stopped while asleep, and started again: awake with a whole beat.
        tickTimes(w.copy, 2);
        QVERIFY(w.copy.asleep());
        w.copy.stop();
        QVERIFY(!w.copy.asleep());
        w.copy.start();
        QVERIFY(clock->isActive());
        QCOMPARE(clock->interval(), 30);
        ui::Timer::setManualTicking(true);
    }

    // Stopped while asleep and started again, a task is off the list of
    // sleepers; asleep again it is on it once, and one wake-up takes up one
    // beat.
    void aTaskStoppedWhileAsleepIsOnTheSleepersListOnce()
    {
        ui::Timer::setManualTicking(false);
        CopyWindow w;
        QTimer* clock = clockOf(w, w.copy);
        tickTimes(w.copy, 2);
        QVERIFY(w.copy.asleep());
        QCOMPARE(w.copy.sleepingListEntries(), 1);

        w.copy.stop();
        QCOMPARE(w.copy.sleepingListEntries(), 0);
        w.copy.start();
        QCOMPARE(w.copy.sleepingListEntries(), 0);
        w.copy.tick();
        QVERIFY(w.copy.asleep());
        QCOMPARE(w.copy.sleepingListEntries(), 1);
        QVERIFY(!clock->isActive());

        ui::Timer::wakeAll();
        QCOMPARE(w.copy.sleepingListEntries(), 0);
        QVERIFY(!w.copy.asleep());
        QVERIFY(clock->isActive());
        QVERIFY(clock->interval() <= 30);
        const int before = w.ticks;
        w.copy.tick();
        QCOMPARE(w.ticks, before + 1);
        QCOMPARE(w.copy.sleepingListEntries(), 1);
        ui::Timer::setManualTicking(true);
    }

    void theCheckingModeNamesASleepingTaskWhoseTickChangedSomething()
    {
        ui::Timer::setManualTicking(true);
        QStringList failures;
        ui::Timer::setSleepChecking([&failures](const QString& failure) { failures << failure; });
        CopyWindow w;
        tickTimes(w.copy, 5);
        QVERIFY(w.copy.asleep());
        QVERIFY(failures.isEmpty()); // idle ticks of a sleeping task pass

        w.outside = true; // the ui layer cannot see this: nothing wakes the task
        QVERIFY(w.copy.asleep());
        w.copy.tick();
        ui::Timer::setSleepChecking(nullptr);
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures[0].contains(QStringLiteral("timer copy")), qPrintable(failures[0]));
        QVERIFY2(failures[0].contains(QStringLiteral("caption of QLabel \"outside\"")), qPrintable(failures[0]));
        QVERIFY(!w.copy.asleep());
    }

    // ---- The battle window's upkeep ----

    void upkeepWakesOnEveryInputItReads_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("resize") << Change{[](TestGame& g) { g->Battle().setClientSize(9000, 6000); }};
        QTest::newRow("a vehicle tag emptied") << Change{[](TestGame& g) { g->Battle().mob3.setTag(QString()); }};
        QTest::newRow("the turn marker written") << Change{[](TestGame& g) { g->setTurnMarker(QStringLiteral("2")); }};
        QTest::newRow("a damage label's caption set")
            << Change{[](TestGame& g) { g->Battle().dm1.setCaption(QStringLiteral("40")); }};
        QTest::newRow("the flight over") << Change{[](TestGame& g) { g->Battle().Timer1.stop(); }};
        QTest::newRow("an energy bar moved") << Change{[](TestGame& g) { g->Battle().ProgressBar3.move(3000, 3000); }};
    }
    void upkeepWakesOnEveryInputItReads()
    {
        QFETCH(Change, change);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();
        b.dm3.setCaption(QStringLiteral("25"));
        b.Timer1.start();
        QVERIFY(tickUntilAsleep(b.tagselamat));
        wakeBy(g, b.tagselamat, change);
    }

    void risingDamageLabelsKeepTheUpkeepAwakeUntilTheyAreGone()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.dm2.setCaption(QStringLiteral("40"));
        for (ui::Label* label : b.damageLabel)
            label->setTop(140); // bottom at 500: ten steps of 50
        for (int step = 1; step <= 10; ++step) {
            b.tagselamat.tick();
            QVERIFY(!b.tagselamat.asleep());
        }
        QCOMPARE(b.dm2.top(), -360.0);
        b.tagselamat.tick();
        QVERIFY(b.tagselamat.asleep());
    }

    // ---- Scrolling ----

    void scrollTaskWakesOnAnEdgeButtonClick()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(b.widget()));
        QVERIFY(tickUntilAsleep(b.scrol, 1));

        QTest::mouseMove(b.frame4.widget(), QPoint(5, 20));
        QTest::mouseClick(b.frame4.widget(), Qt::LeftButton, {}, QPoint(5, 20));
        QVERIFY(!b.scrol.asleep());
        b.scrol.tick();

        // A pointer move over the bare window ends it: one idle tick, asleep.
        QTest::mouseMove(b.widget(), QPoint(400, 300));
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        QVERIFY(tickUntilAsleep(b.scrol, 1));
    }

    // ---- Name plates, the scheduler, and tasks that never sleep ----

    void namePlatesSleepBetweenTurnsAndWakeOnMarkerNameOrScore_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("the turn marker written") << Change{[](TestGame& g) { g->setTurnMarker(QStringLiteral("1")); }};
        QTest::newRow("a score changed")
            << Change{[](TestGame& g) { g->Score().Text2q.setText(QStringLiteral("300")); }};
        QTest::newRow("a name changed")
            << Change{[](TestGame& g) { g->player(1).setCaption(QStringLiteral("Rina")); }};
        QTest::newRow("a vehicle moved") << Change{[](TestGame& g) { g->Battle().Image2.move(9000, 4000); }};
    }
    void namePlatesSleepBetweenTurnsAndWakeOnMarkerNameOrScore()
    {
        QFETCH(Change, change);
        TestGame g;
        // Four players between turns; in a duel the plates of the two vehicles
        // that are out would be shown and hidden again at every tick.
        setUpMatch(g, {true, true, true, true}, -1);
        QVERIFY(tickUntilAsleep(g->Battle().Timer2, 3));
        wakeBy(g, g->Battle().Timer2, change);
    }

    void schedulerSleepsWithNoGaugeToFillAndWakesOnAVehicleShown()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        for (ui::Sprite* vehicle : b.vehicle)
            vehicle->hide();
        QVERIFY(tickUntilAsleep(b.timersp, 2));
        b.Image2.show();
        QVERIFY(!b.timersp.asleep());
        b.timersp.tick(); // the gauge fills: awake
        QVERIFY(!b.timersp.asleep());
    }

    void tasksThatChangeSomethingAtEveryTickNeverSleep()
    {
        TestGame g;
        startDuel(g);
        BattleWindow& b = g->Battle();
        for (int i = 0; i < 12; ++i) {
            b.Tangin.tick();
            QVERIFY(!b.Tangin.asleep());
        }
        // The current player's blinking plate, a glide to a target, and a
        // shell in flight.
        g->setTurnMarker(QStringLiteral("0"));
        for (int i = 0; i < 6; ++i) {
            b.Timer2.tick();
            QVERIFY(!b.Timer2.asleep());
        }
        b.Image3.setTag(QString::number(b.Image3.left() + 500));
        b.Timer4.start();
        while (b.Timer4.enabled()) {
            b.Timer4.tick();
            QVERIFY(!b.Timer4.asleep());
        }
        fire(g->player(0), 20, 20);
        QVERIFY(b.Timer1.enabled());
        for (int i = 0; i < 20 && b.Timer1.enabled(); ++i) {
            b.Timer1.tick();
            QVERIFY(!b.Timer1.asleep());
        }
    }

    // ---- The score board ----

    // Woken, the board copies once and sleeps again.
    void scoreBoardSleepsAndWakesOnANameOrAScore_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("a name typed on the setup window")
            << Change{[](TestGame& g) { g->Form1().nameField[2]->type(QStringLiteral("Bayu")); }};
        QTest::newRow("a panel's score")
            << Change{[](TestGame& g) { g->player(3).score1.setCaption(QStringLiteral("150")); }};
        QTest::newRow("a score typed into the board")
            << Change{[](TestGame& g) { g->Score().Text1q.type(QStringLiteral("999")); }};
    }
    void scoreBoardSleepsAndWakesOnANameOrAScore()
    {
        QFETCH(Change, change);
        TestGame g;
        startDuel(g);
        ui::Timer& copy = g->Score().Timer1;
        QVERIFY(tickUntilAsleep(copy, 3));
        wakeBy(g, copy, change);
        copy.tick();
        QVERIFY(tickUntilAsleep(copy, 1));
    }
};

QTEST_MAIN(TestSleepingTimers)
#include "test_sleeping_timers.moc"
