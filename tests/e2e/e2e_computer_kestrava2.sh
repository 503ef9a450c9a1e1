#!/usr/bin/env bash
# kestrava2 --computer 2=hard: player 1 fires by real clicks on its panel;
# then the turn passes to player 2, the computer, whose panel shows and whose
# shot leaves with nobody at the mouse; after it player 1's panel comes back.
# The battle window is titled by the turn marker: "0" player 1, "-1" between
# turns, "1" player 2.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 100
e2e_first_shot_by_hand kestrava2 --computer 2=hard
e2e_pointer_away

# Player 2's turn: its panel shows, and the computer fires within 6 s.
e2e_wait_title_sequence "$E2E_BATTLE" 30 -1 1
e2e_wait_window "Player2" 10 >/dev/null
e2e_wait_gone "Player2" 10
e2e_wait_title_sequence "$E2E_BATTLE" 30 -1 1 -1 0
e2e_wait_window "Player1" 15 >/dev/null
e2e_pass "kestrava2 --computer 2=hard: player 1 fired by hand, the computer's turn played alone, player 1's panel back"
