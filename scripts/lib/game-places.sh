#!/usr/bin/env bash
# Where the game's controls lie on the screen, and the first steps of a match
# taken with the mouse: what the end-to-end tests and the scripts that drive
# the real programs (benchmarks, screenshots) both click through. Sources
# scripts/lib/xvfb.sh.

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

# Where the mouse points, in twips of a window's client area (x y), each
# worked out once from the window's design.
# Setup window: the menu frame lies at (2040, 1440), the roster frame at (0, 0).
E2E_AT_DUEL="3660 2040"        # "Duel 1vs1": Command1 at (360, 360, 2535, 495) in the menu
E2E_AT_EXIT="3660 4440"        # "Exit": Command8 at (360, 2760, 2535, 495) in the menu
E2E_AT_START="3840 5100"       # "Start": Command5 at (2760, 4680, 2175, 855) on the roster
E2E_AT_BACK="4620 420"         # "back" at (4080, 120, 1095, 615) on the roster
# Battle window, the battlefield at (0, 0): two bare spots of the battlefield.
E2E_AT_BARE_FIELD="7200 6300"
E2E_AT_BARE_FIELD_NEAR="7500 6450"
# The shot's damage number `damage`: in kestrava2 it lies in the "Power" frame
# at (480, 840), at (600, 240, 180, 360) in the frame, and the "Score..."
# button at (600, 840, 975, 375) covers it down to 1215: below that. In
# kestrava1 it lies on the battlefield at (0, 0, 180, 360): low in it, clear
# of the shell sprite at (0, 0, 270, 285).
E2E_AT_DAMAGE_FULL="1170 1320"
E2E_AT_DAMAGE_WIND="90 300"
# Player 1's panel: gerakan lies at (0, 120); the gauges are as wide as the
# window less 270 (gerakan) less 3510, and 375 high.
E2E_AT_FIRE="2460 900"           # the fire button: Command1 at (1920, 600, 1095, 375) in gerakan
E2E_PANEL1_FAR_GAUGE="3000 600"  # the far gauge, ProgressBar1 at (3000, 480) in gerakan
E2E_PANEL1_HIGH_GAUGE="3000 1080" # the high gauge, slider1 at (3000, 960) in gerakan
# Player 2's panel (the second layout): the fire button, Command1 at (1920,
# 360, 1095, 375) in gerakan, which lies at (0, 120).
E2E_AT_FIRE_PANEL2="2460 660"

# e2e_open_duel_roster PROGRAM [ARG...]: starts PROGRAM (with ARGs), waits
# for its setup window and clicks "Duel 1vs1"; returns once the window's
# title says "2" (two players on the roster). Sets E2E_SETUP to its id.
e2e_open_duel_roster() {
  local program="$1"
  e2e_launch "$@"
  E2E_SETUP=$(e2e_wait_window "$program" 15)
  e2e_click_twips "$E2E_SETUP" $E2E_AT_DUEL
  e2e_wait_title "$E2E_SETUP" "2" 5
}

# e2e_wait_battle PROGRAM: waits for the battle window (titled "0" by the
# turn marker) and sets E2E_BATTLE to its id. kestrava2 puts the window at
# the screen's top left corner itself; kestrava1 leaves its place to the
# window manager, which may put it under the panels, so it is moved there as
# a player would, and the click places on the battlefield lie clear of them.
e2e_wait_battle() {
  E2E_BATTLE=$(e2e_wait_window "0" 20)
  if [ "$1" = "kestrava1" ]; then e2e_move_frame_to "$E2E_BATTLE" 0 0; fi
}

# e2e_start_duel PROGRAM [ARG...]: e2e_open_duel_roster, then clicks "Start"
# and waits for the battle window (e2e_wait_battle). Sets E2E_SETUP and
# E2E_BATTLE to the two windows' ids.
e2e_start_duel() {
  e2e_open_duel_roster "$@"
  e2e_click_twips "$E2E_SETUP" $E2E_AT_START
  e2e_wait_battle "$1"
}

# e2e_start_duel_hands_off PROGRAM [ARGS...]: as e2e_start_duel, but the
# pointer leaves for the far corner right after "Start", before the battle
# window opens: from then on it moves over no battlefield.
e2e_start_duel_hands_off() {
  e2e_open_duel_roster "$@"
  e2e_move_twips "$E2E_SETUP" $E2E_AT_START
  sleep 0.2
  xdotool click 1 mousemove 1279 1023
  E2E_BATTLE=$(e2e_wait_window "0" 20)
}

# e2e_call_first_panel: in the wind edition, player 1's panel comes with a
# pointer move over a bare spot of the battlefield, then a small move there.
e2e_call_first_panel() {
  e2e_move_twips "$E2E_BATTLE" $E2E_AT_BARE_FIELD
  sleep 0.2
  e2e_move_twips "$E2E_BATTLE" $E2E_AT_BARE_FIELD_NEAR
}

# e2e_duel_until_first_panel PROGRAM [ARGS...]: e2e_start_duel, then waits until player
# 1's panel is shown (calling it in the wind edition).
e2e_duel_until_first_panel() {
  e2e_start_duel "$@"
  if [ "$1" = "kestrava1" ]; then e2e_call_first_panel; fi
  e2e_wait_window "Player1" 10 >/dev/null
}

# e2e_panel1_gauge_width PANEL: the width in twips of player 1's gauges, which
# follow the panel's width.
e2e_panel1_gauge_width() {
  e2e_client_geometry "$1"
  echo $((WIDTH * 15 - 270 - 3510))
}

# e2e_fire_when_gauge_shows PANEL GAUGE VALUE: with the pointer on the fire
# button, watches player 1's GAUGE (E2E_PANEL1_FAR_GAUGE or
# E2E_PANEL1_HIGH_GAUGE) on the screen and presses as soon as it shows VALUE
# (of 50) or more; prints the value seen then.
e2e_fire_when_gauge_shows() {
  local panel="$1" gauge="$2" value="$3"
  e2e_press_at_bar_value "$panel" $gauge "$(e2e_panel1_gauge_width "$panel")" 375 50 "$value" 10
}
