#pragma once

#include "ui/twips.h"

// One tick of a shell's flight as pure arithmetic: the flight timer of the
// battle window runs it on the numbers its fields hold, and a computer player
// runs it to see where a shot will go. Both get the same shell, tick for tick.
namespace flight {

// The flight fields as numbers: t, the parabola offset, and the horizontal
// and vertical references. A shot starts at t = -300 and offset 0 with the
// references the fire press writes.
struct State {
    double t = -300;
    double offset = 0;
    double left1 = 0;
    double top1 = 0;
};

// What a tick reads besides the flight fields. The far power is read in
// single precision, as the gauge mirror holds it.
struct Inputs {
    double wind = 0;   // horizontal wind, + towards the right
    double lift = 0;   // vertical wind, + upwards
    float far = 0;     // horizontal power
    double high = 0;   // vertical power
    bool facesRight = true;
    ui::Twips floor = 0;  // the flight advances only while the shell's top is at or above this
};

struct Place {
    ui::Twips left = 0;
    ui::Twips top = 0;
};

struct Step {
    Place shell;        // where the shell is drawn this tick
    bool advanced = false;  // whether the fields move on (the shell is not below the floor)
    State next;         // the fields after the tick (unchanged when not advanced)
};

// One tick: the shell is placed from the fields as they are (the references
// and the offset read as 16-bit integers, rounding half to even), then, while
// it is not below the floor, the fields advance. The fields hold numbers as
// text, so every advanced number is the one its text reads back as.
Step step(const State& state, const Inputs& inputs);

// A number as a field holds it once written as text and read back: the text
// keeps 15 significant digits.
double throughText(double value);

// The fire press writes the launch references as single-precision text
// (7 significant digits); this is the number they read back as.
double throughSingleText(double value);

// Whether a shell whose top-left corner is at (left, top) touches a vehicle:
// the corner lies strictly inside the vehicle's box widened by 100 twips to
// the left and to the top. The sums are compared in single precision, as the
// boxes are kept.
bool touches(const Place& shell, ui::Twips left, ui::Twips top, ui::Twips width, ui::Twips height);

} // namespace flight
