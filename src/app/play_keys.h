#pragma once

#include "ui/keys.h"

#include <vector>

class Game;
class PanelWindow;
namespace ui {
class Button;
}

// The keys of the battle window and of every panel: the arrows, Space and
// Enter press the buttons of the panel whose player holds the turn, F1 opens
// the help.
const std::vector<ui::Key>& playKeys();

// A key pressed on the battle window or a panel. A panel button's key is a
// player's click on that button, with all of a click's rules: it does nothing
// on a hidden panel, on a hidden or disabled button, or on a computer's seat.
void pressPlayKey(Game& game, ui::Key key);

// The panel button a key presses, or null for a key that presses none (F1,
// C).
ui::Button* playKeyButton(PanelWindow& panel, ui::Key key);
