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
# The battle window is titled by the turn marker; player 1's turn gauge is
# the smaller one, so player 1's panel comes first.
e2e_start_duel kestrava2
battle="$E2E_BATTLE"
panel=$(e2e_wait_window "Player1" 10)

# A click on the shot's damage number (where: lib.sh).
e2e_click_twips "$battle" $E2E_AT_DAMAGE_FULL

# Each gauge is full after 50 ticks of 30 ms; the presses wait until the
# screen shows it full, however busy the machine.
e2e_point_twips "$panel" $E2E_AT_FIRE
e2e_press_here                                                   # "tembak": the far gauge rises
e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_FAR_GAUGE" 50 >/dev/null   # "far ok": far power 50; the high gauge rises
e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_HIGH_GAUGE" 50 >/dev/null  # "high ok": high power 50; fire
e2e_wait_gone "Player1" 5

# About two seconds of flight, then the explosion one second after the hit.
e2e_expect_kill_then_winner kestrava2
e2e_pass "kestrava2 duel: damage click, full-power shot, kill message, winner's message, score board"
