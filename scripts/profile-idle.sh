#!/usr/bin/env bash
# Shows where a waiting battle's CPU time goes: starts a program under Xvfb,
# starts a duel as benchmark-idle.sh does, samples the program with perf while
# the first player's panel waits, and prints the share of samples by library
# and the busiest functions of the game itself.
# Usage: scripts/profile-idle.sh [kestrava2|kestrava1] [seconds] [build-dir]
# (defaults: kestrava2, 20, build). Needs perf and a build (scripts/build.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/game-places.sh"
program="${1:-kestrava2}"
seconds="${2:-20}"
e2e_init_build "${3:-}"
e2e_duel_until_first_panel "$program" >/dev/null
sleep 1

data="$E2E_WORK/perf.data"
perf record -q -F 20000 -p "$E2E_PROGRAM_PID" -o "$data" -- sleep "$seconds" 2>/dev/null
samples=$(perf script -i "$data" -F ip 2>/dev/null | wc -l)
awk -v n="$samples" -v s="$seconds" -v p="$program" \
  'BEGIN { printf "%s idle battle: %d samples at 20000 Hz over %d s (about %.2f%% of one core on the CPU)\n", p, n, s, 100 * n / 20000 / s }'
echo "-- share of samples by library --"
perf report -i "$data" --no-children --sort dso --stdio 2>/dev/null | grep -E '^ +[0-9]' | head -10
echo "-- busiest functions of the game and the widget layer --"
perf report -i "$data" --no-children --sort dso,symbol --stdio 2>/dev/null |
  grep -E "^ +[0-9.]+% +($program|libQt6Widgets)" | head -12 | cut -c1-130
