#!/usr/bin/env bash
# On the roster of both programs, a real drag belongs to the widget under the
# pointer: the guide-line scale's handle follows it, and a drag across a name
# field selects the name (drawn in the selection colour). The scale lets go of
# the pointer at the release: a sweep with no button held moves nothing, and a
# click on its groove moves one step. A name selected by a drag is offered
# for a middle-click paste, as in any text field on the desktop.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init_screen "$1" "$2"

# selected_pixels ID X Y W: how many of the W pixels from (X, Y) twips of the
# window's client area are drawn in the selection colour.
selected_pixels() {
  e2e_client_geometry "$1"
  e2e_screen_row $((X + $2 / 15)) $((Y + $3 / 15)) $(($4 / 15)) | awk '$3 > $1 + 60 { n++ } END { print n + 0 }'
}

# dark_pixels ID X Y W: how many of the W pixels from (X, Y) twips are drawn
# dark, as the letters of a text are.
dark_pixels() {
  e2e_client_geometry "$1"
  e2e_screen_row $((X + $2 / 15)) $((Y + $3 / 15)) $(($4 / 15)) | awk '$1 < 100 && $2 < 100 && $3 < 100 { n++ } END { print n + 0 }'
}

# sweep ID Y X...: moves the pointer, no button held, through (X, Y) twips
# for each X given.
sweep() {
  local id="$1" y="$2" x
  shift 2
  for x in "$@"; do
    e2e_move_twips "$id" "$x" "$y"
    sleep 0.1
  done
  sleep 0.3
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

  # Released, the handle no longer follows the pointer across the scale.
  sweep "$setup" "$slider_row" $((slider_left + 5535 * 5 / 100)) $((slider_left + 5535 / 2)) \
    $((slider_left + 5535 * 95 / 100)) $((slider_left + 5535 * 60 / 100))
  swept=$(selected_pixels "$setup" "$slider_left" "$slider_row" 5535)
  [ "$swept" -ge $((after - 2)) ] && [ "$swept" -le $((after + 2)) ] ||
    e2e_fail "$program: a sweep after the drag moved the guide-line scale (filled $after pixels, $swept after the sweep)"

  # A click on the groove far right of the handle moves one step of 5 (about
  # 18 of the scale's 369 pixels), not all the way to the pointer, and the
  # next sweep moves nothing either.
  e2e_click_twips "$setup" $((slider_left + 5535 * 90 / 100)) "$slider_row"
  sleep 1
  clicked=$(selected_pixels "$setup" "$slider_left" "$slider_row" 5535)
  [ "$clicked" -ge $((swept + 8)) ] && [ "$clicked" -le $((swept + 30)) ] ||
    e2e_fail "$program: a click on the groove did not move one step (filled $swept pixels before, $clicked after)"
  sweep "$setup" "$slider_row" $((slider_left + 5535 * 10 / 100)) $((slider_left + 5535 * 98 / 100)) \
    $((slider_left + 5535 * 40 / 100))
  swept=$(selected_pixels "$setup" "$slider_left" "$slider_row" 5535)
  [ "$swept" -ge $((clicked - 2)) ] && [ "$swept" -le $((clicked + 2)) ] ||
    e2e_fail "$program: a sweep after the click moved the guide-line scale (filled $clicked pixels, $swept after the sweep)"

  # No name is selected until the pointer sweeps across it.
  name_row=$((name_top + 142))
  before=$(selected_pixels "$setup" $((frame_left + name_left)) "$name_row" 1695)
  drag "$setup" $((frame_left + name_left + 60)) "$name_row" $((frame_left + name_left + 1620)) "$name_row"
  after=$(selected_pixels "$setup" $((frame_left + name_left)) "$name_row" 1695)
  [ "$after" -gt $((before + 10)) ] ||
    e2e_fail "$program: a drag across the name selected nothing ($before selected pixels before, $after after)"

  # A middle click at the end of player 2's name pastes the selected name there.
  before=$(dark_pixels "$setup" $((frame_left + 5520)) "$name_row" 1695)
  e2e_move_twips "$setup" $((frame_left + 5520 + 1620)) "$name_row"
  sleep 0.2
  xdotool click 2
  sleep 0.5
  after=$(dark_pixels "$setup" $((frame_left + 5520)) "$name_row" 1695)
  [ "$after" -gt $((before + before / 2)) ] ||
    e2e_fail "$program: a middle click pasted no selected name ($before dark pixels before, $after after)"

  e2e_stop_program
done
e2e_pass "both rosters: a drag moves the guide-line scale, which lets go at the release, and selects a name to paste"
