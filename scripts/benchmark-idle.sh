#!/usr/bin/env bash
# Measures what a waiting battle costs: starts a program under Xvfb, starts a
# duel, and while player 1's panel waits reads the program's CPU time and
# context switches over a fixed window. Four yardsticks run beside it on the
# same screen and are read over the very same window: an empty Qt window with
# no timer, one with a 500 ms timer, one with a 500 ms timer that changes the
# window's colour at every tick, and one with a 16 ms timer
# (scripts/probe/empty_window.cpp). The window with a 500 ms timer is the
# floor the game can reach while a player thinks: its wind dial and name
# plates change something every 500 ms, and every other task sleeps. The one
# that repaints at every tick shows what drawing that change costs on its own
# (the X server's replies and the switches they bring). The one with a 16 ms
# timer is what a program ticking at 1/64 s costs. Absolute figures move with
# the machine's load; the ratios to the yardsticks move much less.
#
# CPU is the time on a CPU of all the process's threads (/proc schedstat, in
# ns), as a percent of one core. Wake-ups are the voluntary plus involuntary
# context switches of all its threads (/proc/PID/task/*/status) per second:
# every voluntary switch is a sleep that ends in a wake-up, every involuntary
# one a return to the CPU after being put aside, so the sum counts each time
# the process was put back on a CPU.
#
# Usage: scripts/benchmark-idle.sh [kestrava2|kestrava1|both] [seconds] [build-dir]
# (defaults: both, 20, build). Needs a build with the probes:
#   bash scripts/build.sh build-perf -DKESTRAVA_BUILD_PROBES=ON
# Prints one line per process and window; exits with 3 when a program is over
# the aim while its panel waits: at most 6 wake-ups a second, and a CPU share
# at most 0.05 points above the empty window with a 500 ms timer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/game-places.sh"
source "$E2E_ROOT/scripts/bench-lib.sh"
which="${1:-both}"
seconds="${2:-20}"
case "$which" in
  both) programs=(kestrava2 kestrava1) ;;
  kestrava2 | kestrava1) programs=("$which") ;;
  *) echo "usage: $0 [kestrava2|kestrava1|both] [seconds] [build-dir]" >&2; exit 2 ;;
esac

readonly max_cpu_above_floor=0.05 max_wakeups=6
e2e_init_build "${3:-}"
[ -x "$E2E_BIN/kestrava_empty_window" ] ||
  { echo "no $E2E_BIN/kestrava_empty_window: build with -DKESTRAVA_BUILD_PROBES=ON" >&2; exit 2; }

# The yardsticks start first, so the game's windows open over them and take
# the clicks.
declare -A yardstick=()
yardstick_pids=()
start_yardstick() {
  local label="$1"
  shift
  "$E2E_BIN/kestrava_empty_window" "$@" >"$E2E_WORK/$label.log" 2>&1 &
  yardstick[$label]=$!
  yardstick_pids+=($!)
}
stop_yardsticks() {
  local pid
  for pid in "${yardstick_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  e2e_cleanup
}
trap stop_yardsticks EXIT
start_yardstick "empty window, no timer"
start_yardstick "empty window, 500 ms timer" --timer 500
start_yardstick "empty window, 500 ms repaint" --timer 500 --repaint
start_yardstick "empty window, 16 ms timer" --timer 16
sleep 1
for label in "${!yardstick[@]}"; do
  kill -0 "${yardstick[$label]}" 2>/dev/null || e2e_fail "the yardstick '$label' ended: $(cat "$E2E_WORK/$label.log")"
done

# report LABEL CPU WAKEUPS VOLUNTARY INVOLUNTARY THREADS ENDED [EXTRA]
report() {
  printf '  %-28s CPU %6.3f %% of one core, %7.1f wake-ups/s (%.1f voluntary + %.1f involuntary), %d threads%s%s\n' \
    "$1" "$2" "$3" "$4" "$5" "$6" "$([ "$7" -gt 0 ] && echo ", $7 ended" || true)" "${8:-}"
}

status=0
for program in "${programs[@]}"; do
  e2e_duel_until_first_panel "$program" >/dev/null
  sleep 1   # let the panel and the battle window settle

  pids=("$E2E_PROGRAM_PID" "${yardstick_pids[@]}")
  for pid in "${pids[@]}"; do bench_read "$pid" >"$E2E_WORK/before-$pid"; done
  load_before=$(bench_load)
  start=$(bench_now)
  sleep "$seconds"
  for pid in "${pids[@]}"; do bench_read "$pid" >"$E2E_WORK/after-$pid"; done
  end=$(bench_now)
  load_after=$(bench_load)
  window=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }')
  [ -n "$(e2e_find_windows "Player1")" ] || e2e_fail "player 1's panel was no longer shown at the end"

  printf '%s, player 1'"'"'s panel waiting: %.1f s, load average %s then %s\n' \
    "$program" "$window" "$load_before" "$load_after"
  read -r cpu wake vol inv threads ended < <(bench_cost "$E2E_WORK/before-$E2E_PROGRAM_PID" "$E2E_WORK/after-$E2E_PROGRAM_PID" "$window")
  main_wake=$(bench_main_wakeups "$E2E_WORK/before-$E2E_PROGRAM_PID" "$E2E_WORK/after-$E2E_PROGRAM_PID" "$window" "$E2E_PROGRAM_PID")
  report "$program" "$cpu" "$wake" "$vol" "$inv" "$threads" "$ended" "; main thread woken $main_wake/s; peak memory $(bench_peak_mib "$E2E_PROGRAM_PID") MiB"
  game_cpu=$cpu game_wake=$wake
  for label in "empty window, no timer" "empty window, 500 ms timer" "empty window, 500 ms repaint" \
               "empty window, 16 ms timer"; do
    pid=${yardstick[$label]}
    read -r cpu wake vol inv threads ended < <(bench_cost "$E2E_WORK/before-$pid" "$E2E_WORK/after-$pid" "$window")
    report "$label" "$cpu" "$wake" "$vol" "$inv" "$threads" "$ended" \
      "; main thread woken $(bench_main_wakeups "$E2E_WORK/before-$pid" "$E2E_WORK/after-$pid" "$window" "$pid")/s"
    [ "$label" = "empty window, 500 ms timer" ] && ms500_cpu=$cpu ms500_wake=$wake
    [ "$label" = "empty window, 500 ms repaint" ] && rp_cpu=$cpu rp_wake=$wake
    [ "$label" = "empty window, 16 ms timer" ] && ms16_cpu=$cpu ms16_wake=$wake
  done
  # The window without a timer costs next to nothing, so ratios are taken to
  # the two windows with a timer; its own figures stand in the lines above.
  awk -v p="$program" -v c="$game_cpu" -v w="$game_wake" -v c500="$ms500_cpu" -v w500="$ms500_wake" \
      -v crp="$rp_cpu" -v wrp="$rp_wake" \
      -v c16="$ms16_cpu" -v w16="$ms16_wake" -v mc="$max_cpu_above_floor" -v mw="$max_wakeups" '
    function ratio(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
    BEGIN {
      printf "  %s against the empty window with a 500 ms timer: CPU x %s (%+.3f points), wake-ups x %s; with a 16 ms timer: CPU x %s, wake-ups x %s\n",
        p, ratio(c, c500), c - c500, ratio(w, w500), ratio(c, c16), ratio(w, w16)
      printf "  %s against the empty window repainting every 500 ms: CPU x %s (%+.3f points), wake-ups x %s\n",
        p, ratio(c, crp), c - crp, ratio(w, wrp)
      within = (c <= c500 + mc && w <= mw)
      printf "  aim (at most %d wake-ups/s, CPU at most %.2f points above the 500 ms window): %s\n", mw, mc, within ? "met" : "NOT met"
      exit within ? 0 : 3
    }' || status=3

  e2e_stop_program
done
exit "$status"
