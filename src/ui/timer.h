#pragma once

#include <QString>
#include <functional>

class QTimer;

namespace ui {

class Window;

// How often the clock really ticks a timer of the given interval (ms): the
// interval itself, but never more often than every 16 ms.
int clockIntervalFor(int intervalMs);

// A named periodic task of a window. Its handler runs on the user-interface
// thread; while a message is open no timer ticks, and a handler is never
// entered again while it is still running.
class Timer {
public:
    Timer(Window& owner, QString name, int intervalMs, bool enabled, std::function<void()> handler);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const QString& name() const { return name_; }
    int interval() const { return intervalMs_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }

    // Runs one tick now, under the same rules as a tick from the clock: a
    // stopped timer does not tick. Tests step the game with it.
    void tick();

    // In manual mode no clock ever fires: tests tick timers by hand.
    static void setManualTicking(bool manual);

    // Diagnostics: an observer told just before the handler of every tick
    // that runs (from the clock or by hand), for measuring tick timing. One
    // observer for all timers; an empty function removes it.
    using TickObserver = std::function<void(const Timer&)>;
    static void setTickObserver(TickObserver observer);

private:
    void applyClock();

    QString name_;
    int intervalMs_;
    bool enabled_;
    bool running_ = false;
    std::function<void()> handler_;
    QTimer* clock_;
};

} // namespace ui
