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
    // (the two pictures may differ).
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
};

// The panel's step and turn buttons: "kiri", "kanan", "atas", "bawah".
enum class Press { Left, Right, Up, Down };

struct Plan {
    std::vector<Press> presses;  // pressed in this order before firing
    int far = 1;                 // far power, 1..50
    int high = 1;                // high power, 1..50
    int target = -1;             // the slot aimed at
    // Whether a clean shot (hits an opponent, never the shooter) existed
    // within the level's reach of moves; the arena counts these first shots.
    bool cleanShotReachable = false;
};

// One computer player's planner. It remembers the shots it has aimed at
// each target, for the levels that miss on purpose and close in.
class Planner {
public:
    explicit Planner(Level level);
    Level level() const { return level_; }
    Plan planTurn(const Situation& situation);

private:
    Level level_;
    std::array<int, 4> shotsAt_{};
};

} // namespace computer
