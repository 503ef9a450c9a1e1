// The diagnostic tick observer: it hears exactly the ticks whose handler runs,
// before the handler, and costs nothing once removed.
#include "ui/timer.h"
#include "ui/window.h"

#include <QtTest>

namespace {

class TwoTimers : public ui::Window {
public:
    TwoTimers()
        : ui::Window(QStringLiteral("Timers"), 3000, 3000)
        , Timer1(*this, QStringLiteral("Timer1"), 30, true, [this] { run(QStringLiteral("Timer1")); })
        , Timer2(*this, QStringLiteral("Timer2"), 1, false, [this] { run(QStringLiteral("Timer2")); })
    {
    }

    ui::Timer Timer1;
    ui::Timer Timer2;
    QStringList events;
    std::function<void()> during;

private:
    void run(const QString& name)
    {
        events << QStringLiteral("run ") + name;
        if (during)
            during();
    }
};

} // namespace

class TestTickObserver : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::Timer::setManualTicking(true); }
    void cleanup() { ui::Timer::setTickObserver({}); }

    void seesEachRunningTickBeforeItsHandler()
    {
        TwoTimers w;
        ui::Timer::setTickObserver([&](const ui::Timer& t) { w.events << QStringLiteral("seen ") + t.name(); });
        w.Timer1.tick();
        w.Timer2.tick();  // stopped: no tick, nothing seen
        w.Timer2.start();
        w.Timer2.tick();
        QCOMPARE(w.events, (QStringList{QStringLiteral("seen Timer1"), QStringLiteral("run Timer1"),
                                        QStringLiteral("seen Timer2"), QStringLiteral("run Timer2")}));
    }

    void ticksThatDoNotRunAreNotSeen()
    {
        TwoTimers w;
        int seen = 0;
        ui::Timer::setTickObserver([&](const ui::Timer&) { ++seen; });
        // A handler that ticks its own timer again is not re-entered.
        w.during = [&] { w.Timer1.tick(); };
        w.Timer1.tick();
        QCOMPARE(seen, 1);
        QCOMPARE(w.events.size(), 1);

        // Removed: ticks run as before and nothing is seen.
        ui::Timer::setTickObserver({});
        w.during = nullptr;
        w.Timer1.tick();
        QCOMPARE(seen, 1);
        QCOMPARE(w.events.size(), 2);
    }
};

QTEST_MAIN(TestTickObserver)
#include "test_tick_observer.moc"
