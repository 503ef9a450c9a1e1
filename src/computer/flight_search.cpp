#include "computer/flight_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace computer {

namespace {

// The shell is launched this far above the vehicle's top, plus its height.
constexpr ui::Twips kLaunchHeight = 4040;

bool whole(double value, double limit) { return std::abs(value) <= limit && value == std::trunc(value); }

// The ticks n (within first..last) at which left0 + n * v lies strictly
// between low and high; empty when from > to.
void ticksBetween(double left0, double v, double low, double high, int last, int& from, int& to)
{
    from = 0;
    to = last;
    if (v == 0) {
        if (!(low < left0 && left0 < high))
            to = -1;
        return;
    }
    double a = (low - left0) / v;
    double b = (high - left0) / v;
    if (a > b)
        std::swap(a, b);
    a = std::clamp(a, -2.0, static_cast<double>(last) + 2);
    b = std::clamp(b, -2.0, static_cast<double>(last) + 2);
    from = std::max(from, static_cast<int>(std::floor(a)) + 1);
    to = std::min(to, static_cast<int>(std::ceil(b)) - 1);
}

} // namespace

std::array<Box, 4> boxesFrom(const Situation& situation, const Standpoint& from)
{
    std::array<Box, 4> boxes;
    for (std::size_t k = 0; k < 4; ++k) {
        const Vehicle& v = situation.vehicles[k];
        boxes[k] = Box{v.alive, v.left, v.top, v.width, v.height};
    }
    Box& mine = boxes[static_cast<std::size_t>(situation.slot)];
    mine.left = from.left;
    mine.top = from.top;
    mine.width = from.width;
    mine.height = from.height;
    return boxes;
}

flight::State launchFrom(const Situation& situation, const Standpoint& from)
{
    flight::State state;
    state.left1 = flight::throughSingleText(from.facesRight ? from.left + from.width + situation.shellWidth
                                                            : from.left);
    state.top1 = flight::throughSingleText(from.top - kLaunchHeight - situation.shellHeight);
    return state;
}

ExactFlight flyExactly(const Situation& situation, const Standpoint& from, int far, int high)
{
    const std::array<Box, 4> boxes = boxesFrom(situation, from);
    const flight::Inputs inputs{
        .wind = situation.wind,
        .lift = situation.lift,
        .far = static_cast<float>(far),
        .high = static_cast<double>(high),
        .facesRight = from.facesRight,
        .floor = situation.flightFloor,
    };
    ExactFlight out;
    flight::State state = launchFrom(situation, from);
    double damage = flight::throughText(situation.shotDamage);
    for (int tick = 0; tick <= kMaxFlightTicks; ++tick) {
        const flight::Step step = flight::step(state, inputs);
        out.path.push_back({step.shell.left, step.shell.top});
        // The shot grows before the hit test, which hands each touched
        // vehicle the damage of that tick; a later touch overwrites it.
        if (step.shell.top <= situation.windowOuterHeight)
            damage = flight::throughText(damage + 1);
        for (std::size_t k = 0; k < 4; ++k) {
            const Box& box = boxes[k];
            if (box.shown && flight::touches(step.shell, box.left, box.top, box.width, box.height)) {
                out.touched[k] = true;
                out.damage[k] = damage;
            }
        }
        if (!step.advanced) {
            out.finished = true;
            break;
        }
        state = step.next;
    }
    return out;
}

bool crossingLeft(const std::vector<ShellPlace>& path, ui::Twips height, ui::Twips& left)
{
    for (std::size_t i = 2; i < path.size(); ++i) {
        const ShellPlace& a = path[i - 1];
        const ShellPlace& b = path[i];
        if (a.top < height && height <= b.top) {
            left = a.left + (b.left - a.left) * (height - a.top) / (b.top - a.top);
            return true;
        }
    }
    return false;
}

ClosedForm::ClosedForm(const Situation& situation, const Standpoint& from)
    : situation_(situation)
    , from_(from)
    , boxes_(boxesFrom(situation, from))
{
    const flight::State launch = launchFrom(situation, from);
    left0_ = launch.left1 - 300;
    top0_ = launch.top1;
    // Whole numbers small enough for the hit test's single precision.
    const bool wholeNumbers = whole(situation.wind, 1e4) && whole(situation.lift, 1e4)
        && whole(launch.left1, 1e6) && whole(launch.top1, 1e6);
    margin_ = wholeNumbers ? 0 : 2;
    tops_.reserve(200);
    grown_.reserve(200);
    startDamage_ = flight::throughText(situation.shotDamage);
    for (int far = kLowestPower; far <= kHighestPower; ++far) {
        const double push = static_cast<double>(4.0f * static_cast<float>(far));
        const double v = situation_.wind + (from_.facesRight ? push : -push);
        for (std::size_t k = 0; k < 4; ++k) {
            const Box& box = boxes_[k];
            const double m = static_cast<int>(k) == situation_.slot ? -margin_ : margin_;
            Run& run = across_[static_cast<std::size_t>(far)][k];
            ticksBetween(left0_, v, box.left - 100 + m, box.left + box.width - m, kMaxFlightTicks, run.from, run.to);
        }
    }
}

bool ClosedForm::setHigh(int high)
{
    const double rise = 100 + 4.0 * high + situation_.lift;
    tops_.clear();
    grown_.clear();
    int grown = 0;
    int apex = 1;  // the highest tick after the launch's: the tops fall to it, then rise
    for (int n = 0;; ++n) {
        if (n > kMaxFlightTicks)
            return false;
        const double dn = n;
        const double top = n == 0 ? top0_ : top0_ + 4500 - dn * rise + 5 * dn * dn;
        tops_.push_back(top);
        if (n >= 1 && top < tops_[static_cast<std::size_t>(apex)])
            apex = n;
        if (top <= situation_.windowOuterHeight)
            ++grown;
        grown_.push_back(grown);
        if (!(top <= situation_.flightFloor))
            break;
    }
    last_ = static_cast<int>(tops_.size()) - 1;

    // The runs of ticks whose top lies within each box's height: the launch
    // tick on its own, then one run on the way up and one on the way down,
    // each found by halving since the tops only fall, then only rise. The
    // shooter's box is widened and the others narrowed by the margin.
    const auto first = tops_.begin();
    const auto tick = [&](std::vector<double>::const_iterator it) { return static_cast<int>(it - first); };
    for (std::size_t k = 0; k < 4; ++k) {
        runCount_[k] = 0;
        const Box& box = boxes_[k];
        if (!box.shown)
            continue;
        const double m = static_cast<int>(k) == situation_.slot ? -margin_ : margin_;
        const double low = box.top - 100 + m;
        const double bottom = box.top + box.height - m;
        const auto add = [&](int from, int to) {
            if (from <= to)
                runs_[k][static_cast<std::size_t>(runCount_[k]++)] = Run{from, to};
        };
        if (low < tops_[0] && tops_[0] < bottom)
            add(0, 0);
        if (last_ < 1)
            continue;
        const int turn = std::min(apex, last_);
        // Up: the tops fall; those below the box come first, then within, then above.
        const auto upEnd = first + turn + 1;
        add(tick(std::partition_point(first + 1, upEnd, [&](double y) { return y >= bottom; })),
            tick(std::partition_point(first + 1, upEnd, [&](double y) { return y > low; })) - 1);
        // Down: the tops rise again.
        const auto downEnd = first + last_ + 1;
        add(tick(std::partition_point(first + turn + 1, downEnd, [&](double y) { return y <= low; })),
            tick(std::partition_point(first + turn + 1, downEnd, [&](double y) { return y < bottom; })) - 1);
    }
    return true;
}

double ClosedForm::leftAt(int far, int n) const
{
    const double push = static_cast<double>(4.0f * static_cast<float>(far));
    const double v = situation_.wind + (from_.facesRight ? push : -push);
    return left0_ + n * v;
}

ClosedForm::Hits ClosedForm::hits(int far, bool onlyOpponents) const
{
    Hits out;
    const std::size_t shooter = static_cast<std::size_t>(situation_.slot);
    bool any = false;
    // The opponents first: a shot that touches none needs no more looking at.
    for (std::size_t k = 0; k < 4; ++k) {
        const int count = runCount_[k];
        if (count == 0 || k == shooter)
            continue;
        const Run& across = across_[static_cast<std::size_t>(far)][k];
        const int to = std::min(across.to, last_);
        int lastTick = -1;
        for (int r = 0; r < count; ++r) {
            const Run& run = runs_[k][static_cast<std::size_t>(r)];
            const int a = std::max(across.from, run.from);
            const int b = std::min(to, run.to);
            if (a <= b)
                lastTick = std::max(lastTick, b);
        }
        if (lastTick < 0)
            continue;
        out.lastTick[k] = lastTick;
        out.damage[k] = startDamage_ + grown_[static_cast<std::size_t>(lastTick)];
        any = true;
    }
    // Whether it touches the shooter matters only for a shot that touches
    // an opponent, when the caller asks for those alone.
    if (!any && onlyOpponents)
        return out;
    const Run& across = across_[static_cast<std::size_t>(far)][shooter];
    const int to = std::min(across.to, last_);
    for (int r = 0; r < runCount_[shooter]; ++r) {
        const Run& run = runs_[shooter][static_cast<std::size_t>(r)];
        if (std::max(across.from, run.from) <= std::min(to, run.to)) {
            out.touchesShooter = true;
            out.lastTick[shooter] = std::min(to, run.to);
        }
    }
    return out;
}

bool ClosedForm::crossing(int far, ui::Twips height, ui::Twips& left) const
{
    for (int i = 2; i <= last_; ++i) {
        const double a = tops_[static_cast<std::size_t>(i - 1)];
        const double b = tops_[static_cast<std::size_t>(i)];
        if (a < height && height <= b) {
            const double la = leftAt(far, i - 1);
            const double lb = leftAt(far, i);
            left = la + (lb - la) * (height - a) / (b - a);
            return true;
        }
    }
    return false;
}

double ClosedForm::nearestPass(int far, int slot) const
{
    const Box& box = boxes_[static_cast<std::size_t>(slot)];
    const double low = box.left - 100;
    const double high = box.left + box.width;
    const double upper = box.top - 100;
    const double lower = box.top + box.height;
    double nearest = std::numeric_limits<double>::infinity();
    for (int n = 0; n <= last_; ++n) {
        const double x = leftAt(far, n);
        const double y = tops_[static_cast<std::size_t>(n)];
        const double dx = std::max({0.0, low - x, x - high});
        const double dy = std::max({0.0, upper - y, y - lower});
        nearest = std::min(nearest, std::hypot(dx, dy));
    }
    return nearest;
}

} // namespace computer
