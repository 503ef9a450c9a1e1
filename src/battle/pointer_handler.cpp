// The pointer moving over the battlefield keeps several things going: the
// wind dial and the next wind, the draw when nobody is left, and the panel of
// the player whose turn it is.

#include "battle/battle_window.h"

#include "app/game.h"
#include "app/game_words.h"
#include "edition1/wind_turn_skip.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "ui/message_box.h"
#include "ui/number_text.h"

namespace {

bool noVehicleLeft(const BattleWindow& battle)
{
    for (const ui::Sprite* car : battle.vehicle)
        if (car->visible())
            return false;
    return true;
}

// The match ends without a winner; no score changes. The panels of players 3
// and 4 are left as they are.
void declareDraw(Game& game)
{
    game.sound().drawDeclared();
    ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Draw!")));
    game.player(1).hide();
    game.player(0).hide();
    game.Score().show();
    game.Battle().Frame3.show();
}

} // namespace

void BattleWindow::battlefieldPointerMove(ui::Twips x, ui::Twips y)
{
    // Stop edge scrolling (the wind edition has no view scrolling).
    if (!game_.windEdition())
        scrol1.setCaption(words::noScroll());
    remotePointerMove(x, y);
}

void BattleWindow::remotePointerMove(ui::Twips x, ui::Twips y)
{
    const bool wind = game_.windEdition();

    // The wind dial follows the pointer; the next wind steps on.
    PlaceWindDial(x, y);
    AdvanceNextWind();

    if (wind) {
        // Turns pass in a fixed rotation: move it on past destroyed vehicles.
        windedition::passTurnOverDestroyed(game_, [this] { declareDraw(game_); });
        if (noVehicleLeft(*this))
            game_.setTurnMarker(words::firstTurn());
    } else if (noVehicleLeft(*this)) {
        declareDraw(game_);
    }

    // Keep the turn marker in range. Only a marker above the last slot wraps
    // to player 1; "-1" between turns and a fraction such as "2.5" stay.
    if (numtext::readDouble(game_.turnMarker()) > 3)
        game_.setTurnMarker(words::firstTurn());

    // Bring back the panel of the player whose turn it is, unless a shot or a
    // vehicle move is running.
    const std::optional<int> turn = game_.turnSlot();
    if (turn && !Timer1.enabled() && !Timer3.enabled() && !Timer4.enabled())
        game_.player(*turn).show();
}
