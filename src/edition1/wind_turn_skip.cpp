#include "edition1/wind_turn_skip.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "ui/number_text.h"

namespace windedition {

void passTurnOverDestroyed(Game& game, const std::function<void()>& declareDraw)
{
    for (int k = 0; k < 4; ++k) {
        // A turn moved on by an earlier slot is seen here: read it afresh.
        if (game.turnSlot() != k)
            continue;
        if (game.Battle().vehicle[k]->visible())
            continue;

        if (k == 0)
            game.player(0).hide();

        int next = -1;
        for (int step = 1; step <= 3 && next < 0; ++step) {
            const int candidate = (k + step) % 4;
            if (game.Battle().vehicle[candidate]->visible())
                next = candidate;
        }

        if (next >= 0)
            game.setTurnMarker(numtext::text(next));
        else
            declareDraw();  // nobody left to take the turn
    }
}

void recordFirstDestroyed(Game& game, int slot)
{
    ui::TextField& firstPlayer = game.windSetup().Text5;
    if (numtext::readDouble(firstPlayer.text()) == 0)
        firstPlayer.setText(numtext::text(slot + 1));
}

} // namespace windedition
