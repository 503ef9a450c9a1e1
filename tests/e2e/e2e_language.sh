#!/usr/bin/env bash
# PROGRAM --language en shows English captions on the setup window and on
# player 1's panel; --language id and a first start show the Indonesian ones;
# --language saves nothing. Each run checksums what the screen shows of the
# main menu's caption "Pilih tipe game:" and of the panel's fire button
# "tembak".
# Usage: e2e_language.sh PROGRAM BIN_DIR ASSETS_DIR
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
program="$1"
e2e_init_screen "$2" "$3"
e2e_deadline 150
# The remembered choices go to a scratch home, never the user's.
export HOME="$E2E_WORK/home"
export XDG_CONFIG_HOME="$HOME/.config"
settings="$XDG_CONFIG_HOME/kestrava/kestrava.conf"

# region_print ID LEFT TOP WIDTH HEIGHT: a checksum of the screen's pixels in
# that rectangle, in twips of window ID's client area.
region_print() {
  local id="$1" left="$2" top="$3" width="$4" height="$5" row
  e2e_client_geometry "$id"
  for row in $(seq $((Y + top / 15)) $((Y + (top + height) / 15 - 1))); do
    e2e_screen_row $((X + left / 15)) "$row" $((width / 15))
  done | md5sum | cut -d' ' -f1
}

# captions [ARG...]: the program started with ARGs; prints the checksums of
# the menu's caption (the top of the menu frame at (2040, 1440), 3135 wide)
# and of player 1's fire button (Command1 at (1920, 600, 1095, 375) in
# gerakan, which lies at (0, 120)), each as soon as its window is up.
captions() {
  local menu panel
  e2e_launch "$program" "$@"
  E2E_SETUP=$(e2e_wait_window "$program" 15)
  e2e_pointer_away
  sleep 0.5
  menu=$(region_print "$E2E_SETUP" 2040 1440 3135 255)
  e2e_click_twips "$E2E_SETUP" $E2E_AT_DUEL
  e2e_wait_title "$E2E_SETUP" "2" 5
  e2e_click_twips "$E2E_SETUP" $E2E_AT_START
  E2E_BATTLE=$(e2e_wait_window "0" 20)
  if [ "$program" = "kestrava1" ]; then e2e_call_first_panel; fi
  panel=$(e2e_wait_window "Player1" 10)
  e2e_pointer_away
  sleep 0.5
  echo "$menu $(region_print "$panel" 1920 720 1095 375)"
  e2e_stop_program
}

first=$(captions)
indonesian=$(captions --language id)
english=$(captions --language en)
[ "$first" = "$indonesian" ] || e2e_fail "a first start ($first) does not look as --language id ($indonesian)"
[ "${english%% *}" != "${indonesian%% *}" ] || e2e_fail "--language en left the menu's caption as it was"
[ "${english##* }" != "${indonesian##* }" ] || e2e_fail "--language en left the fire button's caption as it was"
if [ -f "$settings" ] && grep -q '^language=' "$settings"; then
  e2e_fail "--language saved a choice: $(grep '^language=' "$settings")"
fi
e2e_pass "$program: --language en shows English on the setup window and the panel; saves nothing"
