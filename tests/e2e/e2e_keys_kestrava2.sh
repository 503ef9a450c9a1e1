#!/usr/bin/env bash
# kestrava2 by keys: after "Duel 1vs1" and "Start", player 1's turn is played
# with keys alone, from a step to the shot (e2e_first_shot_by_keys); the shot
# ends and player 2 gets the next turn. F1 then opens the help window, which
# stays open while player 2's panel is up.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 90
e2e_first_shot_by_keys kestrava2
e2e_wait_title_sequence "$E2E_BATTLE" 30 -1 1
e2e_wait_window "Player2" 10 >/dev/null
xdotool windowfocus --sync "$E2E_BATTLE"
xdotool key F1
e2e_wait_window "Bantuan - kestrava2" 10 >/dev/null
e2e_wait_window "Player2" 5 >/dev/null
e2e_pass "kestrava2: player 1's turn by keys from a step to the shot, next turn to player 2, F1 opens the help"
