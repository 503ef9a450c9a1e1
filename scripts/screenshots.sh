#!/usr/bin/env bash
# Plays the real programs under Xvfb with xdotool and writes the README's
# pictures (also named by the AppStream metainfo) into docs/screenshots/:
#
#   setup-menu.png        kestrava2's setup window, its main menu
#   roster-selector.png   the roster of a duel with the character selector open
#   kestrava2-battle.png  a duel: the guide line and a shell in flight
#   kestrava1-battle.png  the wind edition after a shot, with its wind texts
#
# and the same four in English, each named with "-en" before ".png".
#
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build/, built already)
# Needs Debian's xvfb, xdotool and python3-pil. A tool for developers: run it
# after a change to the windows, look at the pictures, and commit them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/game-places.sh"
out="$E2E_ROOT/docs/screenshots"
python=/usr/bin/python3

"$python" -c 'import PIL' 2>/dev/null ||
  e2e_fail "$python cannot import PIL: apt-get install python3-pil"
e2e_init_build "${1:-}"
for program in kestrava2 kestrava1; do
  [ -x "$E2E_BIN/$program" ] || e2e_fail "no $E2E_BIN/$program: build first (bash scripts/build.sh)"
done
mkdir -p "$out"

# shoot NAME WINDOW...: writes NAME.png, the part of the screen the windows
# cover together (their bounding box), as a player sees it.
shoot() {
  local name="$1" id left=99999 top=99999 right=0 bottom=0
  shift
  xdotool mousemove 1279 1023   # the pointer out of the picture
  sleep 0.3                     # let the last paint reach the screen
  for id in "$@"; do
    e2e_frame_geometry "$id"
    [ "$X" -lt "$left" ] && left=$X
    [ "$Y" -lt "$top" ] && top=$Y
    [ $((X + WIDTH)) -gt "$right" ] && right=$((X + WIDTH))
    [ $((Y + HEIGHT)) -gt "$bottom" ] && bottom=$((Y + HEIGHT))
  done
  "$python" - "$E2E_SCREEN_FILE" "$out/$name.png" "$left" "$top" "$right" "$bottom" <<'EOF'
import struct, sys
from PIL import Image

screen, target = sys.argv[1], sys.argv[2]
box = tuple(int(v) for v in sys.argv[3:7])
with open(screen, "rb") as f:
    data = f.read()
# An XWD file: a header of big-endian 32-bit fields, a colour map, then the pixels.
fields = struct.unpack(">25I", data[:100])
header_size, width, height = fields[0], fields[4], fields[5]
byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
colours = fields[19]
if bits_per_pixel != 32:
    sys.exit(f"screen file with {bits_per_pixel} bits per pixel")
start = header_size + colours * 12
layout = "BGRX" if byte_order == 0 else "XRGB"
picture = Image.frombuffer("RGB", (width, height), data[start:start + bytes_per_line * height],
                           "raw", layout, bytes_per_line, 1)
box = (max(box[0], 0), max(box[1], 0), min(box[2], width), min(box[3], height))
picture.crop(box).save(target, optimize=True)
EOF
  echo "wrote $out/$name.png"
}

# Player 1's picture on the roster of kestrava2: Image1 at (360, 720, 750, 900).
at_picture1="735 1170"

# shots LANGUAGE SUFFIX: the four pictures with the game shown in LANGUAGE,
# each named with SUFFIX before ".png".
shots() {
  local language="$1" suffix="$2" setup panel i
  # ---- kestrava2: the main menu, the roster with the selector, a shot ----
  e2e_launch kestrava2 --language "$language"
  setup=$(e2e_wait_window kestrava2)
  shoot "setup-menu$suffix" "$setup"
  e2e_click_twips "$setup" $E2E_AT_DUEL
  e2e_wait_title "$setup" "2"
  e2e_click_twips "$setup" $at_picture1      # opens the character selector
  sleep 0.5
  shoot "roster-selector$suffix" "$setup"
  e2e_stop_program

  e2e_duel_until_first_panel kestrava2 --language "$language"
  panel=$(e2e_wait_window "Player1" 10)
  # The gauges are pressed high enough for a shell that flies across the view.
  e2e_point_twips "$panel" $E2E_AT_FIRE
  e2e_press_here                                                   # "tembak"
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_FAR_GAUGE" 30 >/dev/null   # "far ok"
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_HIGH_GAUGE" 35 >/dev/null  # "high ok": fire
  sleep 0.4
  shoot "kestrava2-battle$suffix" "$E2E_BATTLE"
  e2e_stop_program

  # ---- kestrava1: a shot, then the wind texts of the next one ----
  e2e_duel_until_first_panel kestrava1 --language "$language"
  panel=$(e2e_wait_window "Player1" 10)
  e2e_point_twips "$panel" $E2E_AT_FIRE
  e2e_press_here
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_FAR_GAUGE" 25 >/dev/null
  e2e_fire_when_gauge_shows "$panel" "$E2E_PANEL1_HIGH_GAUGE" 30 >/dev/null
  e2e_wait_gone "Player1" 5
  # The shot ends below the window; pointer moves then bring player 2's panel.
  for i in $(seq 1 100); do
    e2e_move_twips "$E2E_BATTLE" $E2E_AT_BARE_FIELD
    sleep 0.05
    e2e_move_twips "$E2E_BATTLE" $E2E_AT_BARE_FIELD_NEAR
    sleep 0.05
    [ -n "$(e2e_find_windows Player2)" ] && break
  done
  panel=$(e2e_wait_window "Player2" 10)
  shoot "kestrava1-battle$suffix" "$E2E_BATTLE" "$panel"
  e2e_stop_program
}

shots id ""
shots en "-en"

e2e_pass "screenshots written to $out"
