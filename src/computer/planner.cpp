#include "computer/planner.h"

#include "computer/flight_search.h"
#include "computer/standpoint.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace computer {

namespace {

constexpr int kReachSteps = 4;
// How many of the closed form's best picks the exact flight may turn down
// before a search gives up on them (only numbers that are not whole, typed
// into the wind, make it turn any down).
constexpr int kConfirmAttempts = 64;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::size_t at(int slot) { return static_cast<std::size_t>(slot); }

bool isOpponent(const Situation& s, int k) { return k != s.slot && s.vehicles[at(k)].alive; }

// Energy falls below 1: the vehicle is destroyed.
bool kills(const Situation& s, int k, double damage) { return s.vehicles[at(k)].energy - damage < 1; }

double centreOf(ui::Twips left, ui::Twips width) { return left + width / 2; }

// The opponent nearest the shooter, centre to centre; the lower slot on a tie.
int nearestOpponent(const Situation& s)
{
    const Vehicle& mine = s.vehicles[at(s.slot)];
    int nearest = -1;
    double best = kInfinity;
    for (int k = 0; k < 4; ++k) {
        if (!isOpponent(s, k))
            continue;
        const Vehicle& v = s.vehicles[at(k)];
        const double d = std::hypot(centreOf(v.left, v.width) - centreOf(mine.left, mine.width),
                                    centreOf(v.top, v.height) - centreOf(mine.top, mine.height));
        if (d < best) {
            best = d;
            nearest = k;
        }
    }
    return nearest;
}

// The opponent with the least energy among `allowed`; the lower slot on a tie.
int weakestOpponent(const Situation& s, const std::array<bool, 4>& allowed)
{
    int weakest = -1;
    for (int k = 0; k < 4; ++k)
        if (allowed[at(k)] && isOpponent(s, k)
            && (weakest < 0 || s.vehicles[at(k)].energy < s.vehicles[at(weakest)].energy))
            weakest = k;
    return weakest;
}

// A shot considered: fired from one of the standpoints with two powers.
struct Shot {
    int place = 0;
    int far = 0;
    int high = 0;
    std::array<bool, 4> touched{};   // opponents the shell touches
    std::array<double, 4> damage{};  // and the damage each is left with
    double miss = 0;                 // for a miss on purpose: its signed size
    double nearest = 0;              // for a shot that cannot hit: how near it passes
};

// Every pair of powers from every standpoint whose flight the closed form can
// work out: standpoint by standpoint, high power by high power, far power by
// far power, `visit(shot, form)` with the shot's place and powers filled in
// and the form set to its high power.
template <class Visit>
void forEachPowers(const Situation& s, const std::vector<Standpoint>& places, Visit&& visit)
{
    for (std::size_t i = 0; i < places.size(); ++i) {
        ClosedForm form(s, places[i]);
        for (int high = kLowestPower; high <= kHighestPower; ++high) {
            if (!form.setHigh(high))
                continue;
            for (int far = kLowestPower; far <= kHighestPower; ++far)
                visit(Shot{static_cast<int>(i), far, high}, form);
        }
    }
}

// Every shot from the standpoints that touches an opponent and, as far as the
// closed form can tell, never the shooter.
template <class Visit>
void forEachCleanShot(const Situation& s, const std::vector<Standpoint>& places, Visit&& visit)
{
    forEachPowers(s, places, [&](Shot shot, const ClosedForm& form) {
        const ClosedForm::Hits hits = form.hits(shot.far, true);
        if (hits.touchesShooter)
            return;
        bool any = false;
        for (int k = 0; k < 4; ++k) {
            if (hits.lastTick[at(k)] >= 0 && isOpponent(s, k)) {
                shot.touched[at(k)] = true;
                shot.damage[at(k)] = hits.damage[at(k)];
                any = true;
            }
        }
        if (any)
            visit(shot);
    });
}

std::vector<Shot> cleanShots(const Situation& s, const std::vector<Standpoint>& places)
{
    std::vector<Shot> shots;
    forEachCleanShot(s, places, [&shots](const Shot& shot) { shots.push_back(shot); });
    return shots;
}

// The exact flight of a shot: whether it stays clear of the shooter and ends,
// with the opponents it really touches and the damage it leaves them.
bool flyClean(const Situation& s, const std::vector<Standpoint>& places, Shot& shot, ExactFlight* flight = nullptr)
{
    ExactFlight f = flyExactly(s, places[at(shot.place)], shot.far, shot.high);
    if (!f.finished || f.touched[at(s.slot)])
        return false;
    for (int k = 0; k < 4; ++k) {
        shot.touched[at(k)] = isOpponent(s, k) && f.touched[at(k)];
        shot.damage[at(k)] = shot.touched[at(k)] ? f.damage[at(k)] : 0;
    }
    if (flight)
        *flight = std::move(f);
    return true;
}

// The best of the shots by `worse` (a strict "less preferred than") that the
// exact flight confirms as clean and `accept` takes, or nothing.
std::optional<Shot> bestConfirmed(const Situation& s, const std::vector<Standpoint>& places, std::vector<Shot> shots,
                                  const std::function<bool(const Shot&, const Shot&)>& worse,
                                  const std::function<bool(Shot&, const ExactFlight&)>& accept)
{
    for (int attempt = 0; attempt < kConfirmAttempts && !shots.empty(); ++attempt) {
        const auto best = std::max_element(shots.begin(), shots.end(), worse);
        Shot shot = *best;
        ExactFlight flight;
        if (flyClean(s, places, shot, &flight) && accept(shot, flight))
            return shot;
        // Keep the order of the rest: ties go to the earlier shot.
        shots.erase(best);
    }
    return std::nullopt;
}

// Sums and counts over the opponents a shot touches.
int killsOf(const Situation& s, const Shot& shot)
{
    int n = 0;
    for (int k = 0; k < 4; ++k)
        n += shot.touched[at(k)] && kills(s, k, shot.damage[at(k)]) ? 1 : 0;
    return n;
}

double damageOf(const Shot& shot)
{
    double sum = 0;
    for (double d : shot.damage)
        sum += d;
    return sum;
}

// Among equally good shots: fewer presses, then the gauges stopped sooner.
bool quickerFirst(const std::vector<Standpoint>& places, const Shot& a, const Shot& b, bool& decided)
{
    decided = true;
    const std::size_t pa = places[at(a.place)].presses.size();
    const std::size_t pb = places[at(b.place)].presses.size();
    if (pa != pb)
        return pa > pb;
    if (a.far + a.high != b.far + b.high)
        return a.far + a.high > b.far + b.high;
    if (a.far != b.far)
        return a.far > b.far;
    decided = false;
    return false;
}

Plan planOf(const std::vector<Standpoint>& places, const Shot& shot, int target, bool clean)
{
    Plan plan;
    plan.presses = places[at(shot.place)].presses;
    plan.far = shot.far;
    plan.high = shot.high;
    plan.target = target;
    plan.cleanShotReachable = clean;
    return plan;
}

std::vector<Standpoint> withoutSteps(const std::vector<Standpoint>& places)
{
    std::vector<Standpoint> here;
    for (const Standpoint& p : places)
        if (p.steps == 0)
            here.push_back(p);
    return here;
}

// Which way the target lies from a standpoint: +1 to the right, -1 to the left.
int towards(const Standpoint& from, const Vehicle& target)
{
    const double d = centreOf(target.left, target.width) - centreOf(from.left, from.width);
    if (d != 0)
        return d > 0 ? 1 : -1;
    return from.facesRight ? 1 : -1;
}

// The signed miss of a shell coming down at `left` (see missDistance).
double signedMiss(ui::Twips left, const Vehicle& target, int direction)
{
    const double low = target.left - 100;
    const double high = target.left + target.width;
    if (left > low && left < high)
        return 0;
    const double beyond = left >= high ? left - high : -(low - left);  // + to the right of the span
    return direction > 0 ? beyond : -beyond;
}

ui::Twips middleHeight(const Vehicle& v) { return v.top + v.height / 2; }

// When no shot can hit: the one that passes nearest the target without
// touching the shooter, from where the vehicle stands.
Plan nearestPassPlan(const Situation& s, int target, const std::vector<Standpoint>& here)
{
    std::vector<Shot> shots;
    forEachPowers(s, here, [&](Shot shot, const ClosedForm& form) {
        if (form.hits(shot.far).touchesShooter)
            return;
        shot.nearest = target >= 0 ? form.nearestPass(shot.far, target) : 0;
        shots.push_back(shot);
    });
    const auto worse = [&](const Shot& a, const Shot& b) {
        if (a.nearest != b.nearest)
            return a.nearest > b.nearest;
        bool decided = false;
        const bool w = quickerFirst(here, a, b, decided);
        return decided && w;
    };
    const auto anyClean = [](Shot&, const ExactFlight&) { return true; };
    if (const std::optional<Shot> shot = bestConfirmed(s, here, std::move(shots), worse, anyClean))
        return planOf(here, *shot, target, false);
    // Nothing keeps clear of the shooter: fire the gentlest shot anyway.
    Plan plan;
    plan.target = target;
    return plan;
}

// The clean shot at `target` with the fewest presses from the standpoints,
// then the most damage, or with `leastDamage` the least (the shortest
// flight), or nothing.
std::optional<Shot> hitOn(const Situation& s, int target, const std::vector<Standpoint>& places,
                          const std::vector<Shot>& clean, bool leastDamage = false)
{
    std::vector<Shot> atTarget;
    for (const Shot& shot : clean)
        if (shot.touched[at(target)])
            atTarget.push_back(shot);
    const auto worse = [&](const Shot& a, const Shot& b) {
        const std::size_t pa = places[at(a.place)].presses.size();
        const std::size_t pb = places[at(b.place)].presses.size();
        if (pa != pb)
            return pa > pb;
        if (a.damage[at(target)] != b.damage[at(target)])
            return (a.damage[at(target)] < b.damage[at(target)]) != leastDamage;
        bool decided = false;
        const bool w = quickerFirst(places, a, b, decided);
        return decided && w;
    };
    const auto touchesTarget = [target](Shot& shot, const ExactFlight&) { return shot.touched[at(target)]; };
    return bestConfirmed(s, places, std::move(atTarget), worse, touchesTarget);
}

// A shot that misses `target` on purpose on one side (long or short), by no
// more than `cap` and as near `wanted` as the powers allow, touching neither
// the target nor the shooter.
std::optional<Shot> missOn(const Situation& s, int target, const std::vector<Standpoint>& places, bool long_,
                           double wanted, double cap)
{
    const Vehicle& aim = s.vehicles[at(target)];
    const ui::Twips height = middleHeight(aim);
    std::vector<Shot> shots;
    forEachPowers(s, places, [&](Shot shot, const ClosedForm& form) {
        ui::Twips left = 0;
        if (!form.crossing(shot.far, height, left))
            return;
        const double miss = signedMiss(left, aim, towards(places[at(shot.place)], aim));
        if (miss == 0 || (miss > 0) != long_ || std::abs(miss) > cap)
            return;
        const ClosedForm::Hits hits = form.hits(shot.far);
        if (hits.touchesShooter || hits.lastTick[at(target)] >= 0)
            return;
        shot.miss = miss;
        shots.push_back(shot);
    });
    const auto worse = [&](const Shot& a, const Shot& b) {
        const double ea = std::abs(std::abs(a.miss) - wanted);
        const double eb = std::abs(std::abs(b.miss) - wanted);
        if (ea != eb)
            return ea > eb;
        bool decided = false;
        const bool w = quickerFirst(places, a, b, decided);
        return decided && w;
    };
    const auto missesAsPlanned = [&](Shot& shot, const ExactFlight& flight) {
        ui::Twips left = 0;
        if (shot.touched[at(target)] || !crossingLeft(flight.path, height, left))
            return false;
        shot.miss = signedMiss(left, aim, towards(places[at(shot.place)], aim));
        return shot.miss != 0 && (shot.miss > 0) == long_ && std::abs(shot.miss) <= cap;
    };
    return bestConfirmed(s, places, std::move(shots), worse, missesAsPlanned);
}

// How a level that misses on purpose plays against one target: it closes in
// with its first misses, then hits; after that it keeps to a round of hits
// and misses, so a person who plays on against it still sees it miss. Where
// in its round it starts comes from the winds of its first hit, so that
// matches do not all begin the round alike.
struct ClosingIn {
    // The sizes of the misses before its first hit, each at most half the
    // last one; then a hit.
    const double* closing = nullptr;
    std::size_t closingLength = 0;
    // After the first hit, shot by shot: a miss of about this size, or a
    // hit where it is 0.
    const double* round = nullptr;
    std::size_t roundLength = 0;
    bool brackets = false;     // alternately short and long, else always short
    bool leastDamage = false;  // a hit: the shortest flight, else the most damage
};
// Easy closes in slowly, and its aim wanders off again after every hit:
// two shots in five hit. From where it stands it often has no clean shot at
// all, so fewer of its shots hit than its round says.
constexpr double kEasyClosing[] = {3000, 1000};
constexpr double kEasyRound[] = {1500, 0, 700, 0, 1000};
// Medium finds its aim quickly and keeps it, but now and then a shot goes a
// little wide (four in nine).
constexpr double kMediumClosing[] = {1500};
constexpr double kMediumRound[] = {0, 450, 0, 0, 300, 0, 400, 0, 350};
constexpr ClosingIn kEasyClosingIn{kEasyClosing, std::size(kEasyClosing), kEasyRound, std::size(kEasyRound), false,
                                   true};
constexpr ClosingIn kMediumClosingIn{kMediumClosing, std::size(kMediumClosing), kMediumRound,
                                     std::size(kMediumRound), true, false};

// Where a round starts: the winds, as whole numbers, summed and counted
// round the round.
std::size_t roundStart(const Situation& s, std::size_t roundLength)
{
    const double winds = std::floor(std::abs(s.wind) + std::abs(s.lift));
    if (!std::isfinite(winds))
        return 0;
    return static_cast<std::size_t>(std::fmod(winds, static_cast<double>(roundLength)));
}

// The shot at `target` from one of `places` as the level's way has it: a
// miss, short or (bracketing) alternately short and long, or a hit.
Plan closeIn(const Situation& s, int target, const std::vector<Standpoint>& places, const ClosingIn& way,
             bool clean, Planner::Aim& aim)
{
    const int shots = aim.shots;
    const bool long_ = way.brackets && shots % 2 == 1;
    double wanted = 0;
    double cap = kInfinity;
    if (aim.shotsSinceHit < 0) {
        if (static_cast<std::size_t>(shots) < way.closingLength) {
            wanted = way.closing[static_cast<std::size_t>(shots)];
            if (shots > 0)
                cap = aim.lastMiss / 2;
            wanted = std::min(wanted, cap);
        }
    } else {
        wanted = way.round[(aim.roundStart + static_cast<std::size_t>(aim.shotsSinceHit)) % way.roundLength];
    }

    std::optional<Shot> miss;
    if (wanted > 0) {
        miss = missOn(s, target, places, long_, wanted, cap);
        if (!miss)
            miss = missOn(s, target, places, !long_, wanted, cap);
    }
    Plan plan;
    bool hits = false;
    if (miss) {
        plan = planOf(places, *miss, target, clean);
        aim.lastMiss = std::abs(miss->miss);
    } else {
        const std::optional<Shot> hit = hitOn(s, target, places, cleanShots(s, places), way.leastDamage);
        plan = hit ? planOf(places, *hit, target, clean) : nearestPassPlan(s, target, withoutSteps(places));
        plan.cleanShotReachable = clean;
        aim.lastMiss = 0;
        hits = hit.has_value();
    }
    ++aim.shots;
    if (aim.shotsSinceHit >= 0)
        ++aim.shotsSinceHit;
    else if (hits) {
        aim.shotsSinceHit = 0;
        aim.roundStart = roundStart(s, way.roundLength);
    }
    return plan;
}

bool anyAt(const std::vector<Shot>& shots, int target)
{
    return std::any_of(shots.begin(), shots.end(), [target](const Shot& shot) { return shot.touched[at(target)]; });
}

// Hard: a kill if any is reachable, else the most damage, from every place
// within four steps and both facings; the shot is exact.
Plan planHard(const Situation& s)
{
    const std::vector<Standpoint> places = reachableStandpoints(s, kReachSteps);
    const auto worse = [&](const Shot& a, const Shot& b) {
        const int ka = killsOf(s, a);
        const int kb = killsOf(s, b);
        if (ka != kb)
            return ka < kb;
        const double da = damageOf(a);
        const double db = damageOf(b);
        if (da != db)
            return da < db;
        bool decided = false;
        const bool w = quickerFirst(places, a, b, decided);
        return decided && w;
    };
    const auto touchesAny = [](const Shot& shot) {
        return std::any_of(shot.touched.begin(), shot.touched.end(), [](bool t) { return t; });
    };
    const auto anyClean = [&](Shot& shot, const ExactFlight&) { return touchesAny(shot); };
    // The best shot as the closed form sees it is kept on the way; only when
    // the exact flight turns it down are the others gathered.
    std::optional<Shot> best;
    forEachCleanShot(s, places, [&](const Shot& shot) {
        if (!best || worse(*best, shot))
            best = shot;
    });
    if (best && !(flyClean(s, places, *best) && touchesAny(*best)))
        best = bestConfirmed(s, places, cleanShots(s, places), worse, anyClean);
    if (best) {
        // The target: the first opponent it destroys, else the one it hurts most.
        int target = -1;
        for (int k = 0; k < 4 && target < 0; ++k)
            if (best->touched[at(k)] && kills(s, k, best->damage[at(k)]))
                target = k;
        for (int k = 0; k < 4 && target < 0; ++k)
            if (best->touched[at(k)]
                && best->damage[at(k)] == *std::max_element(best->damage.begin(), best->damage.end()))
                target = k;
        return planOf(places, *best, target, true);
    }
    return nearestPassPlan(s, nearestOpponent(s), withoutSteps(places));
}

} // namespace

Planner::Planner(Level level)
    : level_(level)
{
}

void Planner::forgetShots() { aims_ = {}; }

Plan Planner::planTurn(const Situation& situation)
{
    const Situation& s = situation;
    if (level_ == Level::Hard)
        return planHard(s);

    const std::vector<Standpoint> here = reachableStandpoints(s, 0);
    if (level_ == Level::Easy) {
        // Easy: the nearest opponent, from where it stands.
        const int target = nearestOpponent(s);
        if (target < 0)
            return nearestPassPlan(s, target, here);
        const bool clean = anyAt(cleanShots(s, here), target);
        return closeIn(s, target, here, kEasyClosingIn, clean, aims_[at(target)]);
    }

    // Medium: the weakest opponent it can reach, stepping only when no clean
    // shot exists from where it stands.
    // The standpoints come by the number of presses they take, so the first
    // clean shot found at each opponent is one with the fewest presses.
    std::vector<Standpoint> places = here;
    std::array<std::optional<Shot>, 4> firstAt;
    const auto gather = [&] {
        forEachCleanShot(s, places, [&firstAt](const Shot& shot) {
            for (std::size_t k = 0; k < 4; ++k)
                if (shot.touched[k] && !firstAt[k])
                    firstAt[k] = shot;
        });
    };
    gather();
    std::array<bool, 4> reachable{};
    for (std::size_t k = 0; k < 4; ++k)
        reachable[k] = firstAt[k].has_value();
    if (reachable == std::array<bool, 4>{}) {
        places = reachableStandpoints(s, kReachSteps);
        gather();
        for (std::size_t k = 0; k < 4; ++k)
            reachable[k] = firstAt[k].has_value();
    }
    int target = weakestOpponent(s, reachable);
    if (target < 0) {
        target = weakestOpponent(s, {true, true, true, true});
        if (target < 0)
            return nearestPassPlan(s, target, here);
        return closeIn(s, target, here, kMediumClosingIn, false, aims_[at(target)]);
    }
    // Stand where the fewest presses give a clean shot at it, in either facing.
    std::optional<Shot> nearestHit = firstAt[at(target)];
    if (!(flyClean(s, places, *nearestHit) && nearestHit->touched[at(target)]))
        nearestHit = hitOn(s, target, places, cleanShots(s, places));
    if (!nearestHit)
        return closeIn(s, target, here, kMediumClosingIn, false, aims_[at(target)]);
    const Standpoint& spot = places[at(nearestHit->place)];
    std::vector<Standpoint> there;
    for (const Standpoint& p : places)
        if (p.left == spot.left && p.top == spot.top)
            there.push_back(p);
    return closeIn(s, target, there, kMediumClosingIn, true, aims_[at(target)]);
}

Prediction predictShot(const Situation& situation, const Plan& plan)
{
    const Standpoint from = afterPresses(situation, plan.presses);
    ExactFlight flight = flyExactly(situation, from, plan.far, plan.high);
    Prediction prediction;
    prediction.path = std::move(flight.path);
    prediction.damage = flight.damage;
    prediction.touchesShooter = flight.touched[at(situation.slot)];
    return prediction;
}

double missDistance(const Situation& situation, const Plan& plan)
{
    if (plan.target < 0 || plan.target > 3)
        return std::numeric_limits<double>::quiet_NaN();
    const Vehicle& aim = situation.vehicles[at(plan.target)];
    const Standpoint from = afterPresses(situation, plan.presses);
    const Prediction prediction = predictShot(situation, plan);
    ui::Twips left = 0;
    if (!crossingLeft(prediction.path, middleHeight(aim), left))
        return std::numeric_limits<double>::quiet_NaN();
    return signedMiss(left, aim, towards(from, aim));
}

} // namespace computer
