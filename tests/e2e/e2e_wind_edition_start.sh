#!/usr/bin/env bash
# kestrava1: "Duel 1vs1", "Start"; a pointer move over the battlefield brings
# back player 1's panel.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_start_duel kestrava1
e2e_call_first_panel
e2e_wait_window "Player1" 10 >/dev/null
e2e_pass "wind edition: a pointer move over the battlefield shows player 1's panel"
