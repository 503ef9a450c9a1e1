#!/usr/bin/env bash
# On the roster of both programs, a real drag belongs to the widget under the
# pointer: the guide-line scale's handle follows it, and a drag across a name
# field selects the name (drawn in the selection colour).
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init_screen "$1" "$2"

# selected_pixels ID X Y W: how many of the W pixels from (X, Y) twips of the
# window's client area are drawn in the selection colour.
selected_pixels() {
  e2e_client_geometry "$1"
  e2e_screen_row $((X + $2 / 15)) $((Y + $3 / 15)) $(($4 / 15)) | awk '$3 > $1 + 60 { n++ } END { print n + 0 }'
}

# drag ID X1 Y1 X2 Y2: presses at (X1, Y1) twips, moves in steps to (X2, Y2)
# with the button held, and releases there.
drag() {
  local id="$1"
  e2e_point_twips "$id" "$2" "$3"
  xdotool mousedown 1
  sleep 0.1
  local step
  for step in 1 2 3 4; do
    e2e_move_twips "$id" $(($2 + ($4 - $2) * step / 4)) $(($3 + ($5 - $3) * step / 4))
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.3
}

for program in kestrava2 kestrava1; do
  # The roster frame, moved to (0, 0) when it opens, holds the guide-line
  # scale Slider1 at (1080, 5760, 5535, 270) and player 1's name field Text1.
  frame_left=0
  if [ "$program" = kestrava2 ]; then name="360 2040"; else name="240 2160"; fi
  read -r name_left name_top <<<"$name"
  e2e_open_duel_roster "$program"
  setup="$E2E_SETUP"
  sleep 0.5

  # The scale starts at 70 of 100: its groove, drawn near the top of the
  # control, is filled about 70 % along.
  slider_left=$((frame_left + 1080)) slider_row=$((5760 + 60))
  before=$(selected_pixels "$setup" "$slider_left" "$slider_row" 5535)
  drag "$setup" $((slider_left + 5535 * 70 / 100)) "$slider_row" $((slider_left + 5535 * 20 / 100)) "$slider_row"
  after=$(selected_pixels "$setup" "$slider_left" "$slider_row" 5535)
  [ "$after" -lt $((before * 2 / 3)) ] ||
    e2e_fail "$program: the guide-line scale did not follow the drag (filled $before pixels before, $after after)"

  # No name is selected until the pointer sweeps across it.
  name_row=$((name_top + 142))
  before=$(selected_pixels "$setup" $((frame_left + name_left)) "$name_row" 1695)
  drag "$setup" $((frame_left + name_left + 60)) "$name_row" $((frame_left + name_left + 1620)) "$name_row"
  after=$(selected_pixels "$setup" $((frame_left + name_left)) "$name_row" 1695)
  [ "$after" -gt $((before + 10)) ] ||
    e2e_fail "$program: a drag across the name selected nothing ($before selected pixels before, $after after)"

  e2e_stop_program
done
e2e_pass "both rosters: a drag moves the guide-line scale and selects a name"
