#!/usr/bin/env bash
# The levels of one edition in their order of strength, in duels with the
# seats swapped from match to match: hard beats easy in at least 95 % of the
# duels, medium beats easy and hard beats medium in at least 80 %; hard hits
# with every first shot at a target it could reach cleanly; no plan takes
# longer than MAX_THINK ms (20 for the programs as built).
#
# Then each level's aim over all its duels: easy hits 20 to 35 % of its shots
# and at most 40 % of those after its first hit of a match (its aim comes
# back off the target), medium 40 to 60 % of its shots and 45 to 65 % of
# those after its first hit (it still misses now and then), hard at least
# 80 % of its shots.
#
# Usage: check_arena.sh ARENA EDITION ASSETS [MAX_THINK]
set -euo pipefail
arena="$1" edition="$2" assets="$3" max_think="${4:-20}"
status=0
lines=""
# duel PLAYERS WINNER PERCENT MATCHES: the winner takes at least PERCENT of
# the matches (95 % of 30 leaves room for one loss, 80 % of 20 for four).
duel() {
  local players="$1" winner="$2" share="$3" matches="$4" out
  echo "== $edition: $players, $matches matches"
  out=$("$arena" --edition "$edition" --players "$players" --matches "$matches" --seed 17 --assets "$assets" \
    --min-wins "$winner=$share" --all-reachable-hit hard --max-think "$max_think") || status=1
  echo "$out"
  lines+="$out"$'\n'
}
duel hard,easy hard 95 30
duel medium,easy medium 80 30
duel hard,medium hard 80 20

# rate LEVEL all|later LOW HIGH: the level's hits, summed over the duels, are
# LOW to HIGH percent of its shots (all of them, or those after its first hit
# of a match).
rate() {
  local level="$1" which="$2" low="$3" high="$4"
  printf '%s\n' "$lines" | awk -F', ' -v level="$level" -v which="$which" -v low="$low" -v high="$high" '
    $1 ~ "^" level ": " {
      for (i = 1; i <= NF; ++i) {
        n = split($i, w, " ")
        if (which == "all" && w[1] == "shots") shots += w[2]
        if (which == "all" && w[1] == "hits") hits += w[2]
        if (which == "later" && w[1] == "later") { hits += w[4]; shots += w[6] }
      }
    }
    END {
      share = shots > 0 ? 100 * hits / shots : -1
      printf "%s: %s shots hit %d of %d (%.0f %%), wanted %d to %d %%\n", level, which, hits, shots, share, low, high
      exit !(shots > 0 && share >= low && share <= high)
    }' || status=1
}
echo "== $edition: aims over all duels"
rate easy all 20 35
rate easy later 0 40
rate medium all 40 60
rate medium later 45 65
rate hard all 80 100
exit "$status"
