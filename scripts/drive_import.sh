#!/usr/bin/env bash
# Runs inside a virtual display (see screenshot.sh): starts the window under
# a window manager and imports an image as a user would, with the keyboard:
# Ctrl+I, the image's path in the open dialog, the threshold moved up by 12
# with the arrow keys, a screenshot of the import dialog, OK, and the
# proposed .h accepted in the save dialog. Then checks that the .h holds the
# same bytes as lumivane-cli makes with the same settings.
#   drive_import.sh PROGRAM CLI IMAGE SCREENSHOT
set -euo pipefail
program=$1 cli=$2 image=$3 screenshot=$4
header=${image%.*}.h
rm -f "$header"

# The display may still be starting when this script does.
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
manager=$!
# Windows mapped before the window manager runs are never shown as viewable.
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
# The import dialog starts with the last import's settings: none here.
settings=$(mktemp -d)
XDG_CONFIG_HOME=$settings "$program" >/dev/null 2>"${TMPDIR:-/tmp}/drive_import_program.log" &
window=$!
trap 'kill $window $manager 2>/dev/null || true; rm -rf "$settings"' EXIT

wait_for() { # a window name [tenths of a second]; prints its id once it is shown
  local id
  for _ in $(seq "${2:-100}"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && {
      echo "$id"
      return
    }
    sleep 0.1
  done
  echo "no window named '$1'" >&2
  return 1
}

main=$(wait_for '^Lumivane$')
# The window manager may still be starting and lose the first keys: press
# Ctrl+I again until the open dialog shows.
for attempt in $(seq 10); do
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool mousemove --window "$main" 200 200 click 1
  xdotool key --clearmodifiers ctrl+i
  wait_for 'Import an Image' 20 >/dev/null 2>&1 && break
  [ "$attempt" -lt 10 ] || { echo "Ctrl+I opened no dialog" >&2; exit 1; }
done
sleep 0.5
xdotool type --delay 5 "$image"
xdotool key Return
dialog=$(wait_for '^Import Image')
sleep 0.5
for _ in $(seq 12); do xdotool key Right; done
sleep 0.5
import -window "$dialog" "$screenshot"
xdotool key Return
wait_for 'Save as bitmap.h File' >/dev/null
sleep 0.5
xdotool key Return
for _ in $(seq 50); do [ -s "$header" ] && break; sleep 0.1; done

expected=$(mktemp -d)
cp "$image" "$expected/"
"$cli" --import --threshold 140 "$expected/$(basename "$image")" >/dev/null
if cmp -s "$header" "$expected/$(basename "$header")"; then
  echo "import in the window: $(basename "$header") equals lumivane-cli --import --threshold 140"
  rm -rf "$expected"
else
  echo "import in the window: $header differs from lumivane-cli's $expected" >&2
  exit 1
fi
