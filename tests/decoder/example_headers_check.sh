#!/bin/sh
# The examples' headers are what the command line makes of logo.xbm, in the
# layout each sketch draws, the array named after its header:
#   example_headers_check.sh LUMIVANE_CLI EXAMPLES_DIR WORK_DIR
set -e
cli=$1 examples=$2 work=$3
xbm=$examples/PageModeLogo/logo.xbm
"$cli" --stdout "$xbm" 2>/dev/null | cmp - "$examples/PageModeLogo/logo.h"
cmp "$examples/PageModeLogo/logo.h" "$examples/TextModeTiles/logo.h"
for example in pages:U8x8DrawTile:logo_pages rows-msb:GfxDrawBitmap:logo_msb; do
  layout=${example%%:*} rest=${example#*:}
  sketch=${rest%%:*} name=${rest#*:}
  cp "$xbm" "$work/$name.xbm"
  (cd "$work" && "$cli" --layout "$layout" --stdout "$name.xbm" 2>/dev/null) |
    cmp - "$examples/$sketch/$name.h"
done
