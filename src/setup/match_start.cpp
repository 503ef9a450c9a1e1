#include "setup/match_start.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "computer/computer_player.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"

void openBattleForMatch(Game& game)
{
    game.Battle().show();
    game.Score().hide();
    game.Score().Check1.setChecked(true);
    game.Score().Timer1.start();
    // The computer players begin the new match with fresh minds.
    if (game.computerExists())
        game.Computer().newMatch();
}

void handPlayersToPanels(Game& game)
{
    for (int slot = 0; slot < 4; ++slot)
        game.player(slot).setCaption(game.Form1().panelTitle(slot));
    // Scores typed on the board while its mirroring was off count too.
    for (int slot = 0; slot < 4; ++slot)
        game.player(slot).score1.setCaption(game.Score().scoreText[slot]->text());
}
