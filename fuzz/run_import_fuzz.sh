#!/usr/bin/env bash
# Runs the image-import fuzzer for a number of seconds:
#   run_import_fuzz.sh FUZZER WORK_FOLDER SECONDS [extra libFuzzer options]
# First it replays the regression inputs beside this script once each, then
# fuzzes from the seed images (each behind two settings bytes, see
# import_fuzzer.cpp) with inputs of up to 16 KB. A single allocation over
# 100 MB counts as a failure: no image may make the import hold that much. New inputs go to
# WORK_FOLDER/corpus, a crashing input to WORK_FOLDER/crash-*.
# Exits non-zero when an invariant broke.
set -euo pipefail
fuzzer=$1
work=$2
seconds=$3
shift 3
here=$(dirname "$0")

mkdir -p "$work/corpus"
if compgen -G "$here/import_regressions/*" >/dev/null; then
  "$fuzzer" "$here"/import_regressions/*
fi

exec "$fuzzer" -max_total_time="$seconds" -max_len=16384 -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=100 \
  -dict="$here/image.dict" -print_final_stats=1 -artifact_prefix="$work/" "$@" \
  "$work/corpus" "$here/import_seeds"
