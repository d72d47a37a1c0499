#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build, then the engine and workflows under AddressSanitizer and
# UndefinedBehaviorSanitizer, then one minute of fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages build test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVANE_WERROR=ON \
  -DLUMIVANE_BUILD_TESTS=ON -DLUMIVANE_BUILD_BENCH=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIVANE_WERROR=ON \
  -DLUMIVANE_SANITIZE=ON -DLUMIVANE_BUILD_UI=OFF -DLUMIVANE_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs"

# One minute of coverage-guided fuzzing of the conversion (clang's libFuzzer).
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMIVANE_BUILD_FUZZ=ON -DLUMIVANE_BUILD_UI=OFF -DLUMIVANE_BUILD_BENCH=OFF
cmake --build build-fuzz --target lumivane_fuzz_convert -j"$jobs"
ctest --test-dir build-fuzz -L fuzz --output-on-failure
