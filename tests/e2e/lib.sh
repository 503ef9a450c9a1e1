#!/usr/bin/env bash
# Helpers for end-to-end tests: a private Xvfb screen, the real program
# started in its picture folder, clicks at real screen positions with xdotool
# (scripts/lib/xvfb.sh, shared with the benchmark scripts), the game's click
# places and first steps (scripts/lib/game-places.sh), and the whole matches
# the tests play.
#
# Usage in a test script:  source lib.sh; e2e_init "$1" "$2"; e2e_launch kestrava2; ...

set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/game-places.sh"

# e2e_first_shot_by_hand PROGRAM [ARG...]: e2e_start_duel (with ARGs), the
# battle window's titles recorded from then on (e2e_spy_titles); player 1
# gets the first turn and fires with three presses of its fire button,
# wherever the gauges stand; returns once its panel has hidden.
e2e_first_shot_by_hand() {
  e2e_start_duel "$@"
  e2e_spy_titles "$E2E_BATTLE"
  local panel
  panel=$(e2e_wait_window "Player1" 10)
  e2e_click_twips "$panel" $E2E_AT_FIRE        # "tembak": the far gauge rises
  e2e_click_twips "$panel" $E2E_AT_FIRE        # "far ok": the high gauge rises
  e2e_click_twips "$panel" $E2E_AT_FIRE        # "high ok": fire
  e2e_wait_gone "Player1" 5
}

# e2e_winning_duel_kestrava2 [ARG...]: kestrava2 (started with ARGs) from the
# setup window to the winner, by mouse alone: "Duel 1vs1", "Start"; player 1
# gets the first turn; a click on the shot's damage number leaves player 2
# with 10 energy; player 1 fires with full far and full high power, which from
# its starting place lands the shell on player 2. Then the kill message, the
# winner's message and the score board.
e2e_winning_duel_kestrava2() {
  e2e_start_duel kestrava2 "$@"
  local battle="$E2E_BATTLE" panel
  panel=$(e2e_wait_window "Player1" 10)
  e2e_click_twips "$battle" $E2E_AT_DAMAGE_FULL
  # Each gauge is full after 50 ticks of 30 ms; the presses wait until the
  # screen shows it full, however busy the machine.
  e2e_point_twips "$panel" $E2E_AT_FIRE
  e2e_press_here
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_FAR_GAUGE" 50 >/dev/null
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_HIGH_GAUGE" 50 >/dev/null
  e2e_wait_gone "Player1" 5
  e2e_expect_kill_then_winner kestrava2
}

# e2e_expect_kill_then_winner PROGRAM: after a killing shot, the kill message
# comes first, then the winner's message, then the score board; pressing OK
# on each, and nothing further is shown. Both boxes are titled PROGRAM.
e2e_expect_kill_then_winner() {
  local program="$1" kill_box winner_box
  kill_box=$(e2e_wait_window "$program" 15)
  e2e_press_ok "$kill_box"
  winner_box=$(e2e_wait_new_window "$program" 10 "$kill_box")
  [ -z "$(e2e_find_windows "Score:")" ] || e2e_fail "the score board came before the winner's message"
  e2e_press_ok "$winner_box"
  e2e_wait_window "Score:" 10 >/dev/null
  # No further message: the match is over.
  sleep 1.5
  [ -z "$(e2e_find_windows "$program")" ] || e2e_fail "a third message box appeared"
}
