#pragma once

#include "app/edition.h"
#include "ui/twips.h"

#include <array>
#include <vector>

// A computer player's mind: from what the screen shows at the start of its
// turn, which buttons to press and which powers to fire with. It is pure
// arithmetic over the game's own flight, so the same situation always gives
// the same plan; the player that carries the plan out through the panel
// lives beside it (computer_player.h).
namespace computer {

enum class Level { Easy, Medium, Hard };

// A vehicle as the battlefield shows it.
struct Vehicle {
    bool alive = false;  // shown on the battlefield
    ui::Twips left = 0, top = 0, width = 0, height = 0;
    double energy = 0;  // its energy bar's value
};

// Everything a player can see when its turn starts.
struct Situation {
    Edition edition = Edition::Full;
    int slot = 0;  // the computer's own player slot, 0..3
    std::array<Vehicle, 4> vehicles;
    // The computer's own vehicle picture's size facing right and facing left
    // (the two pictures may differ). A turn loads one of these pictures;
    // until it first turns, a vehicle may still show another picture, whose
    // size is the one in `vehicles`.
    ui::Twips widthFacingRight = 0, heightFacingRight = 0;
    ui::Twips widthFacingLeft = 0, heightFacingLeft = 0;
    bool facesRight = true;
    double movementPoints = 0;  // the panel's movement points
    double shotDamage = 0;      // the damage a shot starts with (5 x Attack; 0 in the wind edition)
    double wind = 0;            // current horizontal wind (Text3)
    double lift = 0;            // current vertical wind (Text4)
    ui::Twips shellWidth = 0, shellHeight = 0;
    ui::Twips flightFloor = 0;        // a shell whose top passes this ends its flight
    ui::Twips windowOuterHeight = 0;  // the shot grows while the shell's top is within it
    ui::Twips fieldWidth = 0, fieldHeight = 0;  // the battlefield picture
    ui::Twips plateAbove = 0;  // a vehicle's name plate stands this far above its top
};

// The panel's step and turn buttons: "kiri", "kanan", "atas", "bawah".
enum class Press { Left, Right, Up, Down };

// The powers the panel's gauges give, far and high alike.
constexpr int kLowestPower = 1;
constexpr int kHighestPower = 50;

struct Plan {
    std::vector<Press> presses;  // pressed in this order before firing
    int far = kLowestPower;      // far power, kLowestPower..kHighestPower
    int high = kLowestPower;     // high power, kLowestPower..kHighestPower
    int target = -1;             // the slot aimed at
    // Whether a clean shot (hits an opponent, never the shooter) existed
    // within the level's reach of moves; the arena counts these first shots.
    // It is a clean shot at the target planned for.
    bool cleanShotReachable = false;
};

// Where the shell is drawn on one flight tick.
struct ShellPlace {
    ui::Twips left = 0, top = 0;
};

// A plan's shot as the battle window will fly it: the presses taken, then
// fired from there with the plan's powers, in the situation's wind.
struct Prediction {
    // Where the shell is drawn each tick, from the launch to the tick that
    // draws it below the floor.
    std::vector<ShellPlace> path;
    // Each slot's damage label once the shell has gone below the floor
    // (0 for a vehicle it never touched).
    std::array<double, 4> damage{};
    bool touchesShooter = false;
};
Prediction predictShot(const Situation& situation, const Plan& plan);

// How far a plan's shot misses its target, in twips, measured where the
// shell comes down through the target's middle height: the shell's left
// there (on the straight segment between the two ticks either side of that
// height, from the second tick on), against the span in which a shell's
// corner touches the target (its left - 100 to its right). Negative when the
// shell comes down short (on the side of the target where the shooter stands
// when it fires, centre against centre), positive when it comes down long, 0
// when it comes down within the span. NaN when the
// shell never comes down through that height or the plan has no target.
double missDistance(const Situation& situation, const Plan& plan);

// One computer player's planner. It remembers the shots it has aimed at
// each target, for the levels that miss on purpose: they close in on a
// target, and once they have hit it they still miss some of their shots
// (easy most of them, medium now and then).
class Planner {
public:
    explicit Planner(Level level);
    Level level() const { return level_; }
    Plan planTurn(const Situation& situation);
    // Forgets the shots aimed so far, as at the start of a new match: the
    // levels that close in start again from their first miss.
    void forgetShots();

    // What it remembers of its shots at one target.
    struct Aim {
        int shots = 0;           // aimed at it so far
        int shotsSinceHit = -1;  // aimed at it since its first hit; -1 before that
        double lastMiss = 0;     // the size of the last miss (0 after a hit)
        std::size_t roundStart = 0;  // where its round of hits and misses began
    };

private:
    Level level_;
    std::array<Aim, 4> aims_{};
};

} // namespace computer
