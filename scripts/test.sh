#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: the unit
# tests on Qt's offscreen platform, the end-to-end tests under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build"
cd "$root/build"
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j2
