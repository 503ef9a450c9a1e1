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

# e2e_first_shot_by_keys PROGRAM: a duel of PROGRAM started with the mouse
# (in kestrava1 the first panel called by a pointer move over the
# battlefield), then player 1's whole turn by keys alone, half of them on the
# battle window, half on the panel: Up steps the vehicle up (the panel is
# back once it has glided), Left turns it, Right turns it back, then Space, Return
# and Space are the fire button's three presses. The battle window's titles
# are recorded from the start of the match (e2e_spy_titles); returns once
# player 1's panel has hidden after the shot.
e2e_first_shot_by_keys() {
  local program="$1" panel
  e2e_start_duel "$program"
  e2e_spy_titles "$E2E_BATTLE"
  if [ "$program" = "kestrava1" ]; then e2e_call_first_panel; fi
  panel=$(e2e_wait_window "Player1" 10)
  xdotool windowfocus --sync "$E2E_BATTLE"
  xdotool key Up
  # The glide takes under a fifth of a second; the panel is back after it.
  sleep 1
  panel=$(e2e_wait_window "Player1" 10)
  xdotool windowfocus --sync "$panel"
  xdotool key Left
  sleep 0.2
  xdotool key Right
  sleep 0.2
  xdotool windowfocus --sync "$E2E_BATTLE"
  xdotool key space
  sleep 0.3
  xdotool windowfocus --sync "$panel"
  xdotool key Return
  sleep 0.3
  xdotool key space
  e2e_wait_gone "Player1" 5
}

# ---- Network play: a host and a joined program, each on its own screen ----

# A port of the loopback for this test's host, away from the game's own (so
# a game or another test on the machine is left alone), and the join code.
E2E_NET_PORT=$((47300 + $$ % 600))
E2E_NET_CODE=246810

# e2e_network_duel PROGRAM: on the screen "main", PROGRAM hosts with seat 2
# left to the network and opens "Duel 1vs1"; on a second screen, "joined",
# PROGRAM joins it as Budi with the second character (player 2's own in
# a duel, so the turns and the vehicles are as in a duel at one machine)
# and shows the host's setup window; the host
# clicks "Start". Returns with the battle window on both screens; sets
# E2E_BATTLE (the host's) and E2E_JOINED_BATTLE, the screen "main" current.
e2e_network_duel() {
  local program="$1" i
  e2e_launch "$program" --host="$E2E_NET_PORT" --code "$E2E_NET_CODE" --remote 2
  E2E_SETUP=$(e2e_wait_window "$program" 15)
  # Hosting opens the network window over the setup window's corner, and
  # the window manager hands it the focus: the click waits for it.
  e2e_wait_window "Jaringan" 10 >/dev/null
  sleep 0.5
  for i in 1 2 3; do
    e2e_click_twips "$E2E_SETUP" $E2E_AT_DUEL
    for _ in $(seq 1 20); do
      [ "$(e2e_window_title "$E2E_SETUP")" = "2" ] && break 2
      sleep 0.1
    done
  done
  e2e_wait_title "$E2E_SETUP" "2" 1
  e2e_add_screen joined
  e2e_launch "$program" --join "127.0.0.1:$E2E_NET_PORT" --code "$E2E_NET_CODE" --name Budi --character 2
  # The host's roster, mirrored, titled by its two players.
  e2e_wait_window "2" 15 >/dev/null
  e2e_use_screen main
  e2e_click_twips "$E2E_SETUP" $E2E_AT_START
  e2e_pointer_away
  E2E_BATTLE=$(e2e_wait_battle_turn 20)
  if [ "$program" = "kestrava1" ]; then e2e_move_frame_to "$E2E_BATTLE" 0 0; fi
  e2e_use_screen joined
  E2E_JOINED_BATTLE=$(e2e_wait_battle_turn 15)
  e2e_use_screen main
}

# e2e_wait_battle_turn TIMEOUT_S: prints the id of the battle window, titled
# by its turn marker: "0" before the first turn, "1" once player 1's has come
# (which, with a second program to serve, may come before a look finds "0").
e2e_wait_battle_turn() {
  local timeout="$1" i id
  for i in $(seq 1 $((timeout * 10))); do
    for id in $(e2e_find_windows "0") $(e2e_find_windows "1"); do
      echo "$id"
      return 0
    done
    sleep 0.1
  done
  e2e_fail "no battle window within ${timeout}s"
}

# e2e_wait_gone_id ID [TIMEOUT_S]: waits until window ID is no longer shown.
e2e_wait_gone_id() {
  local id="$1" timeout="${2:-10}" i
  for i in $(seq 1 $((timeout * 10))); do
    e2e_window_shown "$id" || return 0
    sleep 0.1
  done
  e2e_fail "window $id ('$(xdotool getwindowname "$id" 2>/dev/null || true)') still shown after ${timeout}s"
}

# e2e_host_killing_shot PROGRAM BATTLE DAMAGE_X DAMAGE_Y HIGH: the host's
# player 1 (whose panel is up) clicks the shot's damage number at DAMAGE_X,
# DAMAGE_Y of the host's BATTLE window, fires with full far power and a high
# power of HIGH, and the kill and winner's messages follow on both screens.
e2e_host_killing_shot() {
  local program="$1" battle="$2" damage_x="$3" damage_y="$4" high="$5" panel
  panel=$(e2e_wait_window "Player1" 10)
  e2e_click_twips "$battle" "$damage_x" "$damage_y"
  e2e_point_twips "$panel" $E2E_AT_FIRE
  e2e_press_here
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_FAR_GAUGE" 50 >/dev/null
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_HIGH_GAUGE" "$high" >/dev/null
  e2e_wait_gone "Player1" 5
  e2e_pointer_away
  e2e_network_kill_then_winner "$program"
}

# e2e_network_kill_then_winner PROGRAM: after a killing shot in a network
# duel (e2e_network_duel): the kill message shows on both screens, and OK on
# the joined screen closes it on both; then the winner's message shows on
# both, and OK on the host closes it on both; the score board follows on the
# joined screen. Returns with the screen "main" current.
e2e_network_kill_then_winner() {
  local program="$1" host_box joined_box
  e2e_use_screen main
  host_box=$(e2e_wait_window "$program" 15)
  e2e_use_screen joined
  joined_box=$(e2e_wait_window "$program" 10)
  e2e_press_ok "$joined_box"
  e2e_use_screen main
  e2e_wait_gone_id "$host_box" 5
  host_box=$(e2e_wait_new_window "$program" 10 "$host_box")
  e2e_use_screen joined
  joined_box=$(e2e_wait_new_window "$program" 10 "$joined_box")
  e2e_use_screen main
  e2e_press_ok "$host_box"
  e2e_use_screen joined
  e2e_wait_gone_id "$joined_box" 5
  e2e_wait_window "Score:" 10 >/dev/null
  e2e_use_screen main
}
