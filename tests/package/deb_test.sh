#!/usr/bin/env bash
# Builds the Debian packages of this build folder with CPack, unpacks them
# into a temporary root and checks what each holds and needs: the command line
# runs from there and needs no Qt, manual pages and changelogs are
# compressed, every package carries its copyright, and lintian finds no error.
#
# usage: deb_test.sh <build folder> <source folder> <version> <window built: ON/OFF>
set -euo pipefail
build=$1
source=$2
version=$3
window=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian: dpkg-dev)"
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/lumivane-deb-XXXXXX")
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }

arch=$(dpkg --print-architecture)
declare -A deb=(
  [lumivane-cli]="$work/out/lumivane-cli_${version}_${arch}.deb"
  [lumivane-dev]="$work/out/lumivane-dev_${version}_all.deb"
)
declare -A expected=(
  [lumivane-cli]="usr/bin/lumivane-cli"
  [lumivane-dev]="usr/include/lumivane_decode.h
    usr/lib/cmake/Lumivane/LumivaneConfig.cmake
    usr/lib/cmake/Lumivane/LumivaneConfigVersion.cmake
    usr/lib/cmake/Lumivane/LumivaneTargets.cmake
    usr/lib/cmake/Lumivane/LumivaneHeaders.cmake"
)
if [ -f "$source/cli/lumivane-cli.1" ]; then
  expected[lumivane-cli]+=" usr/share/man/man1/lumivane-cli.1.gz"
fi
if [ -f "$source/decoder/library.properties" ]; then
  expected[lumivane-dev]+=" usr/share/lumivane/arduino/Lumivane/library.properties"
fi
if [ "$window" = ON ]; then
  deb[lumivane]="$work/out/lumivane_${version}_${arch}.deb"
  expected[lumivane]="usr/bin/lumivane
    usr/share/applications/lumivane.desktop
    usr/share/icons/hicolor/16x16/apps/lumivane.xpm
    usr/share/icons/hicolor/32x32/apps/lumivane.xpm
    usr/share/metainfo/org.example.lumivane.metainfo.xml
    usr/share/man/man1/lumivane.1.gz"
fi

for package in "${!deb[@]}"; do
  file=${deb[$package]}
  [ -f "$file" ] || { ls "$work/out"; fail "no $(basename "$file")"; }
  [ "$(dpkg-deb -f "$file" Package)" = "$package" ] || fail "$file is not $package"
  root="$work/root/$package"
  mkdir -p "$root"
  dpkg -x "$file" "$root"
  for path in ${expected[$package]} usr/share/doc/$package/copyright \
    usr/share/doc/$package/changelog.gz; do
    [ -f "$root/$path" ] || fail "$package has no /$path"
  done
  uncompressed=$(find "$root/usr/share/man" -type f ! -name '*.gz' 2>/dev/null || true)
  [ -z "$uncompressed" ] || fail "$package has uncompressed manual pages: $uncompressed"
  owners=$(dpkg-deb -c "$file" | awk '$2 != "root/root"')
  [ -z "$owners" ] || fail "$package has files not owned by root: $owners"
done

if dpkg-deb -f "${deb[lumivane-cli]}" Depends | grep -qi qt; then
  fail "lumivane-cli depends on Qt: $(dpkg-deb -f "${deb[lumivane-cli]}" Depends)"
fi
dpkg-deb -f "${deb[lumivane-dev]}" Depends | grep -qF "lumivane-cli (= $version)" ||
  fail "lumivane-dev does not depend on this lumivane-cli"
if [ "$window" = ON ]; then
  dpkg-deb -f "${deb[lumivane]}" Depends | grep -q libqt6widgets6 ||
    fail "the computed dependencies of lumivane do not name Qt Widgets"
fi
reported=$("$work/root/lumivane-cli/usr/bin/lumivane-cli" --version | tr -d '\r')
[ "$reported" = "lumivane-cli $version" ] || fail "the installed lumivane-cli reports '$reported'"

if command -v lintian >/dev/null; then
  lintian "${deb[@]}" >"$work/lintian.log" 2>&1 || true
  cat "$work/lintian.log"
  ! grep -q '^E:' "$work/lintian.log" || fail "lintian reports errors"
else
  echo "lintian is not installed (Debian: lintian); the packages were not checked with it"
fi
echo "packages built and checked: ${!deb[*]}"
