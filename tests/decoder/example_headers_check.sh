#!/bin/sh
# The examples' headers are what the command line makes of logo.xbm, in the
# layout each sketch draws; layout_reference writes the logo's other layouts.
#   example_headers_check.sh LUMIVANE_CLI LAYOUT_REFERENCE EXAMPLES_DIR WORK_DIR
set -e
cli=$1 reference=$2 examples=$3 work=$4
xbm=$examples/PageModeLogo/logo.xbm
"$cli" --stdout "$xbm" 2>/dev/null | cmp - "$examples/PageModeLogo/logo.h"
cmp "$examples/PageModeLogo/logo.h" "$examples/TextModeTiles/logo.h"
for example in pages:U8x8DrawTile:logo_pages rows-msb:GfxDrawBitmap:logo_msb; do
  layout=${example%%:*} rest=${example#*:}
  sketch=${rest%%:*} name=${rest#*:}
  "$reference" "$layout" "$xbm" "$name" > "$work/$name.xbm"
  (cd "$work" && "$cli" --stdout "$name.xbm" 2>/dev/null) | cmp - "$examples/$sketch/$name.h"
done
