#pragma once

#include "ui/twips.h"

#include <QString>

// One tick of view scrolling as pure arithmetic: the battle window's scroll
// timer runs it on the battlefield's place, and a joined program runs it on
// its own view of the host's battlefield. Both move alike, tick for tick.
namespace scroll {

// Which way the view scrolls: the battlefield moves the other way under the
// window. None leaves it where it is.
enum class Direction { None, Left, Right, Up, Down };

// How far the battlefield moves in one tick.
inline constexpr ui::Twips kStep = 100;

// The battlefield's top-left corner in the window, in twips.
struct Place {
    ui::Twips left = 0;
    ui::Twips top = 0;
    bool operator==(const Place&) const = default;
};

// The direction a scroll word names ("kiri", "kanan", "atas", "bawah");
// None for any other word, "no" included.
Direction directionOf(const QString& word);

// The battlefield's place after one tick. Nothing limits how far it goes.
Place step(Place view, Direction direction);

} // namespace scroll
