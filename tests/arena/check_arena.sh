#!/usr/bin/env bash
# The levels of one edition in their order of strength, in duels with the
# seats swapped from match to match: hard beats easy in at least 95 % of the
# duels, medium beats easy and hard beats medium in at least 80 %; hard hits
# with every first shot at a target it could reach cleanly; no plan takes
# longer than MAX_THINK ms (20 for the programs as built).
#
# Usage: check_arena.sh ARENA EDITION ASSETS [MAX_THINK]
set -euo pipefail
arena="$1" edition="$2" assets="$3" max_think="${4:-20}"
status=0
# duel PLAYERS WINNER PERCENT MATCHES: the winner takes at least PERCENT of
# the matches (95 % of 20 leaves room for one loss, 80 % of 10 for two).
duel() {
  local players="$1" winner="$2" share="$3" matches="$4"
  echo "== $edition: $players, $matches matches"
  "$arena" --edition "$edition" --players "$players" --matches "$matches" --seed 17 --assets "$assets" \
    --min-wins "$winner=$share" --all-reachable-hit hard --max-think "$max_think" || status=1
}
duel hard,easy hard 95 20
duel medium,easy medium 80 10
duel hard,medium hard 80 10
exit "$status"
