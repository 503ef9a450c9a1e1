#pragma once

#include <functional>

class Game;

// The wind edition's switches of the impact handling: turns pass in a fixed
// rotation, so the battlefield pointer handler moves the turn on past players
// whose vehicle is gone, and the explosion remembers who lost a vehicle first
// so that this player moves first in the next match.
namespace windedition {

// For each player slot in ascending order, reading the turn marker afresh
// each time: when the marker names a player whose vehicle is hidden, the turn
// goes to the next player in cyclic order whose vehicle is shown (player 1's
// panel is hidden first when it was player 1's turn). When no other vehicle
// is shown, `declareDraw` runs instead and the marker is left as it is.
void passTurnOverDestroyed(Game& game, const std::function<void()>& declareDraw);

// Writes the number (1 to 4) of the player in `slot`, whose vehicle has just
// been destroyed, into the setup window's starting-player field when that
// field still reads 0, i.e. no vehicle has been destroyed since "Start".
void recordFirstDestroyed(Game& game, int slot);

} // namespace windedition
