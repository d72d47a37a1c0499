#!/usr/bin/env bash
# Installs this build into a temporary prefix and builds the consumer project
# against it: the headers are made in the consumer's build folder when it is
# built (not when it is configured), the program that includes them decodes
# them, Ninja learns each header's source from the dependency file, and after
# one bitmap is touched only its header (and the collection) is made again.
#
# usage: consumer_test.sh <lumivane build folder> <consumer source folder>
set -euo pipefail
build=$1
consumer=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
if ! command -v ninja >/dev/null; then
  echo "SKIP: ninja is not installed (Debian: ninja-build)"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/lumivane-consumer-XXXXXX")
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cp -r "$consumer" "$work/src"
cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$work/prefix" >"$work/configure.log" ||
  { cat "$work/configure.log"; fail "the consumer does not configure"; }
headers="$work/build/lumivane/firmware"
[ -z "$(find "$work/build" -name '*.h')" ] || fail "headers written while configuring"

ninja -C "$work/build" -v >"$work/first.log" 2>&1 ||
  { cat "$work/first.log"; fail "the consumer does not build"; }
for header in logo.h arrow.h icons.h images.h; do
  [ -f "$headers/$header" ] || fail "$header is not in $headers"
done
[ -z "$(find "$work/src" -name '*.h')" ] || fail "headers written into the source folder"
"$work/build/firmware" || fail "the generated headers do not decode to their declared sizes"

# The dependency file Ninja reads for a header's edge must name its bitmap.
depfile_of() {
  awk -v edge="build lumivane/firmware/$1 " 'index($0, edge) == 1 { found = 1 }
    found && $1 == "depfile" { print $3; exit }' "$work/build/build.ninja"
}
for source in logo arrow icons; do
  depfile=$(depfile_of "$source.h")
  [ -n "$depfile" ] && grep -q "img/$source.xbm" "$depfile" ||
    fail "no dependency file naming img/$source.xbm for $source.h"
done
ninja -C "$work/build" | grep -q "no work to do" || fail "a second build is not empty"

mtimes() { stat -c '%n %y' "$headers/logo.h" "$headers/icons.h"; }
before=$(mtimes)
touch "$work/src/img/arrow.xbm"
ninja -C "$work/build" -v >"$work/second.log" 2>&1 ||
  { cat "$work/second.log"; fail "the rebuild failed"; }
converted=$(grep -- '--depfile' "$work/second.log" || true)
[ "$(grep -c . <<<"$converted")" -eq 1 ] && grep -q 'arrow\.xbm' <<<"$converted" ||
  { cat "$work/second.log"; fail "touching arrow.xbm did not convert exactly arrow.xbm"; }
grep -q -- '--collect' "$work/second.log" || fail "the collection was not made again"
[ "$(mtimes)" = "$before" ] || fail "headers of untouched bitmaps were rewritten"
# Sources the command line would skip or outputs that would collide are
# refused while configuring, instead of leaving the build waiting for a header.
refused() {
  local case=$work/refused/$1 message=$2
  mkdir -p "$case/img/other"
  : >"$case/img/logo.XBM"
  printf '%s\n' 'cmake_minimum_required(VERSION 3.20)' 'project(refused NONE)' \
    'find_package(Lumivane REQUIRED)' 'add_custom_target(firmware)' "$3" >"$case/CMakeLists.txt"
  if cmake -S "$case" -B "$case/build" -DCMAKE_PREFIX_PATH="$work/prefix" >"$case.log" 2>&1; then
    fail "$1: configured without complaint"
  fi
  # CMake wraps long messages.
  tr -s ' \n' '  ' <"$case.log" | grep -qF "$message" || { cat "$case.log"; fail "$1: not refused for the reason expected"; }
}
refused upper_case "does not end in .xbm" 'lumivane_add_headers(firmware SOURCES img/logo.XBM)'
refused same_name "two sources would both write" \
  'lumivane_add_headers(firmware SOURCES img/logo.xbm img/other/logo.xbm)'
refused collect_path "COLLECT takes a file name" \
  'lumivane_add_headers(firmware SOURCES img/logo.xbm COLLECT sub/all.h)'
refused collect_header "is also a converted header" \
  'lumivane_add_headers(firmware SOURCES img/logo.xbm COLLECT logo.h)'
echo "consumer built; one touched bitmap rebuilt one header; bad calls refused"
