#!/usr/bin/env bash
# Builds the Debian package with `cpack -G DEB` into OUT_DIR and checks what
# dpkg-deb reports of it: its name, control fields, dependencies worked out
# by dpkg-shlibdeps, and the files it puts under /usr with their modes.
#
# Usage: build_package.sh BUILD_DIR CPACK OUT_DIR VERSION
set -euo pipefail
build="$1" cpack_program="$2" out="$3" version="$4"

fail() { echo "FAIL: $*" >&2; exit 1; }

command -v dpkg-shlibdeps >/dev/null || fail "dpkg-shlibdeps is missing (Debian package dpkg-dev)"

rm -rf "$out"
mkdir -p "$out"
"$cpack_program" -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log" >&2; fail "cpack -G DEB failed"; }

deb="$out/kestrava_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$out" >&2; fail "cpack did not write $(basename "$deb")"; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kestrava ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -gt 3 ] || fail "the Description has no long text"
# Worked out from the programs, so it names the Qt libraries they link.
depends="$(field Depends)"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] || fail "Depends '$depends' does not name $library"
done

# Every file, its mode and owner, as "mode owner path".
dpkg-deb -c "$deb" | awk '{ print $1, $2, $6 }' >"$out/contents"
expected=(
  ./usr/games/kestrava2 ./usr/games/kestrava1
  ./usr/share/applications/kestrava2.desktop ./usr/share/applications/kestrava1.desktop
  ./usr/share/icons/hicolor/64x64/apps/kestrava2.png ./usr/share/icons/hicolor/64x64/apps/kestrava1.png
  ./usr/share/metainfo/org.example.kestrava.Kestrava.metainfo.xml
  ./usr/share/man/man6/kestrava2.6.gz ./usr/share/man/man6/kestrava1.6.gz
  ./usr/share/doc/kestrava/copyright ./usr/share/doc/kestrava/changelog.gz
  ./usr/share/kestrava/pictures/field.gif
)
for picture in 1 2 3 4 5 6 12 22 32 42 52 62; do
  expected+=("./usr/share/kestrava/pictures/$picture.gif")
done
for path in "${expected[@]}"; do
  grep -q " $path\$" "$out/contents" || fail "the package lacks $path"
done
awk '$3 !~ /^\.\/usr\// && $3 != "./" { print }' "$out/contents" | grep . &&
  fail "the package has files outside /usr"
awk '$2 != "root/root" { print }' "$out/contents" | grep . && fail "files not owned by root"
awk '$3 ~ /^\.\/usr\/games\/./ && $1 != "-rwxr-xr-x" { print }
     $3 !~ /^\.\/usr\/games\// && $1 ~ /^-/ && $1 != "-rw-r--r--" { print }
     $1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' "$out/contents" | grep . &&
  fail "files or folders with unusual modes"
echo "PASS: $(basename "$deb") built; section games; depends: $depends"
