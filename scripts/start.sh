#!/usr/bin/env bash
# Installs what is missing, builds the program and starts its window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages build

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMIVANE_BUILD_TESTS=OFF -DLUMIVANE_BUILD_BENCH=OFF
cmake --build build --target lumivane -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No desktop display found (DISPLAY is not set): start build/ui/lumivane from a desktop session." >&2
  exit 1
fi
exec build/ui/lumivane
