#pragma once

#include "ui/watch.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <vector>

class QTimer;

namespace ui {

class Window;

// How often the clock really ticks a timer of the given interval (ms): the
// interval itself, but never more often than every 16 ms.
int clockIntervalFor(int intervalMs);

// A named periodic task of a window. Its handler runs on the user-interface
// thread; while a message is open no timer ticks, and a handler is never
// entered again while it is still running.
//
// A tick that changes nothing puts the timer to sleep: it stays enabled, but
// its clock stops until something the tick read (a field, a window, another
// timer's enabled flag) really changes. Then the clock takes up its beat
// again, so the next tick comes when it would have come had the clock never
// stopped. Every tick that runs is the same as without sleeping; the ticks
// left out are ticks that would have changed nothing. A tick by hand always
// runs.
class Timer : public Watched {
public:
    Timer(Window& owner, QString name, int intervalMs, bool enabled, std::function<void()> handler);
    ~Timer() override;

    const QString& name() const { return name_; }
    int interval() const { return intervalMs_; }
    bool enabled() const { return readKept(enabled_); }
    void setEnabled(bool enabled);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }

    // Enabled, but its last tick changed nothing and nothing it read has
    // changed since: its clock waits.
    bool asleep() const { return asleep_; }
    // Wakes every sleeping timer of the program: for a change that no field
    // or window holds, such as a window made or gone, which a task may have
    // read as "no battle yet".
    static void wakeAll();
    // Diagnostics: how often the program's list of sleeping timers holds
    // this one; 1 while asleep, 0 otherwise.
    int sleepingListEntries() const;

    // Runs one tick now, under the same rules as a tick from the clock: a
    // stopped timer does not tick. Tests step the game with it.
    void tick();

    // In manual mode no clock ever fires: tests tick timers by hand.
    static void setManualTicking(bool manual);

    // Checking mode, for tests and the soak: a sleeping timer's clock keeps
    // running, and every tick of a sleeping timer (from the clock or by hand)
    // must change nothing; one that does is reported to `onFailure` with the
    // timer and what it changed, and wakes the timer. An empty function
    // switches it off. Set it before the windows are made: it decides whether
    // a falling-asleep clock stops.
    using SleepCheckFailure = std::function<void(const QString& message)>;
    static void setSleepChecking(SleepCheckFailure onFailure);

    // Diagnostics: an observer told just before the handler of every tick
    // that runs (from the clock or by hand), for measuring tick timing. One
    // observer for all timers; an empty function removes it.
    using TickObserver = std::function<void(const Timer&)>;
    static void setTickObserver(TickObserver observer);

    QString describe() const override;

private:
    friend class Watched;
    void clockTick();
    void startClock();
    void sleepOn(const std::vector<const Watched*>& reads);
    void wake();
    void forgetReads();

    Window& owner_;
    QString name_;
    int intervalMs_;
    bool enabled_;
    bool running_ = false;
    bool asleep_ = false;
    // While asleep: what its last tick read, each holding it as a sleeper.
    std::vector<const Watched*> watching_;
    // Since the clock's last beat, to take the beat up again on waking; and
    // whether the clock runs a shortened first interval to do so.
    QElapsedTimer sinceBeat_;
    bool realigning_ = false;
    std::function<void()> handler_;
    QTimer* clock_;
};

} // namespace ui
