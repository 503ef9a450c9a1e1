#include "app/play_keys.h"

#include "app/game.h"
#include "panel/panel_window.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Which panel button each key presses.
const std::array<std::pair<ui::Key, ui::Button PanelWindow::*>, 6> kPanelButtons{{
    {ui::Key::Left, &PanelWindow::kiri},
    {ui::Key::Right, &PanelWindow::kanan},
    {ui::Key::Up, &PanelWindow::atas},
    {ui::Key::Down, &PanelWindow::bawah},
    {ui::Key::Space, &PanelWindow::Command1},
    {ui::Key::Enter, &PanelWindow::Command1},
}};

} // namespace

const std::vector<ui::Key>& playKeys()
{
    static const std::vector<ui::Key> keys{ui::Key::Left,  ui::Key::Right, ui::Key::Up, ui::Key::Down,
                                           ui::Key::Space, ui::Key::Enter, ui::Key::F1, ui::Key::C};
    return keys;
}

ui::Button* playKeyButton(PanelWindow& panel, ui::Key key)
{
    const auto entry = std::find_if(kPanelButtons.begin(), kPanelButtons.end(),
                                    [key](const auto& row) { return row.first == key; });
    return entry == kPanelButtons.end() ? nullptr : &(panel.*(entry->second));
}

void pressPlayKey(Game& game, ui::Key key)
{
    if (key == ui::Key::F1) {
        game.showHelp();
        return;
    }
    if (key == ui::Key::C) {
        game.camera().centreOnTurn();
        return;
    }
    const auto entry = std::find_if(kPanelButtons.begin(), kPanelButtons.end(),
                                    [key](const auto& row) { return row.first == key; });
    // Reading the turn marker would make player1's panel: with no panel made
    // yet, no turn is under way.
    if (entry == kPanelButtons.end() || !game.panelExists(0))
        return;
    const std::optional<int> slot = game.turnSlot();
    if (!slot || !game.panelExists(*slot))
        return;
    (game.player(*slot).*(entry->second)).click();
}
