#!/usr/bin/env bash
# kestrava2 played across two screens over the loopback, as two machines
# would: the host (--host, seat 2 left to the network) opens "Duel 1vs1";
# a second program joins as Budi and mirrors the host's windows; the host
# clicks "Start". Player 1 (the host) fires a weak shot; player 2's panel
# shows on the joined screen, whose three presses fire; the battle window's
# title moves on to the next turn on both screens. Player 1 then clicks the
# shot's damage number (player 2 left with 10 energy) and fires at full
# power, which from its starting place, with the wind untouched, lands on
# player 2: the kill message and the winner's message show on both screens,
# and OK pressed on one screen closes the box on both.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 90
e2e_network_duel kestrava2

# Turn 1, the host's: three quick presses.
e2e_use_screen main
host_battle="$E2E_BATTLE"
e2e_spy_titles "$host_battle"
e2e_use_screen joined
e2e_spy_titles "$E2E_JOINED_BATTLE"
e2e_use_screen main
panel=$(e2e_wait_window "Player1" 10)
e2e_click_twips "$panel" $E2E_AT_FIRE
e2e_click_twips "$panel" $E2E_AT_FIRE
e2e_click_twips "$panel" $E2E_AT_FIRE
e2e_wait_gone "Player1" 5
e2e_pointer_away

# Turn 2, the joined player's, on its own screen.
e2e_use_screen joined
joined_battle="$E2E_JOINED_BATTLE"
# A held seat's panel is titled by its player's name.
panel=$(e2e_wait_window "Budi" 15)
e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2
e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2
e2e_click_twips "$panel" $E2E_AT_FIRE_PANEL2
e2e_wait_gone "Budi" 5
e2e_pointer_away
# The title is the turn's slot, -1 while a shell flies: player 2's turn, its
# shell's flight, then player 1's turn again, on both screens.
e2e_wait_title_sequence "$joined_battle" 20 1 -1 0
e2e_use_screen main
e2e_wait_title_sequence "$host_battle" 20 1 -1 0
[ -z "$(e2e_find_windows "Budi")" ] || e2e_fail "player 2's panel is still shown on the host"

# Turn 3, the host's: the killing shot.
e2e_host_killing_shot kestrava2 "$host_battle" $E2E_AT_DAMAGE_FULL 50
e2e_pass "kestrava2 over the network: the joined player fires from its own screen, the turns pass on both, the winner's message closes on both at the first OK"
