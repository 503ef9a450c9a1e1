#!/usr/bin/env bash
# kestrava2 under a window manager: each window opens where the game places
# it, not where the manager would put it. The setup window's client area at
# (60, 405) twips, the battle window's outer frame at the screen's top left
# corner, player 1's panel's client area at (60, 6405) twips.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 60

# expect_corner WHAT X Y: the corner just read (X, Y) is where WHAT belongs.
expect_corner() {
  [ "$X,$Y" = "$2,$3" ] || e2e_fail "$1 at ($X, $Y) pixels, not ($2, $3)"
}

e2e_duel_until_first_panel kestrava2
e2e_client_geometry "$E2E_SETUP"
expect_corner "the setup window's client area" $((60 / 15)) $((405 / 15))
e2e_frame_geometry "$E2E_BATTLE"
expect_corner "the battle window's frame" 0 0
e2e_client_geometry "$(e2e_wait_window "Player1" 5)"
expect_corner "player 1's panel's client area" $((60 / 15)) $((6405 / 15))
e2e_pass "kestrava2 under a window manager: setup window, battle window and panel where the game put them"
