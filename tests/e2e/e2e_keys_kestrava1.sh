#!/usr/bin/env bash
# kestrava1 by keys: after "Duel 1vs1", "Start" and a pointer move over the
# battlefield that brings player 1's panel, player 1's turn is played with
# keys alone, from a step to the shot (e2e_first_shot_by_keys); the shot ends
# with the turn passed on (title "1"). F1 on the setup window opens the help.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 90
e2e_first_shot_by_keys kestrava1
e2e_wait_title_sequence "$E2E_BATTLE" 30 1
xdotool windowfocus --sync "$E2E_SETUP"
xdotool key F1
e2e_wait_window "Bantuan - kestrava1" 10 >/dev/null
e2e_pass "kestrava1: player 1's turn by keys from a step to the shot, turn passed on, F1 opens the help"
