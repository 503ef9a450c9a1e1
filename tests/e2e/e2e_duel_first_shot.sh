#!/usr/bin/env bash
# kestrava2: "Duel 1vs1", "Start"; the battle window appears; the turn
# scheduler hands player 1 the first turn (title "0", panel "Player1" shown);
# three presses of the fire button launch the shell; the panel hides, the shot
# ends (title "-1") and player 2 gets the next turn (title "1", "Player2" shown).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_start_duel kestrava2
e2e_spy_titles "$E2E_BATTLE"
panel=$(e2e_wait_window "Player1" 10)

e2e_click_twips "$panel" $E2E_AT_FIRE        # "tembak": the far gauge rises
e2e_click_twips "$panel" $E2E_AT_FIRE        # "far ok": the high gauge rises
e2e_click_twips "$panel" $E2E_AT_FIRE        # "high ok": fire
e2e_wait_gone "Player1" 5

e2e_wait_title_sequence "$E2E_BATTLE" 30 -1 1
e2e_wait_window "Player2" 10 >/dev/null
e2e_pass "duel: first turn to player 1, shot fired and ended, next turn to player 2"
