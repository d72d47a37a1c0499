#!/usr/bin/env bash
# Drags and drops as a user does, through a real X server (Xvfb) with a window
# manager (openbox), driven by xdotool, between the window program and another
# program (tests/ui/ui_x11_peer):
#   1. a folder dragged from the other program onto Text1's scroll bar is converted;
#   2. a folder dragged onto the middle of Text1 is converted;
#   3. the first line of Text2, dragged up out of the box and on to the other
#      program, arrives there exactly once, and the next click on the other
#      program is an ordinary click, not a second drop;
#   4. the About box's title bar shows nothing.
# Exits 1 at the first check that fails. Not part of CI: it needs a display
# server and takes about half a minute.
# Usage: scripts/x11_drag_check.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

source scripts/packages.sh
ensure_packages build screenshot x11
cmake --build "$build" --target lumivane ui_x11_peer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/folder"
for name in logo battery; do
  {
    echo "#define ${name}_width 128"
    echo "#define ${name}_height 64"
    echo "static unsigned char ${name}_bits[] = {"
    for ((row = 0; row < 64; row++)); do
      echo "0x00, 0x00, 0x3c, 0xff, 0xff, 0xff, 0x81, 0x00, 0x00, 0x00, 0x00, 0x7e, 0xff, 0xff, 0x00, 0x00,"
    done
    echo "};"
  } >"$work/folder/$name.xbm"
done

# The window keeps its last folder in its settings: here, not in the user's.
export build work XDG_CONFIG_HOME="$work/config"
xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" bash -euo pipefail -c '
  source scripts/x11_drag.sh
  fail() { echo "FAIL: $*"; cat "$work/peer.log"; exit 1; }
  openbox & sleep 1
  "$build/ui/lumivane" & sleep 1
  "$build/tests/ui/ui_x11_peer" 1560 100 "$work/folder" >"$work/peer.log" 2>/dev/null &
  sleep 2

  # The window opens at its designed size here: the menu bar takes what the
  # client area has above its designed height.
  info=$(xwininfo -id "$(xdotool search --onlyvisible --name "^Lumivane\$" | head -n 1)")
  left=$(sed -n "s/.*Absolute upper-left X: *//p" <<<"$info")
  top=$(($(sed -n "s/.*Absolute upper-left Y: *//p" <<<"$info") +
    $(sed -n "s/.*Height: *//p" <<<"$info") - 879))
  echo "client area at $left,$top"
  peer_x=1700 peer_y=250

  converted() { [ -f "$work/folder/allFiles.h" ] && [ -f "$work/folder/logo.h" ]; }

  drag $peer_x $peer_y $((left + 688)) $((top + 240))
  converted || fail "a folder dropped on the scroll bar of Text1 was not converted"
  echo "ok: folder dropped on the scroll bar of Text1 converted"
  rm "$work/folder/"*.h

  drag $peer_x $peer_y $((left + 350)) $((top + 240))
  converted || fail "a folder dropped on Text1 was not converted"
  echo "ok: folder dropped on Text1 converted"

  # Text2 starts at 472 in the client area; its first line lies 10 px lower.
  line_y=$((top + 482))
  xdotool mousemove $((left + 100)) $line_y click --repeat 3 --delay 80 1; sleep 0.5
  lines_before=$(wc -l <"$work/peer.log")
  xdotool mousedown 1; sleep 0.2
  xdotool mousemove $((left + 100)) $((line_y - 15)); sleep 0.2
  for ((step = 1; step <= 10; step++)); do
    xdotool mousemove $((left + 100 + (peer_x - left - 100) * step / 10)) \
      $((line_y - 15 + (peer_y - line_y + 15) * step / 10))
    sleep 0.1
  done
  sleep 0.3; xdotool mouseup 1; sleep 1
  xdotool mousemove $((peer_x + 20)) $((peer_y + 10)) click 1; sleep 1
  after=$(tail -n +$((lines_before + 1)) "$work/peer.log")
  drops=$(grep -c "^drop-text const unsigned char logo\[\]" <<<"$after" || true)
  [ "$drops" -eq 1 ] || fail "the first line of Text2 arrived $drops times"
  [ "$(tail -n 1 <<<"$after")" = press ] || fail "the click after the drag did not reach the other program"
  echo "ok: the first line of Text2 arrived once; the next click was a click"

  # Info > About: the box'"'"'s title bar shows nothing, not the program'"'"'s name.
  xdotool mousemove $((left + 209)) $((top - 10)) click 1; sleep 0.5
  xdotool key Down Return; sleep 1
  titles=$(for id in $(xdotool search --onlyvisible --class lumivane); do
    xprop -id "$id" _NET_WM_NAME; done)
  grep -qx "_NET_WM_NAME(UTF8_STRING) = \" \"" <<<"$titles" ||
    fail "the About box has a caption: $titles"
  echo "ok: the About box shows no caption"
'
