#!/usr/bin/env bash
# The window on a laptop's 1366 x 768 screen at QT_SCALE_FACTOR 1, 1.25, 1.5
# and 2, under Xvfb and openbox, driven by xdotool as a user would:
#   1. a PNG dragged from another program (tests/ui/ui_x11_peer) onto the
#      input box opens the import dialog; OK writes the header beside the
#      PNG, the same bytes as lumivane-cli --import;
#   2. a folder holding a bitmap and an image, dragged onto the input box:
#      the bitmap is converted, the image named as skipped;
#   3. File > Import Image of a 3000 x 3000 PNG under a 200-character path;
#   4. File > Load of a PNG (the NOTHING TO COMPRESS box), and Info > About.
# Each dialog and box must lie whole on the screen, frame included; its size
# is printed, and screenshots go to OUTPUT_DIR (scale-S-*.png).
# Exits 1 at the first check that fails. Not part of CI: it needs a display
# server and takes about two minutes.
# Usage: scripts/x11_scale_check.sh [BUILD_DIR] [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
output=$(realpath -m "${2:-${TMPDIR:-/tmp}/lumivane-scale-check}")
mkdir -p "$output"

source scripts/packages.sh
ensure_packages build screenshot x11
cmake --build "$build" --target lumivane ui_x11_peer lumivane-cli

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 160x80 -define gradient:direction=east gradient:'#ffffff-#a0a0a0' \
  -fill '#101010' -draw "circle 34,40 34,12" -fill white -draw "circle 34,40 34,24" \
  "$work/sample.png"
long="$work/$(printf 'd%.0s' {1..60})/$(printf 'e%.0s' {1..60})"
long="$long/$(printf 'f%.0s' $(seq $((200 - ${#long} - 14))))"
mkdir -p "$long"
convert -size 3000x3000 xc:white -fill black -draw "circle 1500,1500 1500,200" "$long/big_photo.png"
mkdir "$work/folder"
{
  echo "#define logo_width 16"
  echo "#define logo_height 4"
  echo "static unsigned char logo_bits[] = {"
  echo "0x00, 0x00, 0x3c, 0xff, 0xff, 0xff, 0x81, 0x00 };"
} >"$work/folder/logo.xbm"
cp "$work/sample.png" "$work/folder/photo.png"

export build work output long
for scale in 1 1.25 1.5 2; do
  export scale
  xvfb-run -a -s "-screen 0 1366x768x24 -dpi 96" bash -euo pipefail -c '
  source scripts/x11_drag.sh
  fail() { echo "FAIL (scale $scale): $*"; exit 1; }
  openbox >/dev/null 2>&1 &
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  rm -f "$work/sample.h" "$work/folder/"*.h
  XDG_CONFIG_HOME="$work/config-$scale" QT_SCALE_FACTOR=$scale "$build/ui/lumivane" \
    >/dev/null 2>&1 &
  sleep 2

  wait_for() { # a window name; prints the newest visible window of that name
    local id
    for _ in $(seq 60); do
      id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1) && [ -n "$id" ] && {
        echo "$id"
        return
      }
      sleep 0.1
    done
    fail "no window named \"$1\""
  }
  # Where a window lies on the screen with its frame: x y width height.
  outer() {
    local info x y w h l r t b
    info=$(xwininfo -id "$1")
    x=$(sed -n "s/.*Absolute upper-left X: *//p" <<<"$info")
    y=$(sed -n "s/.*Absolute upper-left Y: *//p" <<<"$info")
    w=$(sed -n "s/.*Width: *//p" <<<"$info")
    h=$(sed -n "s/.*Height: *//p" <<<"$info")
    IFS=", " read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed "s/.*= //")
    echo $((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))
  }
  on_screen() { # window id, what it is
    local x y w h
    read -r x y w h <<<"$(outer "$1")"
    ((x >= 0 && y >= 0 && x + w <= 1366 && y + h <= 768)) ||
      fail "$2 is ${w} x ${h} at ${x},${y}: off the 1366 x 768 screen"
    echo "ok: scale $scale: $2 ${w} x ${h} at ${x},${y} (frame included) lies on the screen"
  }
  shot() { sleep 0.5; import -window root "$output/scale-$scale-$1.png"; }

  main=$(wait_for "^Lumivane\$")
  on_screen "$main" "the main window"

  # 1. A PNG dragged on to the input box (the upper left of the window).
  "$build/tests/ui/ui_x11_peer" 1000 400 "$work/sample.png" >/dev/null 2>&1 &
  peer=$!
  sleep 1.5
  drag 1150 550 200 250
  kill $peer
  dialog=$(wait_for "^Import Image - ")
  on_screen "$dialog" "the import dialog of a dropped PNG"
  shot import-dialog
  xdotool windowactivate --sync "$dialog" key Return
  for _ in $(seq 50); do [ -s "$work/sample.h" ] && break; sleep 0.1; done
  mkdir -p "$work/cli-$scale"
  cp "$work/sample.png" "$work/cli-$scale/"
  "$build/cli/lumivane-cli" --import "$work/cli-$scale/sample.png" >/dev/null
  cmp -s "$work/sample.h" "$work/cli-$scale/sample.h" ||
    fail "the dropped PNG gave no header, or another than lumivane-cli --import"
  echo "ok: scale $scale: the dropped PNG was imported as lumivane-cli --import does"

  # 2. A folder with a bitmap and an image.
  "$build/tests/ui/ui_x11_peer" 1000 400 "$work/folder" >/dev/null 2>&1 &
  peer=$!
  sleep 1.5
  drag 1150 550 200 250
  kill $peer
  sleep 1
  [ -f "$work/folder/logo.h" ] && [ -f "$work/folder/allFiles.h" ] ||
    fail "the dropped folder was not converted"
  [ ! -e "$work/folder/photo.h" ] || fail "the folder'"'"'s image was imported"
  shot folder-drop
  echo "ok: scale $scale: the dropped folder was converted, its image left (see folder-drop.png)"

  # 3. A large image under a long path, through File > Import Image.
  xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+i
  open=$(wait_for "^Import an Image\$")
  on_screen "$open" "the open dialog"
  sleep 0.5
  xdotool type --delay 2 "$long/big_photo.png"
  xdotool key Return
  dialog=$(wait_for "^Import Image - ")
  on_screen "$dialog" "the import dialog of a 3000 x 3000 PNG under a ${#long}-character folder"
  shot import-too-large
  xdotool key Escape
  sleep 0.5

  # 4. File > Load of a PNG, then Info > About.
  xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+l
  open=$(wait_for "^Load a Bitmap.xbm File\$")
  sleep 0.5
  xdotool type --delay 2 "$work/sample.png"
  xdotool key Return
  box=$(wait_for "^mnuLoad\$")
  on_screen "$box" "the NOTHING TO COMPRESS box"
  shot load-png
  xdotool key Return
  sleep 0.5
  xdotool windowactivate --sync "$main" key --clearmodifiers alt+i
  sleep 0.5
  xdotool key a
  sleep 1
  about=$(xdotool search --onlyvisible --class lumivane | while read -r id; do
    xprop -id "$id" _NET_WM_NAME | grep -q "= \" \"" && echo "$id"; done | tail -1)
  [ -n "$about" ] || fail "Alt+I, A showed no About box"
  on_screen "$about" "the About box"
  shot about
  '
done
echo "screenshots in $output"
