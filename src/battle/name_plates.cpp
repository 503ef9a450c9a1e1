#include "battle/battle_window.h"

#include "app/game.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "ui/number_text.h"

// Name plates: the player's name and level above each vehicle; the plate of
// the player whose turn it is blinks.

namespace {
constexpr std::int64_t kPointsPerLevel = 100;
}

void BattleWindow::namePlateTick()
{
    // Blink the current player's plate; the plates of the players before it
    // are shown, those after it are left as they are. Between turns (-1)
    // every plate is shown.
    const std::optional<int> turn = game_.turnSlot();
    for (std::size_t k = 0; k < namePlate.size(); ++k) {
        if (turn == static_cast<int>(k)) {
            namePlate[k]->setVisible(!namePlate[k]->visible());
            break;
        }
        namePlate[k]->show();
    }

    // A vehicle out of the match takes its plate and energy bar with it.
    for (std::size_t k = 0; k < vehicle.size(); ++k) {
        if (!vehicle[k]->visible()) {
            energyBar[k]->hide();
            namePlate[k]->hide();
        }
    }

    // Name and level, above the vehicle. The level is the score divided by
    // 100, truncated towards zero (-150 is level -1).
    for (std::size_t k = 0; k < namePlate.size(); ++k) {
        const int slot = static_cast<int>(k);
        const std::int64_t level = numtext::readInt32(game_.Score().scoreText[k]->text()) / kPointsPerLevel;
        namePlate[k]->setCaption(game_.player(slot).caption() + QStringLiteral(" (Lv.") + numtext::text(level)
                                 + QLatin1Char(')'));
        namePlate[k]->move(vehicle[k]->left(), vehicle[k]->top() - kPlateAboveVehicle);
    }
}
