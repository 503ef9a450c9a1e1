#!/usr/bin/env bash
# kestrava2: "Duel 1vs1", "Start"; the battle window appears; the turn
# scheduler hands player 1 the first turn (title "0", panel "Player1" shown);
# three presses of the fire button launch the shell; the panel hides, the shot
# ends (title "-1") and player 2 gets the next turn (title "1", "Player2" shown).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_first_shot_by_hand kestrava2
e2e_wait_title_sequence "$E2E_BATTLE" 30 -1 1
e2e_wait_window "Player2" 10 >/dev/null
e2e_pass "duel: first turn to player 1, shot fired and ended, next turn to player 2"
