#!/usr/bin/env bash
# The host quits in the middle of a match played over the network: kestrava2
# hosts on one screen, a second kestrava2 joins from another, the duel
# starts; the host's player closes the host's setup window, which ends the
# host program. The joined program stays, drops its mirrors of the host's
# windows and shows its own setup window and a message box (the host has
# closed the game); after OK, the setup window is still there and works:
# "Duel 1vs1" sets its title to "2".
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init "$1" "$2"
e2e_deadline 60
e2e_network_duel kestrava2

# The host's player closes its setup window, as with the title bar's close
# button (the window manager's Alt+F4).
xdotool windowfocus --sync "$E2E_SETUP"
xdotool key alt+F4
# (Waited for in this shell, the program's parent, to learn its status.)
e2e_wait_exit 10 >"$E2E_WORK/host-status"
[ "$(cat "$E2E_WORK/host-status")" = "0" ] || e2e_fail "the host ended with status $(cat "$E2E_WORK/host-status")"

e2e_use_screen joined
e2e_wait_gone_id "$E2E_JOINED_BATTLE" 10
# Two windows titled kestrava2: the message box and the setup window, told
# apart by size (the setup window is the larger one).
box="" setup=""
for i in $(seq 1 100); do
  ids=$(e2e_find_windows kestrava2)
  if [ "$(wc -w <<<"$ids")" -ge 2 ]; then
    for id in $ids; do
      e2e_client_geometry "$id"
      if [ "$WIDTH" -ge 500 ]; then setup="$id"; else box="$id"; fi
    done
    break
  fi
  sleep 0.1
done
[ -n "$box" ] && [ -n "$setup" ] || e2e_fail "the joined program shows: $(for id in $(xdotool search --onlyvisible --pid "$E2E_PROGRAM_PID"); do echo -n "'$(xdotool getwindowname "$id")' "; done)"
for title in 0 1 -1 Player1 Budi 2; do
  [ -z "$(e2e_find_windows "$title")" ] || e2e_fail "a mirror of the host's window '$title' is still shown"
done
e2e_press_ok "$box"
e2e_window_shown "$setup" || e2e_fail "the setup window closed with the message"
e2e_click_twips "$setup" $E2E_AT_DUEL
e2e_wait_title "$setup" "2" 5
e2e_pass "the host quits: the joined program drops the host's windows, says so and is back at its own setup window"
