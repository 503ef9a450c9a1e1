#include "app/game_camera.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "setup/roster_window.h"
#include "ui/choices.h"

namespace {

QString followKey() { return QStringLiteral("camera/follow"); }

} // namespace

bool GameCamera::follows() { return game_.Form1().Kamera.checked(); }

void GameCamera::startWithRememberedChoice()
{
    game_.Form1().Kamera.setChecked(ui::rememberedChoice(followKey(), false));
    remembering_ = true;
}

void GameCamera::boxClicked()
{
    if (remembering_)
        ui::rememberChoice(followKey(), follows());
    // A battle window made later reads the box when it is made.
    if (game_.battleExists())
        game_.Battle().FollowTurns(follows());
}

void GameCamera::centreOnTurn()
{
    if (game_.battleExists())
        game_.Battle().CentreOnTurn();
}
