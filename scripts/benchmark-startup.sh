#!/usr/bin/env bash
# Measures the time from starting a program to its setup window being shown,
# under Xvfb: wall time from the launch until a visible window of the process
# exists, over several runs, with the median and the worst.
# Usage: scripts/benchmark-startup.sh [kestrava2|kestrava1] [runs] [build-dir]
# (defaults: kestrava2, 10, build). Needs a build (scripts/build.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
program="${1:-kestrava2}"
runs="${2:-10}"
e2e_init_build "${3:-}"

times=()
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  e2e_launch "$program"
  # Look every 5 ms for a visible window of the program.
  until xdotool search --onlyvisible --pid "$E2E_PROGRAM_PID" >/dev/null 2>&1; do
    kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || e2e_fail "$program ended before showing a window"
    sleep 0.005
  done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000 )))   # microseconds
  e2e_stop_program
done

printf '%s\n' "${times[@]}" | sort -n | awk -v p="$program" -v n="$runs" '
  { t[NR] = $1 / 1000 }
  END {
    med = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    list = ""; for (i = 1; i <= NR; i++) list = list sprintf(" %.0f", t[i])
    printf "%s start-up to visible setup window over %d runs: median %.0f ms, worst %.0f ms (sorted, ms:%s)\n", p, n, med, t[NR], list
  }'
