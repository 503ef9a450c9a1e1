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
# the smaller one, so player 1's panel comes first. About two seconds of
# flight, then the explosion one second after the hit.
e2e_winning_duel_kestrava2
e2e_pass "kestrava2 duel: damage click, full-power shot, kill message, winner's message, score board"
