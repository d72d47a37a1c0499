# Writes the bytes of an XBM bitmap as an array in flash, the uncompressed
# form a sketch would hold without Lumivane:
#   cmake -DXBM=logo.xbm -DNAME=logo_raw -DOUT=logo_raw.h -P xbm_to_progmem.cmake
file(READ ${XBM} text)
string(REGEX MATCHALL "0[xX][0-9a-fA-F]+" literals "${text}")
list(JOIN literals ", " items)
file(WRITE ${OUT}.tmp "static const unsigned char ${NAME}[] PROGMEM = {${items}};\n")
file(RENAME ${OUT}.tmp ${OUT})
