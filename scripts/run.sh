#!/usr/bin/env bash
# Installs what is missing, builds, and starts a program (kestrava2 unless
# "kestrava1" is given) with the picture folder as its working directory.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-kestrava2}"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build"
cd "$root/assets"
exec "$root/build/bin/$program"
