#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: the unit
# tests and the soaks on Qt's offscreen platform, the end-to-end tests under
# Xvfb. Then builds everything again in build-sanitize/ with the address and
# undefined-behaviour sanitizers and runs the game's own code there again: the
# unit tests, the soaks and the arena (labels unit, soak and arena; the
# end-to-end, install and package checks run the same code once more through
# the real programs and are not repeated). Any sanitizer report (a memory error, undefined behaviour, a
# leak outside the system libraries listed in tests/sanitizers/lsan.supp)
# fails the run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build"
cd "$root/build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j2

# ---- The same suite under the sanitizers ----
sanitize="$root/build-sanitize"
bash "$root/scripts/build.sh" "$sanitize" -DKESTRAVA_SANITIZE=ON
# Every report goes to a file of its own (named by program and process), so
# that a report from a program an end-to-end test stops from outside is not
# lost with its output; the programs also fail their tests by their status.
reports="$sanitize/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$reports/asan:log_exe_name=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan:log_exe_name=1"
cd "$sanitize"
status=0
ctest --output-on-failure -j2 -L "unit|soak|arena" || status=$?
if compgen -G "$reports/*" >/dev/null; then
  echo "Sanitizer reports:" >&2
  for report in "$reports"/*; do
    echo "---- $(basename "$report") ----" >&2
    cat "$report" >&2
  done
  status=1
fi
exit "$status"
