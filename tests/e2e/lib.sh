#!/usr/bin/env bash
# Helpers for end-to-end tests: a private Xvfb screen, the real program
# started in its picture folder, clicks at real screen positions with xdotool.
#
# Usage in a test script:  source lib.sh; e2e_init "$1" "$2"; e2e_launch kestrava2; ...

set -euo pipefail

E2E_XVFB_PID=""
E2E_PROGRAM_PID=""
E2E_WORK=""

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "$E2E_WORK" ] && [ -f "$E2E_WORK/program.log" ]; then
    echo "--- program output ---" >&2
    cat "$E2E_WORK/program.log" >&2
  fi
  exit 1
}

e2e_cleanup() {
  if [ -n "$E2E_PROGRAM_PID" ] && kill -0 "$E2E_PROGRAM_PID" 2>/dev/null; then
    kill "$E2E_PROGRAM_PID" 2>/dev/null || true
    wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  [ -n "$E2E_WORK" ] && rm -rf "$E2E_WORK"
}

# e2e_init BIN_DIR ASSETS_DIR: starts Xvfb on a free display.
e2e_init() {
  E2E_BIN="$(cd "$1" && pwd)"
  E2E_ASSETS="$(cd "$2" && pwd)"
  E2E_WORK="$(mktemp -d)"
  trap e2e_cleanup EXIT
  unset QT_QPA_PLATFORM
  # Xvfb picks a free display itself and writes its number once it is ready.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$E2E_WORK/display" >"$E2E_WORK/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$E2E_WORK/display" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$E2E_WORK/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  e2e_fail "could not start Xvfb"
}

# e2e_launch PROGRAM: starts the program in the picture folder.
e2e_launch() {
  (cd "$E2E_ASSETS" && exec "$E2E_BIN/$1") >"$E2E_WORK/program.log" 2>&1 &
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

# e2e_click_twips ID X Y: clicks at (X, Y) twips of the window's client area,
# at the real screen position of that point.
e2e_click_twips() {
  local id="$1" x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + x)) $((Y + y))
  sleep 0.2
  xdotool click 1
  sleep 0.3
}

# e2e_move_twips ID X Y: moves the pointer to (X, Y) twips of the client area.
e2e_move_twips() {
  local id="$1" x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  eval "$(xdotool getwindowgeometry --shell "$id")"
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
# line, in $E2E_WORK/titles-ID (short-lived titles included).
e2e_spy_titles() {
  local id="$1"
  xprop -spy -id "$id" WM_NAME >"$E2E_WORK/titles-$id" 2>/dev/null &
  sleep 0.2
}

# e2e_wait_title_sequence ID TIMEOUT_S TITLE...: waits until the recorded
# titles of window ID contain the given titles in this order.
e2e_wait_title_sequence() {
  local id="$1" timeout="$2"
  shift 2
  local i
  for i in $(seq 1 $((timeout * 10))); do
    if sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p' "$E2E_WORK/titles-$id" |
        awk -v want="$*" 'BEGIN { n = split(want, w, " "); k = 1 }
                          k <= n && $0 == w[k] { k++ }
                          END { exit (k > n) ? 0 : 1 }'; then
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "titles of window $id were: $(sed -n 's/^WM_NAME([A-Z_0-9]*) = //p' "$E2E_WORK/titles-$id" | tr '\n' ' '); expected in order: $*"
}
