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

// A change to something a sleeping task reads, and the check of what the
// task does at its next tick.
struct Wake {
    std::function<void(TestGame&)> change;
    std::function<void(TestGame&)> check;
};

// Makes the change, which must wake the sleeping task, then ticks the task
// once and checks what it did.
void wakeAndTick(TestGame& g, ui::Timer& task, const Wake& wake)
{
    wake.change(g);
    QVERIFY(!task.asleep());
    task.tick();
    wake.check(g);
}

enum class BattleInput { Resize, VehicleTagEmptied, MarkerWritten, DamageCaptionSet, FlightStopped, EnergyBarMoved };

} // namespace

Q_DECLARE_METATYPE(Wake)
Q_DECLARE_METATYPE(BattleInput)

class TestSleepingTimers : public QObject {
    Q_OBJECT

private slots:
    void aTaskSleepsAfterAnIdleTickAndWakesOnWhatItReadOrWrote_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("wakes");
        QTest::newRow("the label it reads") << 0 << true;
        QTest::newRow("the label it writes") << 1 << true;
        QTest::newRow("a label it does not touch") << 2 << false;
        QTest::newRow("its own window's caption") << 3 << false;
    }
    void aTaskSleepsAfterAnIdleTickAndWakesOnWhatItReadOrWrote()
    {
        QFETCH(int, change);
        QFETCH(bool, wakes);
        ui::Timer::setManualTicking(true);
        CopyWindow w;
        w.copy.tick();
        QVERIFY(!w.copy.asleep()); // it copied "a"
        w.copy.tick();
        QVERIFY(w.copy.asleep());
        QVERIFY(w.copy.enabled());

        if (change == 0)
            w.from.setCaption(QStringLiteral("new"));
        else if (change == 1)
            w.to.setCaption(QStringLiteral("scribbled"));
        else if (change == 2)
            w.other.setCaption(QStringLiteral("new"));
        else
            w.setCaption(QStringLiteral("new title"));
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
        QTest::addColumn<BattleInput>("input");
        QTest::newRow("resize") << BattleInput::Resize;
        QTest::newRow("a vehicle tag emptied") << BattleInput::VehicleTagEmptied;
        QTest::newRow("the turn marker written") << BattleInput::MarkerWritten;
        QTest::newRow("a damage label's caption set") << BattleInput::DamageCaptionSet;
        QTest::newRow("the flight over") << BattleInput::FlightStopped;
        QTest::newRow("an energy bar moved") << BattleInput::EnergyBarMoved;
    }
    void upkeepWakesOnEveryInputItReads()
    {
        QFETCH(BattleInput, input);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();
        b.dm3.setCaption(QStringLiteral("25"));
        b.Timer1.start();
        QVERIFY(tickUntilAsleep(b.tagselamat));

        switch (input) {
        case BattleInput::Resize:
            b.setClientSize(9000, 6000);
            break;
        case BattleInput::VehicleTagEmptied:
            b.mob3.setTag(QString());
            break;
        case BattleInput::MarkerWritten:
            g->setTurnMarker(QStringLiteral("2"));
            break;
        case BattleInput::DamageCaptionSet:
            b.dm1.setCaption(QStringLiteral("40"));
            break;
        case BattleInput::FlightStopped:
            b.Timer1.stop();
            break;
        case BattleInput::EnergyBarMoved:
            b.ProgressBar3.move(3000, 3000);
            break;
        }
        QVERIFY(!b.tagselamat.asleep());
        b.tagselamat.tick();

        // The one tick after waking does what the upkeep always does.
        switch (input) {
        case BattleInput::Resize:
            QCOMPARE(b.frame4.left(), b.outerWidth() - b.frame4.width());
            QCOMPARE(b.frame1.height(), b.outerHeight());
            break;
        case BattleInput::VehicleTagEmptied:
            QCOMPARE(b.mob3.tag(), QStringLiteral("0"));
            break;
        case BattleInput::MarkerWritten:
            QCOMPARE(b.caption(), QStringLiteral("2"));
            break;
        case BattleInput::DamageCaptionSet:
            QVERIFY(b.dm1.visible());
            break;
        case BattleInput::FlightStopped:
            QCOMPARE(b.dm3.top(), 1800.0 - 50);
            break;
        case BattleInput::EnergyBarMoved:
            QCOMPARE(b.sp2.left(), 3000.0);
            QCOMPARE(b.sp2.top(), 3000.0 + b.ProgressBar3.height());
            break;
        }
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
        QCOMPARE(b.dm2.top(), -360.0);
    }

    // ---- Scrolling ----

    void scrollTaskWakesOnAnEdgeButtonClick()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(b.widget()));
        QVERIFY(tickUntilAsleep(b.scrol, 1));
        QCOMPARE(b.Picture1.left(), 0.0);

        QTest::mouseMove(b.frame4.widget(), QPoint(5, 20));
        QTest::mouseClick(b.frame4.widget(), Qt::LeftButton, {}, QPoint(5, 20));
        QVERIFY(!b.scrol.asleep());
        b.scrol.tick();
        QCOMPARE(b.Picture1.left(), -100.0);

        // A pointer move over the bare window ends it: one idle tick, asleep.
        QTest::mouseMove(b.widget(), QPoint(400, 300));
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        QVERIFY(tickUntilAsleep(b.scrol, 1));
    }

    // ---- Name plates, the scheduler, and tasks that never sleep ----

    void namePlatesSleepBetweenTurnsAndWakeOnMarkerNameOrScore_data()
    {
        QTest::addColumn<Wake>("wake");
        QTest::newRow("the turn marker written")
            << Wake{[](TestGame& g) { g->setTurnMarker(QStringLiteral("1")); },
                    [](TestGame& g) {
                        BattleWindow& b = g->Battle();
                        QVERIFY(!b.name2.visible()); // blinking
                        // During a turn the plate blinks: awake at every tick.
                        for (int i = 0; i < 6; ++i) {
                            b.Timer2.tick();
                            QVERIFY(!b.Timer2.asleep());
                        }
                    }};
        QTest::newRow("a score changed")
            << Wake{[](TestGame& g) { g->Score().Text2q.setText(QStringLiteral("300")); },
                    [](TestGame& g) { QVERIFY(g->Battle().name2.caption().endsWith(QStringLiteral("(Lv.3)"))); }};
        QTest::newRow("a name changed")
            << Wake{[](TestGame& g) { g->player(1).setCaption(QStringLiteral("Rina")); },
                    [](TestGame& g) { QVERIFY(g->Battle().name2.caption().startsWith(QStringLiteral("Rina"))); }};
        QTest::newRow("a vehicle moved") << Wake{[](TestGame& g) { g->Battle().Image2.move(9000, 4000); },
                                                 [](TestGame& g) { QCOMPARE(g->Battle().name2.left(), 9000.0); }};
    }
    void namePlatesSleepBetweenTurnsAndWakeOnMarkerNameOrScore()
    {
        QFETCH(Wake, wake);
        TestGame g;
        startDuel(g);
        BattleWindow& b = g->Battle();
        // Four players: in a duel the plates of the two vehicles that are out
        // are shown and hidden again at every tick between turns.
        b.mob3.show();
        b.mob4.show();
        g->setTurnMarker(QStringLiteral("-1"));
        QVERIFY(tickUntilAsleep(b.Timer2, 3));
        wakeAndTick(g, b.Timer2, wake);
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
        b.timersp.tick();
        QCOMPARE(b.ps2.value(), 1.0f);
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
        // A glide to a target, and a shell in flight.
        g->setTurnMarker(QStringLiteral("0"));
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

    void scoreBoardSleepsAndWakesOnANameOrAScore_data()
    {
        QTest::addColumn<Wake>("wake");
        QTest::newRow("a name typed on the setup window")
            << Wake{[](TestGame& g) { g->Form1().nameField[2]->type(QStringLiteral("Bayu")); },
                    [](TestGame& g) { QCOMPARE(g->Score().Text3.text(), QStringLiteral("Bayu")); }};
        QTest::newRow("a panel's score")
            << Wake{[](TestGame& g) { g->player(3).score1.setCaption(QStringLiteral("150")); },
                    [](TestGame& g) { QCOMPARE(g->Score().Text4q.text(), QStringLiteral("150")); }};
        QTest::newRow("a score typed into the board")
            << Wake{[](TestGame& g) { g->Score().Text1q.type(QStringLiteral("999")); },
                    [](TestGame& g) { QCOMPARE(g->Score().Text1q.text(), g->player(0).score1.caption()); }};
    }
    void scoreBoardSleepsAndWakesOnANameOrAScore()
    {
        QFETCH(Wake, wake);
        TestGame g;
        startDuel(g);
        ScoreWindow& score = g->Score();
        QVERIFY(tickUntilAsleep(score.Timer1, 3));
        wakeAndTick(g, score.Timer1, wake);
        QVERIFY(tickUntilAsleep(score.Timer1, 1));
    }
};

QTEST_MAIN(TestSleepingTimers)
#include "test_sleeping_timers.moc"
