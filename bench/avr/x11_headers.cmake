# Writes one X11 bitmap as the two arrays the stream benchmark reads: IMAGE,
# the command line's compressed header (the bitmap's own bytes when it finds
# nothing to compress), and IMAGE_raw, the bytes uncompressed:
#   cmake -DCLI=lumivane-cli -DXBM=bitmap -DOUT=image.h -P x11_headers.cmake
get_filename_component(work ${OUT} DIRECTORY)
file(COPY_FILE ${XBM} ${work}/image.xbm)
execute_process(COMMAND ${CLI} --stdout image.xbm WORKING_DIRECTORY ${work}
                OUTPUT_VARIABLE compressed ERROR_QUIET)
file(READ ${XBM} text)
string(REGEX MATCHALL "0[xX][0-9a-fA-F]+" literals "${text}")
list(JOIN literals ", " items)
if(NOT compressed MATCHES "U8X8_PROGMEM")
  set(compressed "const unsigned char image[] U8X8_PROGMEM = {${items}};\n")
endif()
file(WRITE ${OUT}.tmp "${compressed}static const unsigned char image_raw[] PROGMEM = {${items}};\n")
file(RENAME ${OUT}.tmp ${OUT})
