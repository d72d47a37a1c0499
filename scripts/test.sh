#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build and the page (scripts/web.sh), then the engine and workflows under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows build of
# the engine, workflows and command line (compiled, not run), then twenty
# seconds of fuzzing for each of the three fuzz targets. The configurations
# are the presets in CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages build test

jobs=$(nproc)

cmake --preset dev
cmake --build --preset dev -j"$jobs"
ctest --preset dev -j"$jobs"
# The page, in headless Chromium, against the command line just built.
bash scripts/web.sh test

cmake --preset asan
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs"

# The Windows file code must compile; there is no Windows machine to run it on.
cmake --preset windows-cross
cmake --build --preset windows-cross -j"$jobs"

# One minute of coverage-guided fuzzing (clang's libFuzzer), shared between
# the conversion, the decoder and the image import.
cmake --preset fuzz
cmake --build --preset fuzz -j"$jobs"
# Each target fuzzes for a fixed time, so they run side by side.
ctest --preset fuzz -j3
