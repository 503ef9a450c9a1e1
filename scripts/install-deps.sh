#!/usr/bin/env bash
# Installs what building, running and testing the game needs on Debian 12,
# skipping what is already there. Run as root.
set -euo pipefail

packages=(
  build-essential cmake
  # Compiles are cached between builds (the sanitizer build, a rebuild).
  ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # Sound: Qt Multimedia's QSoundEffect.
  qt6-multimedia-dev
  # Translations: lupdate and lrelease, and CMake's LinguistTools.
  qt6-tools-dev qt6-l10n-tools
  fonts-dejavu-core
  # The end-to-end tests: a private screen, a window manager on it, the
  # pointer and the windows driven and read.
  xvfb openbox xdotool x11-utils
  desktop-file-utils
  # The package tests: dpkg-shlibdeps for its dependencies, lintian, the
  # AppStream validator, and man for the manual pages.
  dpkg-dev lintian appstream man-db
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
