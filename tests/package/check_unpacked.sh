#!/usr/bin/env bash
# Unpacks the package with dpkg-deb -x into a scratch folder (nothing is
# installed on this machine) and checks it as a player's desktop would meet
# it: the launchers pass desktop-file-validate and name /usr/games and the
# picture folder, the metainfo passes appstreamcli, the manual pages format
# without warnings, --version names the package's version, and each
# unpacked program, started from its launcher's folder under Xvfb, shows its
# setup window.
#
# Usage: check_unpacked.sh DEB BUILD_DIR VERSION
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

deb="$1" build="$2" version="$3"
[ -f "$deb" ] || e2e_fail "no package at $deb"
for tool in desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || e2e_fail "$tool is missing"
done

e2e_init_screen "$build" "$build"
e2e_deadline 90
root="$E2E_WORK/unpacked"
dpkg-deb -x "$deb" "$root" || e2e_fail "dpkg-deb -x failed"

desktop_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$2=//p" "$1" | head -n 1
}

# Launchers: valid, and naming where the package puts things.
for program in kestrava2 kestrava1; do
  launcher="$root/usr/share/applications/$program.desktop"
  desktop-file-validate "$launcher" || e2e_fail "desktop-file-validate rejects $program.desktop"
  [ "$(desktop_value "$launcher" Exec)" = "\"/usr/games/$program\"" ] ||
    e2e_fail "$program.desktop: Exec is '$(desktop_value "$launcher" Exec)'"
  [ "$(desktop_value "$launcher" Path)" = /usr/share/kestrava/pictures ] ||
    e2e_fail "$program.desktop: Path is '$(desktop_value "$launcher" Path)'"
done

# AppStream: the metainfo on its own, then with the launchers it names.
metainfo="$root/usr/share/metainfo/org.example.kestrava.Kestrava.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || e2e_fail "appstreamcli validate rejects the metainfo"
appstreamcli validate-tree --no-net "$root" || e2e_fail "appstreamcli validate-tree rejects the unpacked package"
for launcher in kestrava2.desktop kestrava1.desktop; do
  grep -q "<launchable type=\"desktop-id\">$launcher</launchable>" "$metainfo" ||
    e2e_fail "the metainfo does not name $launcher"
done

# Manual pages: compressed, formatted by man without a warning.
for program in kestrava2 kestrava1; do
  page="$root/usr/share/man/man6/$program.6.gz"
  gzip -t "$page" || e2e_fail "$program.6.gz is not gzip"
  warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || e2e_fail "man warns about $program.6: $warnings"
  LC_ALL=C.UTF-8 man -l "$page" 2>/dev/null | grep -q "^EXIT STATUS" ||
    e2e_fail "$program(6) has no EXIT STATUS section"
done

# The unpacked programs answer --version without a display, then start
# from their launcher's folder and show their setup windows.
for program in kestrava2 kestrava1; do
  answer="$(env -u DISPLAY -u QT_QPA_PLATFORM "$root/usr/games/$program" --version)" ||
    e2e_fail "$program --version failed"
  [ "$answer" = "$program $version" ] || e2e_fail "$program --version says '$answer'"

  E2E_BIN="$root/usr/games"
  E2E_ASSETS="$root$(desktop_value "$root/usr/share/applications/$program.desktop" Path)"
  e2e_launch "$program"
  e2e_wait_window "$program" 15 >/dev/null
  kill "$E2E_PROGRAM_PID"
  wait "$E2E_PROGRAM_PID" 2>/dev/null || true
  E2E_PROGRAM_PID=""
done

e2e_pass "unpacked package: launchers, metainfo and manual pages valid; both programs show their setup windows"
