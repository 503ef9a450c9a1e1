#!/usr/bin/env bash
# kestrava2 --mute with its sound log on, in the duel of
# e2e_winner_kestrava2.sh: the duel plays out as ever, and not one sound is
# played or mentioned.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init_screen "$1" "$2"
e2e_deadline 55
export QT_LOGGING_RULES="kestrava.sound.debug=true"

e2e_winning_duel_kestrava2 --mute
if grep -i 'sound\|audio\|pulse' "$E2E_WORK/program.log"; then
  e2e_fail "the muted program played or mentioned sound"
fi
e2e_pass "kestrava2 --mute duel to the winner without a sound"
