#!/usr/bin/env bash
# Runs lintian on the package. Any error fails; a warning fails unless
# docs/packaging.md names its tag (with the reason it stays).
#
# Usage: check_lintian.sh DEB PACKAGING_DOC
set -euo pipefail
deb="$1" doc="$2"

fail() { echo "FAIL: $*" >&2; exit 1; }
command -v lintian >/dev/null || fail "lintian is missing (Debian package lintian)"
[ -f "$deb" ] || fail "no package at $deb"

report="$(mktemp)"
trap 'rm -f "$report"' EXIT
# lintian ends with 1 when it found errors (the tags below decide those) and
# with 2 when it could not check the package at all.
status=0
lintian --no-tag-display-limit "$deb" >"$report" 2>&1 || status=$?
cat "$report"
[ "$status" -le 1 ] || fail "lintian could not check the package (status $status)"

grep -q '^E: ' "$report" && fail "lintian reports errors"
status=0
while read -r tag; do
  if ! grep -qF -- "\`$tag\`" "$doc"; then
    echo "FAIL: lintian warning $tag is not listed in $(basename "$doc")" >&2
    status=1
  fi
done < <(sed -n 's/^W: [^:]*: \([^ ]*\).*/\1/p' "$report" | sort -u)
[ "$status" = 0 ] || exit 1
echo "PASS: lintian reports no error, and every warning left is explained"
