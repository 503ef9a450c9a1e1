#!/usr/bin/env bash
# kestrava1 played across two screens over the loopback: the host (--host,
# seat 2 left to the network) opens "Duel 1vs1", a second kestrava1 joins as
# Budi, the host clicks "Start". In the wind edition the turn's panel comes
# with a pointer move over the battlefield made on the machine whose seat
# holds the turn: the host's move brings player 1's panel (three quick
# presses fire); then a move over the joined screen's battlefield brings
# player 2's panel there and on the host, and its three presses on the
# joined screen fire. The battle window's title follows the turns on both
# screens. The host's player then kills player 2: the kill and the winner's
# messages show on both screens, each closed everywhere by one OK.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 90
e2e_network_duel kestrava1
host_battle="$E2E_BATTLE" joined_battle="$E2E_JOINED_BATTLE"
e2e_spy_titles "$host_battle"
e2e_use_screen joined
e2e_spy_titles "$joined_battle"

# Before any move on the host, a move over the joined screen's battlefield
# brings no panel: the turn is the host's player's.
E2E_BATTLE="$joined_battle" e2e_call_first_panel
sleep 1
[ -z "$(e2e_find_windows "Player1")" ] || e2e_fail "a move on the joined screen brought player 1's panel"
e2e_pointer_away

# Turn 1, the host's.
e2e_use_screen main
e2e_call_first_panel
panel=$(e2e_wait_window "Player1" 10)
e2e_click_twips "$panel" $E2E_AT_FIRE
e2e_click_twips "$panel" $E2E_AT_FIRE
e2e_click_twips "$panel" $E2E_AT_FIRE
e2e_wait_gone "Player1" 5
e2e_pointer_away

# Turn 2, the joined player's: its own move over its battlefield.
e2e_use_screen joined
e2e_wait_title_sequence "$joined_battle" 20 0 1
E2E_BATTLE="$joined_battle" e2e_call_first_panel
panel=$(e2e_wait_window "Budi" 10)
e2e_use_screen main
e2e_wait_window "Budi" 5 >/dev/null
e2e_use_screen joined
e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2
e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2
e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2
e2e_wait_gone "Budi" 5
e2e_pointer_away
# Its shell flew and the turn moved on from slot 1 (the wind edition passes
# turns in a fixed rotation over all four slots), on both screens.
e2e_wait_title_sequence "$joined_battle" 20 0 1 2
e2e_use_screen main
e2e_wait_title_sequence "$host_battle" 20 0 1 2
[ -z "$(e2e_find_windows "Budi")" ] || e2e_fail "player 2's panel is still shown on the host"

# Turn 3, the host's: its move brings player 1's panel again; a click on the
# shot's damage number leaves player 2 with 10 energy, and full far power
# with a high power of 25 lands on player 2 (as in e2e_winner_kestrava1).
e2e_call_first_panel
e2e_host_killing_shot kestrava1 "$host_battle" $E2E_AT_DAMAGE_WIND 25
e2e_pass "kestrava1 over the network: each machine's own pointer move brings its turn's panel, the joined player fires from its own screen, the turns pass on both, the winner's message closes on both at the first OK"
