#!/usr/bin/env bash
# kestrava2 starts with its setup window; "Duel 1vs1" sets the title to "2";
# "back" returns to the menu and "Exit" ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_open_duel_roster kestrava2
e2e_click_twips "$E2E_SETUP" $E2E_AT_BACK
e2e_click_twips "$E2E_SETUP" $E2E_AT_EXIT
status=$(e2e_wait_exit 10)
[ "$status" = "0" ] || e2e_fail "exit status $status"
e2e_pass "setup window: Duel 1vs1 sets the title, Exit ends the program"
