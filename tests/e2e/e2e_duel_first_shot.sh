#!/usr/bin/env bash
# kestrava2: "Duel 1vs1", "Start"; the battle window appears; the turn
# scheduler hands player 1 the first turn (title "0", panel "Player1" shown);
# three presses of the fire button launch the shell; the panel hides, the shot
# ends (title "-1") and player 2 gets the next turn (title "1", "Player2" shown).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_launch kestrava2

setup=$(e2e_wait_window "kestrava2")
e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 360 + 240))   # "Duel 1vs1"
e2e_wait_title "$setup" "2"
e2e_click_twips "$setup" $((2760 + 1080)) $((4680 + 420))               # "Start"

battle=$(e2e_wait_window "0" 20)
e2e_spy_titles "$battle"
panel=$(e2e_wait_window "Player1" 10)

# The fire button: Command1 at (1920, 600, 1095, 375) in gerakan at (0, 120).
fire_x=$((1920 + 540)); fire_y=$((120 + 600 + 180))
e2e_click_twips "$panel" $fire_x $fire_y     # "tembak": the far gauge rises
sleep 0.4
e2e_click_twips "$panel" $fire_x $fire_y     # "far ok": the high gauge rises
sleep 0.4
e2e_click_twips "$panel" $fire_x $fire_y     # "high ok": fire
e2e_wait_gone "Player1" 5

e2e_wait_title_sequence "$battle" 30 -1 1
e2e_wait_window "Player2" 10 >/dev/null
e2e_pass "duel: first turn to player 1, shot fired and ended, next turn to player 2"
