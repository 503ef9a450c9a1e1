#!/usr/bin/env bash
# kestrava2 starts with its setup window; "Duel 1vs1" sets the title to "2";
# "Exit" ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_launch kestrava2

setup=$(e2e_wait_window "kestrava2")
# "Duel 1vs1": Command1 at (360, 360, 2535, 495) inside the menu frame at (2040, 1440).
e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 360 + 240))
e2e_wait_title "$setup" "2"

# Back to the menu ("back" at (4080, 120, 1095, 615) on the roster), then "Exit"
# (Command8 at (360, 2760, 2535, 495) in the menu frame).
e2e_click_twips "$setup" $((4080 + 540)) $((120 + 300))
e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 2760 + 240))
status=$(e2e_wait_exit 10)
[ "$status" = "0" ] || e2e_fail "exit status $status"
e2e_pass "setup window: Duel 1vs1 sets the title, Exit ends the program"
