#pragma once

#include "battle/flight_step.h"
#include "computer/planner.h"
#include "computer/standpoint.h"

#include <array>
#include <vector>

// The flight of a shot a computer considers, two ways: exactly, tick by tick
// with the battle window's own flight step, and quickly, with the closed form
// of that flight, to sift the 2,500 pairs of powers from every standpoint.
namespace computer {

// The longest flight considered, in ticks (30 s); a flight that would last
// longer (only a typed wind can make one) is not aimed with.
inline constexpr int kMaxFlightTicks = 1000;

// A vehicle's box on the battlefield, as the hit test sees it.
struct Box {
    bool shown = false;
    ui::Twips left = 0, top = 0, width = 0, height = 0;
};

// Every vehicle's box with the shooter standing at `from`.
std::array<Box, 4> boxesFrom(const Situation& situation, const Standpoint& from);

// The launch references the fire press writes for a vehicle at `from`.
flight::State launchFrom(const Situation& situation, const Standpoint& from);

// A flight worked out exactly, tick by tick.
struct ExactFlight {
    std::vector<ShellPlace> path;          // where the shell is drawn each tick
    std::array<double, 4> damage{};        // each slot's damage label after the flight (0: not touched)
    std::array<bool, 4> touched{};         // whether the shell touched each slot
    bool finished = false;                 // the shell went below the floor within kMaxFlightTicks
};
ExactFlight flyExactly(const Situation& situation, const Standpoint& from, int far, int high);

// Where a path comes down through a height: the shell's left, on the straight
// segment between the two ticks (from the second tick on) whose tops lie
// either side of it, the first time the shell falls through it. False when
// the path never comes down through that height.
bool crossingLeft(const std::vector<ShellPlace>& path, ui::Twips height, ui::Twips& left);

// The closed form of the flight from one standpoint: with whole winds and
// whole launch references, the shell is drawn at
//   left = L0 - 300 + n (W +- 4P)
//   top  = T0 at n = 0, T0 + 4500 - n (100 + 4S + V) + 5 n^2 after,
// which is exactly what the flight step gives. With other numbers the step's
// roundings move the shell by less than a twip a read, so the sifting widens
// the shooter's box and narrows the others' by two twips, and every choice
// is confirmed by the exact flight.
class ClosedForm {
public:
    ClosedForm(const Situation& situation, const Standpoint& from);

    // Whether the closed form is the flight itself (whole numbers throughout).
    bool exact() const { return margin_ == 0; }

    // Works out the tops for one high power. False when the flight would be
    // longer than kMaxFlightTicks.
    bool setHigh(int high);

    struct Hits {
        std::array<int, 4> lastTick{-1, -1, -1, -1};  // last tick touching each slot's box, or -1
        std::array<double, 4> damage{};               // the damage label that leaves each slot
        bool touchesShooter = false;
    };
    // The boxes the flight with this far power (and the high power set
    // last) touches. With `onlyOpponents`, a shot that touches no opponent
    // is not looked at any further (its touchesShooter stays false).
    Hits hits(int far, bool onlyOpponents = false) const;

    // Where the shell comes down through a height, as crossingLeft does for
    // the drawn path.
    bool crossing(int far, ui::Twips height, ui::Twips& left) const;

    // The nearest the shell's corner comes to a slot's hit area (the box
    // widened by 100 to the left and the top), in twips; 0 inside it.
    double nearestPass(int far, int slot) const;

    int lastTick() const { return last_; }

private:
    double leftAt(int far, int n) const;

    const Situation& situation_;
    Standpoint from_;
    std::array<Box, 4> boxes_;
    double left0_ = 0, top0_ = 0;
    double margin_ = 0;
    // Per high power: the tops tick by tick up to the tick drawn below the
    // floor, how many ticks so far grew the damage, and per slot the runs of
    // ticks whose top lies within the box's height.
    std::vector<double> tops_;
    std::vector<int> grown_;
    struct Run {
        int from = 0, to = -1;
    };
    std::array<std::array<Run, 4>, 4> runs_{};
    std::array<int, 4> runCount_{};
    int last_ = 0;
    // Per far power (kLowestPower..kHighestPower) and slot: the ticks whose
    // left lies within the box's width, which the high power does not change.
    std::array<std::array<Run, 4>, kHighestPower + 1> across_{};
    double startDamage_ = 0;
};

} // namespace computer
