#!/usr/bin/env bash
# Starts the window program on a virtual display, converts a generated sample
# folder of XBM bitmaps in it and writes PNG screenshots:
#   start.png   the program as it starts (empty boxes)
#   window.png  the window after a folder drop
#   about.png   the About box in front of the window
#   import.png  the import dialog: a sample image beside its one-bit result,
#               reached with the keyboard as a user would (drive_import.sh,
#               which also checks the window's header against lumivane-cli)
# The display has a window manager (openbox), so the title bars show.
# Usage: [SCREEN=WIDTHxHEIGHT] [QT_SCALE_FACTOR=F] scripts/screenshot.sh [BUILD_DIR] [OUTPUT_DIR]
# e.g. SCREEN=1366x768 for a laptop, or SCREEN=1920x1080 QT_SCALE_FACTOR=1.5.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
output=$(realpath -m "${2:-screenshots}")
mkdir -p "$output"

source scripts/packages.sh
ensure_packages build test screenshot x11
cmake -S . -B "$build" -G Ninja -DLUMIVANE_BUILD_TESTS=ON
cmake --build "$build" --target lumivane ui_screenshot lumivane-cli

samples=$(mktemp -d)
trap 'rm -rf "$samples"' EXIT

# A sample bitmap: width, height, then one pattern per row (bytes repeated).
write_xbm() {
  local name=$1 width=$2 height=$3 row column byte
  local bytes_per_row=$(((width + 7) / 8))
  {
    echo "#define ${name}_width $width"
    echo "#define ${name}_height $height"
    echo "static unsigned char ${name}_bits[] = {"
    for ((row = 0; row < height; row++)); do
      for ((column = 0; column < bytes_per_row; column++)); do
        if ((row < 4 || row >= height - 4)); then byte=0
        elif ((column == 0 || column == bytes_per_row - 1)); then byte=255
        else byte=$(((row * 37 + column * 11) % 256))
        fi
        printf '0x%02x, ' "$byte"
      done
      echo
    done
    echo "};"
  } >"$samples/$name.xbm"
}
write_xbm logo 128 64
write_xbm battery 32 16
write_xbm wifi 16 16
write_xbm splash_screen 128 32

# A sample image: a grey gradient with a ring, a bar and a word on it.
convert -size 160x80 -define gradient:direction=east gradient:'#ffffff-#a0a0a0' \
  -fill '#101010' -draw "circle 34,40 34,12" -fill white -draw "circle 34,40 34,24" \
  -fill '#707070' -draw "roundrectangle 72,10 152,34 6,6" \
  -fill black -font Liberation-Sans-Bold -pointsize 26 -annotate +74+68 "OLED" \
  "$samples/sample.png"

screen="-screen 0 ${SCREEN:-1600x1000}x24 -dpi 96"
# The window keeps its last folder in its settings: here, not in the user's.
export XDG_CONFIG_HOME="$samples/config"

# The program itself, as a user starts it.
xvfb-run -a -s "$screen" bash -c '
  openbox & sleep 1
  "$1" & program=$!
  sleep 3
  import -window root "$2"
  kill "$program"
' _ "$build/ui/lumivane" "$output/start.png"

# The same window driven through a drop and Info > About.
xvfb-run -a -s "$screen" bash -c '
  openbox & sleep 1
  "$1" "$2" "$3"
' _ "$build/tests/ui/ui_screenshot" "$samples" "$output"

# File > Import Image, driven with the keyboard under a window manager.
xvfb-run -a -s "$screen" bash scripts/drive_import.sh "$build/ui/lumivane" \
  "$build/cli/lumivane-cli" "$samples/sample.png" "$output/import.png"

echo "screenshots in $output: start.png window.png about.png import.png"
