#!/usr/bin/env bash
# Validates the window's menu entry and AppStream data with the tools software
# centres and desktops use; a missing tool is reported and skipped.
#
# usage: metadata_test.sh <desktop entry> <metainfo file>
set -uo pipefail
desktop=$1
metainfo=$2

ran=0
failed=0
if command -v desktop-file-validate >/dev/null; then
  ran=1
  desktop-file-validate "$desktop" || failed=1
else
  echo "desktop-file-validate is not installed (Debian: desktop-file-utils); skipped"
fi
if command -v appstreamcli >/dev/null; then
  ran=1
  appstreamcli validate --no-net "$metainfo" || failed=1
elif command -v appstream-util >/dev/null; then
  ran=1
  appstream-util validate-relax --nonet "$metainfo" || failed=1
else
  echo "neither appstreamcli nor appstream-util is installed (Debian: appstream); skipped"
fi

if [ "$ran" -eq 0 ]; then
  echo "SKIP: no validator installed"
  exit 77
fi
exit "$failed"
