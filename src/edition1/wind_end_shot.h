#pragma once

class Game;
class BattleWindow;

// The wind edition's end of a shot: turns pass in a fixed rotation instead of
// through the turn scheduler, and both wind components are written out.
namespace windedition {

// Moves the turn marker to the next player (wrapping after the number of
// players in the setup window's title) and grants that player 3 movement
// points.
void passTurnInRotation(Game& game);

// Writes the current wind into the horizontal (Label5) and vertical (Label6)
// wind texts.
void writeEndShotWindTexts(BattleWindow& battle);

} // namespace windedition
