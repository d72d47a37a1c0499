/* The stream is set up here and read in x11_firmware.c: its speed must not
 * depend on where that happens. */
#include "lumivane_decode.h"

extern const unsigned char image[];
extern const unsigned image_size;

void SetUpStream(lumivane_stream* stream) {
  lumivane_stream_init_P(stream, image, image_size);
}
