#!/usr/bin/env bash
# Measures what a waiting battle costs: starts a program under Xvfb, starts a
# duel, lets the battle idle while the first player's panel waits, and prints
# the program's CPU use (percent of one core) over that time and its peak
# memory. Usage: scripts/benchmark-idle.sh [kestrava2|kestrava1] [seconds] [build-dir]
# Needs a build, by default in build/ (scripts/build.sh [build-dir]).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-kestrava2}"
seconds="${2:-20}"
build="$(cd "${3:-$root/build}" && pwd)"
source "$root/tests/e2e/lib.sh"
e2e_init "$build/bin" "$root/assets"
e2e_duel_until_first_panel "$program" >/dev/null
sleep 1

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$E2E_PROGRAM_PID/stat"; }
before=$(cpu_ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(cpu_ticks)
end=$(date +%s.%N)
peak_kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$E2E_PROGRAM_PID/status")

awk -v t="$((after - before))" -v hz="$ticks_per_second" -v s="$start" -v e="$end" -v peak="$peak_kib" -v p="$program" \
  'BEGIN { printf "%s idle battle: CPU %.2f%% of one core over %.1f s; peak memory %.1f MiB\n", p, 100 * t / hz / (e - s), e - s, peak / 1024 }'
