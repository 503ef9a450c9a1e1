#!/usr/bin/env bash
# kestrava1 --computer 1=hard,2=hard: after "Duel 1vs1" and "Start" nobody
# touches the battlefield (the pointer waits in the screen's far corner); the
# battle window is moved to the screen's top left corner, as the other wind
# edition tests do; the two computers bring their own panels and play the
# whole duel; only the message boxes' OK is pressed, up to the winner's
# message and the score board.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 170
e2e_start_duel_hands_off kestrava1 --computer 1=hard,2=hard
e2e_move_frame_to "$E2E_BATTLE" 0 0
e2e_wait_window "Player1" 10 >/dev/null

# The kill and the winner: both message boxes are titled kestrava1.
kill_box=$(e2e_wait_window "kestrava1" 140)
# OK on the kill message is held down for a second, as a late key release on
# a busy machine would hold it: the winner's message must still come and stay.
xdotool windowfocus --sync "$kill_box"
xdotool keydown Return
sleep 1
xdotool keyup Return
e2e_press_ok "$kill_box"
winner_box=$(e2e_wait_new_window "kestrava1" 10 "$kill_box")
e2e_press_ok "$winner_box"
e2e_wait_window "Score:" 10 >/dev/null
e2e_pass "kestrava1 --computer 1=hard,2=hard: a whole duel with nobody at the mouse but for the message boxes"
