#!/usr/bin/env bash
# Installs the built programs into scratch prefixes and checks what a player's
# desktop gets: both programs in <prefix>/games, their pictures, a launcher,
# a 64x64 icon and a manual page for each, the metainfo, the copyright and
# the changelog; the launchers pass desktop-file-validate, name the installed
# program and its picture folder, and started from those values each program
# opens its setup window and a battle window that found its battlefield.
#
# Usage: check_install.sh BUILD_DIR [CMAKE]
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

build="$(cd "$1" && pwd)"
cmake_program="${2:-cmake}"
# A private X screen for step 3; the installs go into its scratch folder,
# which the clean-up removes.
e2e_init_screen "$build" "$build"
e2e_deadline 100
scratch="$E2E_WORK/install"
mkdir -p "$scratch"

programs=(kestrava2 kestrava1)
pictures=(field.gif 1.gif 2.gif 3.gif 4.gif 5.gif 6.gif 12.gif 22.gif 32.gif 42.gif 52.gif 62.gif)

command -v desktop-file-validate >/dev/null || e2e_fail "desktop-file-validate is missing (Debian package desktop-file-utils)"

# The value of KEY in a desktop file's [Desktop Entry] group.
desktop_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1" | head -n 1
}

# Exec holds one quoted argument: undo the string escapes, then the quoting.
exec_program() {
  local v="$1"
  v="${v//\\\\/\\}"
  if [ "${v:0:1}" = '"' ] && [ "${v: -1}" = '"' ]; then
    v="${v:1:${#v}-2}"
    v="${v//\\\"/\"}"
    v="${v//\\\`/\`}"
    v="${v//\\\$/\$}"
    v="${v//\\\\/\\}"
  fi
  echo "${v//%%/%}"
}

# check_tree ROOT PREFIX: the files of an install with PREFIX, found under ROOT
# (ROOT is DESTDIR + PREFIX); the launchers must name PREFIX itself.
check_tree() {
  local root="$1" prefix="$2" program picture launcher exec path icon
  for program in "${programs[@]}"; do
    [ -x "$root/games/$program" ] || e2e_fail "$root/games/$program is missing or not executable"
    gzip -t "$root/share/man/man6/$program.6.gz" 2>/dev/null || e2e_fail "manual page $program.6.gz is missing"

    icon="$root/share/icons/hicolor/64x64/apps/$program.png"
    [ -f "$icon" ] || e2e_fail "icon $icon is missing"
    # A PNG's header holds its width and height at bytes 16..23.
    [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "0000004000000040" ] ||
      e2e_fail "icon $icon is not 64x64"

    launcher="$root/share/applications/$program.desktop"
    [ -f "$launcher" ] || e2e_fail "launcher $launcher is missing"
    desktop-file-validate "$launcher" || e2e_fail "desktop-file-validate rejects $launcher"
    [ "$(desktop_value "$launcher" Icon)" = "$program" ] || e2e_fail "$launcher: Icon is not $program"
    [ "$(desktop_value "$launcher" Type)" = "Application" ] || e2e_fail "$launcher: Type is not Application"

    exec="$(exec_program "$(desktop_value "$launcher" Exec)")"
    [ "$exec" = "$prefix/games/$program" ] || e2e_fail "$launcher: Exec names '$exec', not $prefix/games/$program"
    path="$(desktop_value "$launcher" Path)"
    [ "$path" = "$prefix/share/kestrava/pictures" ] ||
      e2e_fail "$launcher: Path is '$path', not $prefix/share/kestrava/pictures"
  done
  for picture in "${pictures[@]}"; do
    [ -f "$root/share/kestrava/pictures/$picture" ] || e2e_fail "picture $picture is missing under $root"
  done
  [ -f "$root/share/metainfo/org.example.kestrava.Kestrava.metainfo.xml" ] || e2e_fail "the metainfo is missing under $root"
  [ -f "$root/share/doc/kestrava/copyright" ] || e2e_fail "the copyright file is missing under $root"
  gzip -t "$root/share/doc/kestrava/changelog.gz" 2>/dev/null || e2e_fail "changelog.gz is missing under $root"
}

# 1. cmake --install --prefix, into a folder with a blank in its name.
prefix="$scratch/kestrava prefix"
"$cmake_program" --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
  { cat "$scratch/install.log" >&2; e2e_fail "cmake --install --prefix failed"; }
check_tree "$prefix" "$prefix"
for program in "${programs[@]}"; do
  grep -qx "$prefix/share/applications/$program.desktop" "$build/install_manifest.txt" ||
    e2e_fail "the install manifest does not list the $program launcher"
done

# 2. A staged install: DESTDIR and the prefix of the target machine.
DESTDIR="$scratch/stage" "$cmake_program" --install "$build" --prefix /opt/kestrava >"$scratch/stage.log" 2>&1 ||
  { cat "$scratch/stage.log" >&2; e2e_fail "DESTDIR install failed"; }
check_tree "$scratch/stage/opt/kestrava" /opt/kestrava

# 3. Each program started as its launcher says, from the first install.
for program in "${programs[@]}"; do
  launcher="$prefix/share/applications/$program.desktop"
  exec="$(exec_program "$(desktop_value "$launcher" Exec)")"
  E2E_BIN="$(dirname "$exec")"
  E2E_ASSETS="$(desktop_value "$launcher" Path)"
  e2e_launch "$(basename "$exec")"

  setup=$(e2e_wait_window "$program" 15)
  if [ "$program" = kestrava1 ]; then
    # ">>" under player 1's picture reads 2.gif from the picture folder; a
    # missing file would bring a message titled with the program's name.
    e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 360 + 240))   # "Duel 1vs1"
    e2e_wait_title "$setup" "2" 5
    e2e_click_twips "$setup" $((1680 + 180)) $((1080 + 180))                # player 1's ">>"
  else
    e2e_click_twips "$setup" $((2040 + 360 + 1260)) $((1440 + 360 + 240))   # "Duel 1vs1"
    e2e_wait_title "$setup" "2" 5
  fi
  # "Start" opens the battle window, which reads field.gif from the folder.
  e2e_click_twips "$setup" $((2760 + 1080)) $((4680 + 420))
  e2e_wait_window "0" 15 >/dev/null
  sleep 0.5
  [ -z "$(e2e_find_windows "$program")" ] || e2e_fail "$program showed a message: a picture was not found"
  kill "$E2E_PROGRAM_PID"
  wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  E2E_PROGRAM_PID=""
done

e2e_pass "install: programs, pictures, launchers and icons; launchers valid and working"
