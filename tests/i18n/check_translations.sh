#!/usr/bin/env bash
# Fails when the English texts lack a finished translation of a text the game
# marks for translation: runs lupdate over the game's sources into a copy of
# i18n/kestrava_en.ts and lists every entry left unfinished.
# Usage: check_translations.sh LUPDATE SOURCE_LIST TS_FILE
set -euo pipefail
lupdate="$1"
sources="$2"
ts="$3"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp "$ts" "$scratch/kestrava_en.ts"
"$lupdate" -silent -source-language id -target-language en -locations none -no-obsolete \
  "@$sources" -ts "$scratch/kestrava_en.ts"

# An unfinished entry: its source text is the line before its translation.
missing="$( (grep -B1 'type="unfinished"' "$scratch/kestrava_en.ts" || true) | sed -n 's:.*<source>\(.*\)</source>.*:\1:p')"
if [ -n "$missing" ]; then
  echo "The English texts lack a finished translation of:" >&2
  printf '  %s\n' "$missing" >&2
  echo "Run 'cmake --build build --target update_translations', translate them in i18n/kestrava_en.ts." >&2
  exit 1
fi
echo "Every marked text has its English."
