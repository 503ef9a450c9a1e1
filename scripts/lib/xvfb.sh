#!/usr/bin/env bash
# Driving a real program on a private Xvfb screen: the screen started and
# cleaned up, the program started in its picture folder, its windows waited
# for by title, clicks and pointer moves at twips of a window's client area
# (xdotool), and the screen's pixels read back. A window manager (openbox)
# runs on the screen, as on a player's desktop: it frames the windows and
# honours the places the game asks for. Used by the end-to-end tests
# (through tests/e2e/lib.sh) and by the benchmark and screenshot scripts.
#
# Usage:  source scripts/lib/xvfb.sh; e2e_init BIN_DIR ASSETS_DIR; e2e_launch kestrava2; ...
# (a script of the tree: e2e_init_build [BUILD_DIR] in place of e2e_init).
# The script that sources it sets its own shell options.

# The source tree this library belongs to.
E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_XVFB_PID=""
E2E_WM_PID=""
E2E_PROGRAM_PID=""
E2E_WORK=""
E2E_SCREEN_FILE=""

e2e_fail() {
  echo "FAIL: $*" >&2
  local log
  for log in "$E2E_WORK"/program.log "$E2E_WORK"/*/program.log; do
    if [ -n "$E2E_WORK" ] && [ -f "$log" ]; then
      echo "--- program output (${log#"$E2E_WORK"/}) ---" >&2
      cat "$log" >&2
    fi
  done
  exit 1
}

# e2e_stop_program: ends the program started last, if it still runs, and
# waits until it has gone.
e2e_stop_program() {
  if [ -n "$E2E_PROGRAM_PID" ]; then
    kill "$E2E_PROGRAM_PID" 2>/dev/null || true
    wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  fi
  E2E_PROGRAM_PID=""
}

e2e_cleanup() {
  e2e_save_screen
  local name
  for name in "${!E2E_SCREENS[@]}"; do
    e2e_use_screen "$name"
    e2e_stop_program
    e2e_stop_screen
  done
  [ -n "$E2E_WORK" ] && rm -rf "$E2E_WORK"
}

# e2e_stop_screen: ends the current screen's window manager and Xvfb.
e2e_stop_screen() {
  if [ -n "$E2E_WM_PID" ]; then
    kill "$E2E_WM_PID" 2>/dev/null || true
    wait "$E2E_WM_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  E2E_WM_PID="" E2E_XVFB_PID=""
}

# ---- More than one screen ----
# A test may run programs on several screens at once (two machines playing
# over the network, say): e2e_init starts the screen named "main";
# e2e_add_screen NAME starts another and makes it current; e2e_use_screen
# NAME makes a screen current again. Everything else (launching, waiting for
# windows, clicking, reading pixels) acts on the current screen and the
# program started last on it. Each screen's program writes its own log.
declare -A E2E_SCREENS=()
E2E_SCREEN_NAME=""
E2E_PROGRAM_LOG=""

# e2e_save_screen: remembers the current screen's state under its name.
e2e_save_screen() {
  [ -n "$E2E_SCREEN_NAME" ] || return 0
  E2E_SCREENS[$E2E_SCREEN_NAME]="$DISPLAY|$E2E_XVFB_PID|$E2E_WM_PID|$E2E_PROGRAM_PID|$E2E_SCREEN_FILE|$E2E_PROGRAM_LOG"
}

# e2e_use_screen NAME: makes screen NAME (and its program) current.
e2e_use_screen() {
  [ -n "${E2E_SCREENS[$1]+set}" ] || e2e_fail "no screen named '$1'"
  e2e_save_screen
  E2E_SCREEN_NAME="$1"
  IFS='|' read -r DISPLAY E2E_XVFB_PID E2E_WM_PID E2E_PROGRAM_PID E2E_SCREEN_FILE E2E_PROGRAM_LOG \
    <<<"${E2E_SCREENS[$1]}"
  export DISPLAY
}

# e2e_add_screen NAME: starts another Xvfb screen with its own window
# manager and makes it current (after e2e_init).
e2e_add_screen() {
  e2e_save_screen
  E2E_SCREEN_NAME="$1"
  E2E_PROGRAM_PID=""
  e2e_start_screen "$E2E_WORK/$1"
  e2e_save_screen
}

# e2e_start_screen DIR: starts Xvfb on a free display, keeping its files in
# DIR, and a window manager on it; sets DISPLAY and the current screen's
# state.
e2e_start_screen() {
  local dir="$1"
  # Xvfb picks a free display itself and writes its number once it is ready.
  # It must not reset when its last client leaves (a probe such as xdpyinfo),
  # or the program could meet a server in the middle of its reset. It keeps
  # its screen's pixels in a file, which e2e_screen_row reads. Its keys do
  # not repeat (-r): on a busy machine the release of a key sent with
  # xdotool can come late, and a repeated Return that closed one message box
  # would close the next one (a kill's, then the winner's) before anyone saw it.
  mkdir -p "$dir/screen"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -r -nolisten tcp -noreset -fbdir "$dir/screen" \
    3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  E2E_SCREEN_FILE="$dir/screen/Xvfb_screen0"
  E2E_PROGRAM_LOG="$dir/program.log"
  local i
  for i in $(seq 1 100); do
    if [ -s "$dir/display" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$dir/display")"
      xdpyinfo >/dev/null 2>&1 && { e2e_start_window_manager "$dir"; return 0; }
    fi
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  e2e_fail "could not start Xvfb"
}

# e2e_init BIN_DIR ASSETS_DIR: starts Xvfb on a free display.
e2e_init() {
  E2E_BIN="$(cd "$1" && pwd)"
  E2E_ASSETS="$(cd "$2" && pwd)"
  E2E_WORK="$(mktemp -d)"
  trap e2e_cleanup EXIT
  unset QT_QPA_PLATFORM
  E2E_SCREEN_NAME="main"
  e2e_start_screen "$E2E_WORK"
  e2e_save_screen
}

# e2e_start_window_manager DIR: starts openbox on the screen with its stock
# settings (none of the user's own) and waits until it has taken the screen,
# which it announces on the root window. Its log goes to DIR.
e2e_start_window_manager() {
  local dir="$1"
  mkdir -p "$E2E_WORK/wm-config"
  XDG_CONFIG_HOME="$E2E_WORK/wm-config" openbox --sm-disable >"$dir/wm.log" 2>&1 &
  E2E_WM_PID=$!
  local i
  for i in $(seq 1 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
      return 0
    fi
    kill -0 "$E2E_WM_PID" 2>/dev/null || break
    sleep 0.1
  done
  cat "$dir/wm.log" >&2
  e2e_fail "the window manager (openbox) did not take the screen"
}

# e2e_init_build [BUILD_DIR]: e2e_init for the programs built in BUILD_DIR
# (when empty or not given: the tree's build/) and the tree's picture folder.
# Sets E2E_BUILD to the build folder's full path.
e2e_init_build() {
  local dir="${1:-$E2E_ROOT/build}"
  E2E_BUILD="$(cd "$dir" 2>/dev/null && pwd)" || e2e_fail "no build folder $dir: build first (bash scripts/build.sh)"
  e2e_init "$E2E_BUILD/bin" "$E2E_ROOT/assets"
}

# e2e_launch PROGRAM [ARG...]: starts the program in the picture folder.
e2e_launch() {
  (cd "$E2E_ASSETS" && exec "$E2E_BIN/$1" "${@:2}") >"$E2E_PROGRAM_LOG" 2>&1 &
  E2E_PROGRAM_PID=$!
}

# e2e_wait_window TITLE [TIMEOUT_S]: prints the id of the program's visible
# window whose title is exactly TITLE.
e2e_wait_window() {
  local title="$1" timeout="${2:-20}" i id
  for i in $(seq 1 $((timeout * 10))); do
    for id in $(xdotool search --onlyvisible --pid "$E2E_PROGRAM_PID" 2>/dev/null || true); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "$title" ]; then
        echo "$id"
        return 0
      fi
    done
    if ! kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
      local status=0
      wait "$E2E_PROGRAM_PID" || status=$?
      e2e_fail "the program ended (status $status, DISPLAY $DISPLAY) while waiting for window '$title'"
    fi
    sleep 0.1
  done
  e2e_fail "no visible window titled '$title' within ${timeout}s"
}

# e2e_wait_gone TITLE [TIMEOUT_S]: waits until no visible window has TITLE.
e2e_wait_gone() {
  local title="$1" timeout="${2:-20}" i id found
  for i in $(seq 1 $((timeout * 10))); do
    found=""
    for id in $(xdotool search --onlyvisible --pid "$E2E_PROGRAM_PID" 2>/dev/null || true); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "$title" ] && found=1
    done
    [ -z "$found" ] && return 0
    sleep 0.1
  done
  e2e_fail "window '$title' still visible after ${timeout}s"
}

# e2e_window_title ID: prints the window's title.
e2e_window_title() {
  xdotool getwindowname "$1"
}

# e2e_wait_title ID TITLE [TIMEOUT_S]: waits until window ID is titled TITLE.
e2e_wait_title() {
  local id="$1" title="$2" timeout="${3:-20}" i
  for i in $(seq 1 $((timeout * 10))); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "$title" ] && return 0
    sleep 0.1
  done
  e2e_fail "window title is '$(xdotool getwindowname "$id" 2>/dev/null || true)', expected '$title'"
}

# e2e_client_geometry ID: sets X, Y, WIDTH and HEIGHT to the place and size
# of window ID's client area on the screen, in pixels. Read with xwininfo:
# under a window manager xdotool's getwindowgeometry counts the frame's offset
# twice.
e2e_client_geometry() {
  local info
  info=$(xwininfo -id "$1" 2>/dev/null) || e2e_fail "no window $1"
  X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
  Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
  WIDTH=$(sed -n 's/^ *Width: *//p' <<<"$info")
  HEIGHT=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# e2e_frame_geometry ID: as e2e_client_geometry, for the window's outer frame
# (title bar and borders included), as the window manager announces it.
e2e_frame_geometry() {
  e2e_client_geometry "$1"
  local extents left right top bottom
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/^.* = //p' | tr -d ' ')
  [ -n "$extents" ] || return 0
  IFS=, read -r left right top bottom <<<"$extents"
  X=$((X - left))
  Y=$((Y - top))
  WIDTH=$((WIDTH + left + right))
  HEIGHT=$((HEIGHT + top + bottom))
}

# e2e_move_frame_to ID X Y: moves window ID, as a player drags it by its
# title bar, until its outer frame's corner is at (X, Y) screen pixels.
e2e_move_frame_to() {
  local id="$1" x="$2" y="$3" i
  for i in $(seq 1 50); do
    e2e_frame_geometry "$id"
    local frame_x="$X" frame_y="$Y"
    [ "$frame_x,$frame_y" = "$x,$y" ] && return 0
    if [ $((i % 10)) -eq 1 ]; then
      # The manager takes the place asked for as the client area's.
      e2e_client_geometry "$id"
      xdotool windowmove "$id" $((X + x - frame_x)) $((Y + y - frame_y))
    fi
    sleep 0.1
  done
  e2e_fail "window $id stays at ($frame_x, $frame_y), not ($x, $y)"
}

# e2e_click_twips ID X Y: clicks at (X, Y) twips of the window's client area,
# at the real screen position of that point.
e2e_click_twips() {
  local id="$1" x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  e2e_client_geometry "$id"
  xdotool mousemove $((X + x)) $((Y + y))
  sleep 0.2
  xdotool click 1
  sleep 0.3
}

# e2e_move_twips ID X Y: moves the pointer to (X, Y) twips of the client area.
e2e_move_twips() {
  local id="$1" x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  e2e_client_geometry "$id"
  xdotool mousemove $((X + x)) $((Y + y))
}

# e2e_wait_exit [TIMEOUT_S]: waits until the program has ended; prints its status.
e2e_wait_exit() {
  local timeout="${1:-20}" i
  for i in $(seq 1 $((timeout * 10))); do
    if ! kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
      local status=0
      wait "$E2E_PROGRAM_PID" || status=$?
      E2E_PROGRAM_PID=""
      echo "$status"
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "the program did not end within ${timeout}s"
}

e2e_pass() {
  echo "PASS: $*"
}

# e2e_spy_titles ID: records every title the window takes from now on, one a
# line, in $E2E_WORK/titles-SCREEN-ID (short-lived titles included).
e2e_spy_titles() {
  local id="$1"
  xprop -spy -id "$id" WM_NAME >"$E2E_WORK/titles-$E2E_SCREEN_NAME-$id" 2>/dev/null &
  sleep 0.2
}

# e2e_wait_title_sequence ID TIMEOUT_S TITLE...: waits until the recorded
# titles of window ID contain the given titles in this order.
e2e_wait_title_sequence() {
  local id="$1" timeout="$2"
  shift 2
  local i
  for i in $(seq 1 $((timeout * 10))); do
    if sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p' "$E2E_WORK/titles-$E2E_SCREEN_NAME-$id" |
        awk -v want="$*" 'BEGIN { n = split(want, w, " "); k = 1 }
                          k <= n && $0 == w[k] { k++ }
                          END { exit (k > n) ? 0 : 1 }'; then
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "titles of window $id were: $(sed -n 's/^WM_NAME([A-Z_0-9]*) = //p' "$E2E_WORK/titles-$E2E_SCREEN_NAME-$id" | tr '\n' ' '); expected in order: $*"
}

# ---- Deadlines, message boxes, and reading the screen ----

# e2e_deadline SECONDS: the test fails (and cleans up) if it is still running
# after SECONDS, whatever it waits for.
E2E_DEADLINE_PID=""
e2e_deadline() {
  local seconds="$1" main=$$
  (
    sleeper=""
    trap '[ -n "$sleeper" ] && kill "$sleeper" 2>/dev/null; exit 0' TERM
    sleep "$seconds" </dev/null >/dev/null 2>&1 &
    sleeper=$!
    wait "$sleeper"
    echo "FAIL: the test ran longer than ${seconds}s" >&2
    # Whatever the test is waiting on goes first, then the test itself.
    for child in $(pgrep -P "$main" || true); do
      [ "$child" != "$BASHPID" ] && kill -TERM "$child" 2>/dev/null
    done
    kill -TERM "$main" 2>/dev/null
  ) </dev/null 2>&1 >/dev/null &
  E2E_DEADLINE_PID=$!
  trap 'exit 1' TERM
  trap '[ -n "$E2E_DEADLINE_PID" ] && kill "$E2E_DEADLINE_PID" 2>/dev/null; e2e_cleanup' EXIT
}

# e2e_find_windows TITLE: prints the ids of the program's visible windows
# titled exactly TITLE, one a line (nothing when there is none).
e2e_find_windows() {
  local title="$1" id
  for id in $(xdotool search --onlyvisible --pid "$E2E_PROGRAM_PID" 2>/dev/null || true); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null || true)" = "$title" ]; then
      echo "$id"
    fi
  done
  return 0
}

# e2e_window_shown ID: true while window ID is mapped and viewable.
e2e_window_shown() {
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# e2e_wait_new_window TITLE TIMEOUT_S [OLD_ID...]: prints the id of a visible
# window titled TITLE that is none of OLD_ID (a second message box with the
# same title as the first, for instance).
e2e_wait_new_window() {
  local title="$1" timeout="$2" i id old fresh
  shift 2
  for i in $(seq 1 $((timeout * 10))); do
    for id in $(e2e_find_windows "$title"); do
      fresh=1
      for old in "$@"; do
        [ "$id" = "$old" ] && fresh=""
      done
      if [ -n "$fresh" ]; then
        echo "$id"
        return 0
      fi
    done
    if ! kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
      e2e_fail "the program ended while waiting for a new window '$title'"
    fi
    sleep 0.1
  done
  e2e_fail "no new visible window titled '$title' within ${timeout}s (open: $(e2e_find_windows "$title" | tr '\n' ' '))"
}

# e2e_press_ok ID [TIMEOUT_S]: presses the OK button of message box ID (its
# default button) with the Return key and waits until the box has closed.
# A key the box missed is sent again every 3 s while the box stays open and
# active. Sooner, a busy program might take the first key only after the
# second is sent: the box would close with the first, and the program, which
# gives a key to whichever of its windows has the focus, would hand the
# second to the panel shown next, where Return fires.
e2e_press_ok() {
  local id="$1" timeout="${2:-10}" i
  for i in $(seq 0 $((timeout * 10))); do
    e2e_window_shown "$id" || return 0
    if [ "$i" -eq 0 ] || { [ $((i % 30)) -eq 0 ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ]; }; then
      xdotool key --window "$id" Return 2>/dev/null || true
    fi
    sleep 0.1
  done
  e2e_fail "message box $id still open after ${timeout}s"
}

# e2e_point_twips ID X Y: puts the pointer on (X, Y) twips of window ID's
# client area and leaves it there (for presses that must be timed closely).
e2e_point_twips() {
  e2e_move_twips "$@"
  sleep 0.2
}

# e2e_press_here: one left click where the pointer is, without any wait.
e2e_press_here() {
  xdotool click 1
}

# e2e_init_screen BIN_DIR ASSETS_DIR: e2e_init; the screen's pixels are
# always kept in a file that e2e_screen_row reads.
e2e_init_screen() {
  e2e_init "$@"
}

# e2e_screen_row X Y W: prints "R G B", one line per pixel, for the W screen
# pixels from (X, Y) rightwards. The screen file is an XWD image: a header
# (its size first, its fields big-endian), a colour map, then 32-bit pixels.
e2e_screen_row() {
  local x="$1" y="$2" w="$3" file="$E2E_SCREEN_FILE"
  [ -n "$file" ] || e2e_fail "e2e_screen_row needs e2e_init_screen"
  local header
  header=($(od -An -tu4 --endian=big -N80 "$file"))
  # header_size, byte_order, bits_per_pixel, bytes_per_line, red/green/blue masks, ncolors
  local size=${header[0]} order=${header[7]} bpp=${header[11]} line=${header[12]}
  local rmask=${header[14]} gmask=${header[15]} bmask=${header[16]} ncolors=${header[19]}
  [ "$bpp" = 32 ] || e2e_fail "screen file with $bpp bits per pixel"
  local offset=$((size + ncolors * 12 + y * line + x * 4))
  od -An -v -tu1 -w4 -j "$offset" -N $((w * 4)) "$file" |
    awk -v order="$order" -v rm="$rmask" -v gm="$gmask" -v bm="$bmask" '
      function byteof(mask,   shift) { shift = 0; while (mask > 255) { mask = int(mask / 256); shift++ }
                                        return order == 0 ? shift + 1 : 4 - shift }
      BEGIN { r = byteof(rm); g = byteof(gm); b = byteof(bm) }
      { print $r, $g, $b }'
}

# e2e_row_value X Y W MAX: the value, 0..MAX, of a horizontal progress bar
# whose middle row is the W screen pixels from (X, Y): the bar's fill is the
# blue of the selection colour, its groove white or grey.
e2e_row_value() {
  e2e_screen_row "$1" "$2" "$3" |
    awk -v w="$3" -v max="$4" '$3 > $1 + 60 { filled++ } END { printf "%d\n", filled * max / w + 0.5 }'
}

# e2e_bar_value ID LEFT TOP WIDTH HEIGHT MAX: the value, 0..MAX, of a
# horizontal progress bar drawn at (LEFT, TOP, WIDTH, HEIGHT) twips of window
# ID's client area, read off the screen to about one step.
e2e_bar_value() {
  local id="$1" left="$2" top="$3" width="$4" height="$5" max="$6"
  e2e_client_geometry "$id"
  e2e_row_value $((X + left / 15)) $((Y + (top + height / 2) / 15)) $((width / 15)) "$max"
}

# e2e_press_at_bar_value ID LEFT TOP WIDTH HEIGHT MAX VALUE [TIMEOUT_S]:
# watches the bar (as e2e_bar_value) and clicks where the pointer is as soon
# as the bar shows VALUE or more; prints the value it saw then.
e2e_press_at_bar_value() {
  local id="$1" left="$2" top="$3" width="$4" height="$5" max="$6" value="$7" timeout="${8:-10}"
  local seen="" end=$((SECONDS + timeout))
  e2e_client_geometry "$id"
  local x=$((X + left / 15)) y=$((Y + (top + height / 2) / 15)) w=$((width / 15))
  while [ "$SECONDS" -le "$end" ]; do
    seen=$(e2e_row_value "$x" "$y" "$w" "$max")
    if [ "$seen" -ge "$value" ]; then
      xdotool click 1
      echo "$seen"
      return 0
    fi
    sleep 0.005
  done
  e2e_fail "the bar did not reach $value within ${timeout}s (last seen: $seen)"
}

# e2e_pointer_away: puts the pointer in the screen's far corner, where no
# window of the game lies, so that it moves over none of them.
e2e_pointer_away() {
  xdotool mousemove 1279 1023
}
