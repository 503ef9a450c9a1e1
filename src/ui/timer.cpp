#include "ui/timer.h"

#include "ui/message_box.h"
#include "ui/window.h"

#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace ui {
namespace {
bool manualMode = false;
Timer::TickObserver tickObserver;

// The clock runs at the desktop timer resolution the game's pace was made
// for: 1/64 s. A task asking for less than that (the 1 ms upkeep and turn
// gauges) ticks every 16 ms, so rising damage numbers stay readable and turn
// gauges fill at a pace a player can follow. Longer intervals keep their
// exact value.
constexpr int kClockResolutionMs = 16;
}

int clockIntervalFor(int intervalMs) { return std::max(intervalMs, kClockResolutionMs); }

Timer::Timer(Window& owner, QString name, int intervalMs, bool enabled, std::function<void()> handler)
    : name_(std::move(name))
    , intervalMs_(intervalMs)
    , enabled_(enabled)
    , handler_(std::move(handler))
    , clock_(new QTimer(owner.widget()))
{
    clock_->setObjectName(name_);
    clock_->setTimerType(Qt::PreciseTimer);
    clock_->setInterval(clockIntervalFor(intervalMs_));
    QObject::connect(clock_, &QTimer::timeout, clock_, [this] { tick(); });
    owner.registerTimer(*this);
    applyClock();
}

Timer::~Timer()
{
    // The clock belongs to the window's widget; stop it so that no tick can
    // reach a timer that is gone.
    if (clock_)
        clock_->stop();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    applyClock();
}

void Timer::applyClock()
{
    if (enabled_ && !manualMode)
        clock_->start();
    else
        clock_->stop();
}

void Timer::tick()
{
    if (!enabled_ || running_ || messageOpen())
        return;
    running_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{running_};
    if (tickObserver)
        tickObserver(*this);
    handler_();
}

void Timer::setManualTicking(bool manual) { manualMode = manual; }
void Timer::setTickObserver(TickObserver observer) { tickObserver = std::move(observer); }

} // namespace ui
