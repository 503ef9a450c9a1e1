#!/usr/bin/env bash
# kestrava2, by mouse alone from the setup window to the winner: "Duel 1vs1",
# "Start"; player 1 gets the first turn; a click on the shot's damage number
# leaves player 2 with 10 energy; player 1 fires with full far and full high
# power, which from its starting place lands the shell on player 2 (no
# horizontal wind, vertical wind 5 in the first shot). The kill message comes
# first, then the winner's message, then the score board.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init_screen "$1" "$2"
e2e_deadline 55
e2e_launch kestrava2

setup=$(e2e_wait_window "kestrava2" 15)
e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 360 + 240))   # "Duel 1vs1"
e2e_wait_title "$setup" "2" 5
e2e_click_twips "$setup" $((2760 + 1080)) $((4680 + 420))               # "Start"

# The battle window is titled by the turn marker; player 1's turn gauge is
# the smaller one, so player 1's panel comes first.
battle=$(e2e_wait_window "0" 15)
panel=$(e2e_wait_window "Player1" 10)

# `damage` lies in the "Power" frame at (480, 840) on the battlefield, at
# (600, 240, 180, 360) in the frame: (1080..1260, 1080..1440) in the window,
# the battlefield being at (0, 0). The window's "Score..." button at
# (600, 840, 975, 375) covers its upper part down to 1215: click below that.
e2e_click_twips "$battle" 1170 1320

# The fire button: Command1 at (1920, 600, 1095, 375) in gerakan at (0, 120).
e2e_point_twips "$panel" $((1920 + 540)) $((120 + 600 + 180))
e2e_press_here            # "tembak": the far gauge rises, full after 50 x 30 ms (1.5 s; time to spare for a busy machine)
sleep 2.4
e2e_press_here            # "far ok": far power 50; the high gauge rises
sleep 2.4
e2e_press_here            # "high ok": high power 50; fire
e2e_wait_gone "Player1" 5

# About two seconds of flight, then the explosion one second after the hit.
kill_box=$(e2e_wait_window "kestrava2" 15)
e2e_press_ok "$kill_box"
winner_box=$(e2e_wait_new_window "kestrava2" 10 "$kill_box")
[ -z "$(e2e_find_windows "Score:")" ] || e2e_fail "the score board came before the winner's message"
e2e_press_ok "$winner_box"
e2e_wait_window "Score:" 10 >/dev/null

# No further message: the match is over.
sleep 1.5
[ -z "$(e2e_find_windows "kestrava2")" ] || e2e_fail "a third message box appeared"
e2e_pass "kestrava2 duel: damage click, full-power shot, kill message, winner's message, score board"
