#!/usr/bin/env bash
# kestrava1: "Duel 1vs1", "Start"; a pointer move over the battlefield brings
# back player 1's panel.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_launch kestrava1

setup=$(e2e_wait_window "kestrava1")
e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 360 + 240))   # "Duel 1vs1"
e2e_wait_title "$setup" "2"
e2e_click_twips "$setup" $((2760 + 1080)) $((4680 + 420))               # "Start"

battle=$(e2e_wait_window "0" 20)
# A bare spot of the battlefield, then a small move over it.
e2e_move_twips "$battle" 7200 6300
sleep 0.2
e2e_move_twips "$battle" 7500 6450
e2e_wait_window "Player1" 10 >/dev/null
e2e_pass "wind edition: a pointer move over the battlefield shows player 1's panel"
