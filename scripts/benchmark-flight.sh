#!/usr/bin/env bash
# Measures the shell-flight ticks of one whole shot in the real game under
# Xvfb, for both programs: the probe plays "Duel 1vs1" up to player 1's shot
# with every timer on its real clock, fires at player 2 and prints the
# intervals between the battle window's Timer1 ticks (asked: 30 ms), how long
# the damage number of the hit stays on the battlefield, the tick rate of
# every timer, and its peak memory.
# Usage: scripts/benchmark-flight.sh [runs] [build-dir]   (defaults: 1, build)
# Needs a build with the probes:
#   bash scripts/build.sh build-perf -DKESTRAVA_BUILD_PROBES=ON
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
runs="${1:-1}"
e2e_init_build "${2:-}"
[ -x "$E2E_BIN/kestrava_flight_probe" ] ||
  { echo "no $E2E_BIN/kestrava_flight_probe: build with -DKESTRAVA_BUILD_PROBES=ON" >&2; exit 2; }

status=0
for program in kestrava2 kestrava1; do
  for run in $(seq 1 "$runs"); do
    (cd "$E2E_ASSETS" && "$E2E_BIN/kestrava_flight_probe" "$program") || status=1
  done
done
exit "$status"
