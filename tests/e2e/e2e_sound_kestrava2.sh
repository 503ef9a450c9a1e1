#!/usr/bin/env bash
# kestrava2 with its sound log on, in the duel of e2e_winner_kestrava2.sh:
# the program logs one "play" line per sound, and a player hears, in order,
# the chime of player 1's turn, the launch, the hit, the kill and the
# winner's fanfare. The machine has no audio device: the game plays on, and
# says so in one line.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init_screen "$1" "$2"
e2e_deadline 55
export QT_LOGGING_RULES="kestrava.sound.debug=true"

e2e_winning_duel_kestrava2
log="$E2E_WORK/program.log"
heard="$(sed -n 's/^kestrava\.sound: play \([a-z]*\)$/\1/p' "$log" | tr '\n' ' ' | sed 's/ $//')"
# The winner's fanfare ends the match; the turn scheduler then goes on handing
# out turns as it always has, each with its chime.
case "$heard" in
  "turn fire hit kill winner" | "turn fire hit kill winner turn"*) ;;
  *) e2e_fail "the duel played '$heard', expected 'turn fire hit kill winner'" ;;
esac
said=$(grep -v 'kestrava\.sound: play ' "$log" | grep -ci 'sound\|audio\|pulse' || true)
[ "$said" -le 1 ] || e2e_fail "the program wrote $said lines about sound"
e2e_pass "kestrava2 duel heard as turn, fire, hit, kill, winner"
