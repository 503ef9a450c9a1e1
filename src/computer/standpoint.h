#pragma once

#include "computer/planner.h"

#include <vector>

// Where a computer's vehicle can stand when it fires: the places and facings
// its presses of the panel's step and turn buttons lead to.
namespace computer {

struct Standpoint {
    std::vector<Press> presses;  // from the start of the turn to here
    ui::Twips left = 0, top = 0, width = 0, height = 0;
    bool facesRight = true;
    int steps = 0;  // movement points spent
    bool insidePicture = true;  // every press on the way kept the vehicle and its plate on the battlefield picture
};

// The vehicle as it stands when the turn starts.
Standpoint startingStandpoint(const Situation& situation);

// The panel's answer to one press: a side button facing the other way turns
// the vehicle (its picture, and so its size, changes; its place does not);
// facing its own way it steps 800 twips for a point; up and down step 900
// twips for a point each. A step with no points left does nothing.
Standpoint afterPress(const Situation& situation, const Standpoint& from, Press press);
Standpoint afterPresses(const Situation& situation, const std::vector<Press>& presses);

// How many steps the movement points allow, at most `cap`.
int stepsAllowed(double movementPoints, int cap);

// Every place within `maxSteps` steps (sideways 800, up or down 900) and both
// facings, reached without the vehicle or its name plate ever leaving the
// battlefield picture.
// The place the vehicle stands on comes first, in its own facing; then the
// rest by the number of presses they take.
std::vector<Standpoint> reachableStandpoints(const Situation& situation, int maxSteps);

} // namespace computer
