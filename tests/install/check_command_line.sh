#!/usr/bin/env bash
# Both built programs answer --help and --version where no display can be
# opened (no DISPLAY, no QT_QPA_PLATFORM), and refuse an unknown option or a
# stray argument with a message on standard error and status 2.
#
# Usage: check_command_line.sh BIN_DIR VERSION
set -euo pipefail
bin="$1" version="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# run PROGRAM ARGS...: runs the program without a display; sets status, and
# leaves its output in $scratch/out and $scratch/err.
run() {
  local program="$1"
  shift
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$bin/$program" "$@" \
    >"$scratch/out" 2>"$scratch/err" </dev/null || status=$?
}

for program in kestrava2 kestrava1; do
  run "$program" --help
  [ "$status" = 0 ] || fail "$program --help: status $status; $(cat "$scratch/err")"
  [ "$(head -n 1 "$scratch/out")" = "Usage: $program [options]" ] ||
    fail "$program --help printed: $(cat "$scratch/out")"
  grep -q -- '--version' "$scratch/out" || fail "$program --help does not offer --version"
  [ ! -s "$scratch/err" ] || fail "$program --help wrote to standard error: $(cat "$scratch/err")"

  run "$program" --version
  [ "$status" = 0 ] || fail "$program --version: status $status"
  [ "$(cat "$scratch/out")" = "$program $version" ] || fail "$program --version printed: $(cat "$scratch/out")"

  for wrong in --fullscreen extra-word; do
    run "$program" "$wrong"
    [ "$status" = 2 ] || fail "$program $wrong: status $status, not 2"
    [ ! -s "$scratch/out" ] || fail "$program $wrong wrote to standard output"
    grep -q -- "^$program: .*'${wrong#--}'" "$scratch/err" ||
      fail "$program $wrong: unclear message: $(cat "$scratch/err")"
  done

  run "$program" --help
  grep -q -- '--computer SLOT=LEVEL' "$scratch/out" ||
    fail "$program --help does not offer --computer"
  for wrong in 5=hard 2=expert 2 ''; do
    run "$program" --computer "$wrong"
    [ "$status" = 2 ] || fail "$program --computer '$wrong': status $status, not 2"
    [ ! -s "$scratch/out" ] || fail "$program --computer '$wrong' wrote to standard output"
    grep -q -- "^$program: --computer" "$scratch/err" ||
      fail "$program --computer '$wrong': unclear message: $(cat "$scratch/err")"
  done
done
echo "PASS: --help and --version answer without a display; unknown options and bad --computer seats are refused"
