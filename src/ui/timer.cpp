#include "ui/timer.h"

#include "ui/message_box.h"
#include "ui/window.h"

#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>

namespace ui {
namespace {
// Every timer asleep now, for the changes that no field or window holds.
std::vector<Timer*>& sleepingTimers()
{
    static std::vector<Timer*> timers;
    return timers;
}
bool manualMode = false;
Timer::TickObserver tickObserver;
Timer::SleepCheckFailure sleepCheck;
std::uint64_t lastRecordId = 0;

// The clock runs at the desktop timer resolution the game's pace was made
// for: 1/64 s. A task asking for less than that (the 1 ms upkeep and turn
// gauges) ticks every 16 ms, so rising damage numbers stay readable and turn
// gauges fill at a pace a player can follow. Longer intervals keep their
// exact value.
constexpr int kClockResolutionMs = 16;
}

int clockIntervalFor(int intervalMs) { return std::max(intervalMs, kClockResolutionMs); }

Timer::Timer(Window& owner, QString name, int intervalMs, bool enabled, std::function<void()> handler)
    : owner_(owner)
    , name_(std::move(name))
    , intervalMs_(intervalMs)
    , enabled_(enabled)
    , handler_(std::move(handler))
    , clock_(new QTimer(owner.widget()))
{
    clock_->setObjectName(name_);
    clock_->setTimerType(Qt::PreciseTimer);
    clock_->setInterval(clockIntervalFor(intervalMs_));
    QObject::connect(clock_, &QTimer::timeout, clock_, [this] { clockTick(); });
    owner.registerTimer(*this);
    if (enabled_)
        startClock();
}

Timer::~Timer()
{
    std::erase(sleepingTimers(), this);
    forgetReads();
    // The clock belongs to the window's widget; stop it so that no tick can
    // reach a timer that is gone.
    if (clock_)
        clock_->stop();
}

void Timer::setEnabled(bool enabled)
{
    noteRead();
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    // Stopped or started afresh, it is awake, and off the list of sleepers:
    // the next time it falls asleep puts it there once.
    if (asleep_)
        std::erase(sleepingTimers(), this);
    asleep_ = false;
    forgetReads();
    noteChange("enabled flag");
    if (enabled_)
        startClock();
    else
        clock_->stop();
}

void Timer::startClock()
{
    if (manualMode) {
        clock_->stop();
        return;
    }
    realigning_ = false;
    clock_->setInterval(clockIntervalFor(intervalMs_));
    clock_->start();
    sinceBeat_.start();
}

void Timer::clockTick()
{
    sinceBeat_.start();
    if (realigning_) {
        // The shortened interval that took up the beat is over: back to the
        // whole interval, counted from now.
        realigning_ = false;
        clock_->setInterval(clockIntervalFor(intervalMs_));
    }
    tick();
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

    // A tick of a sleeping timer is one the clock would have left out.
    const bool checked = asleep_ && sleepCheck;
    if (checked)
        describeFirstChange(true);
    const std::uint64_t changesBefore = changeCount();
    std::vector<const Watched*> reads;
    {
        detail::ReadRecord record{++lastRecordId, {}, detail::currentRecord};
        detail::currentRecord = &record;
        struct Restore {
            detail::ReadRecord& record;
            ~Restore()
            {
                // What an inner tick read, its outer tick read too.
                detail::currentRecord = record.outer;
                if (record.outer)
                    for (const Watched* read : record.reads)
                        read->recordRead();
            }
        } restore{record};
        handler_();
        reads = record.reads;
    }
    const bool changed = changeCount() != changesBefore;
    QString change;
    if (checked) {
        change = firstChangeDescription();
        describeFirstChange(false);
    }

    if (!changed) {
        if (enabled_)
            sleepOn(reads);
        return;
    }
    if (checked)
        sleepCheck(QStringLiteral("%1 changed something while asleep: %2").arg(describe(), change));
    wake();
}

void Timer::sleepOn(const std::vector<const Watched*>& reads)
{
    forgetReads();
    if (!asleep_)
        sleepingTimers().push_back(this);
    asleep_ = true;
    watching_ = reads;
    for (const Watched* read : watching_)
        read->sleepers_.push_back(this);
    // In checking mode the clock goes on, and its ticks are checked.
    if (!sleepCheck)
        clock_->stop();
}

void Timer::wake()
{
    if (!asleep_)
        return;
    asleep_ = false;
    std::erase(sleepingTimers(), this);
    forgetReads();
    if (!enabled_ || manualMode || clock_->isActive())
        return;
    // Take up the beat it slept through: the next tick comes when it would
    // have come had the clock gone on.
    const qint64 period = clockIntervalFor(intervalMs_);
    const qint64 sinceBeat = sinceBeat_.isValid() ? sinceBeat_.elapsed() : 0;
    realigning_ = true;
    clock_->start(std::chrono::milliseconds(period - sinceBeat % period));
}

void Timer::forgetReads()
{
    for (const Watched* read : watching_) {
        auto& sleepers = read->sleepers_;
        sleepers.erase(std::remove(sleepers.begin(), sleepers.end(), this), sleepers.end());
    }
    watching_.clear();
}

QString Timer::describe() const
{
    return QStringLiteral("timer %1 of window \"%2\"").arg(name_, owner_.caption());
}

void Timer::wakeAll()
{
    // Waking takes each timer off the list.
    const std::vector<Timer*> sleepers = sleepingTimers();
    for (Timer* timer : sleepers)
        timer->wake();
}

int Timer::sleepingListEntries() const
{
    return static_cast<int>(std::count(sleepingTimers().begin(), sleepingTimers().end(), this));
}

void Timer::setManualTicking(bool manual) { manualMode = manual; }
void Timer::setSleepChecking(SleepCheckFailure onFailure) { sleepCheck = std::move(onFailure); }
void Timer::setTickObserver(TickObserver observer) { tickObserver = std::move(observer); }

} // namespace ui
