#pragma once

class Game;

// The steps of a match start that both editions' setup windows take.

// Shows the battle window (creating and loading it on first use), hides the
// score board and restarts its mirroring of names and scores.
void openBattleForMatch(Game& game);

// Each panel's title becomes its player's roster name, and its score the
// player's carried-over score from the score board.
void handPlayersToPanels(Game& game);
