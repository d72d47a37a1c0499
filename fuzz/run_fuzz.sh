#!/usr/bin/env bash
# Runs the conversion fuzzer for a number of seconds:
#   run_fuzz.sh FUZZER WORK_FOLDER SECONDS [extra libFuzzer options]
# First it runs two sources made here at the edge of what a source may hold
# (32,766 literals, and one more, which must fail with the overflow error)
# once each: inputs that large slow the mutation loop down a hundredfold.
# Then it fuzzes from the seeds beside this script with inputs of up to 8 KB.
# New inputs go to WORK_FOLDER/corpus, a crashing input to WORK_FOLDER/crash-*.
# Exits non-zero when an invariant broke.
set -euo pipefail
fuzzer=$1
work=$2
seconds=$3
shift 3
seeds=$(dirname "$0")/seeds

mkdir -p "$work/corpus" "$work/edge-seeds"
# The width of 100 lets the text pass the check for "00" or "FF"; each empty
# literal reads as the byte 00.
make_literals() { # name count
  { printf '%s\n#define w 100\n' "$1"; printf '0x%.0s' $(seq "$2"); } >"$work/edge-seeds/$1"
}
[ -s "$work/edge-seeds/limit-32766.xbm" ] || make_literals limit-32766.xbm 32766
[ -s "$work/edge-seeds/over-32767.xbm" ] || make_literals over-32767.xbm 32767
"$fuzzer" "$work"/edge-seeds/*

exec "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=20 -rss_limit_mb=2048 \
  -dict="$(dirname "$0")/xbm.dict" -print_final_stats=1 -artifact_prefix="$work/" "$@" \
  "$work/corpus" "$seeds"
