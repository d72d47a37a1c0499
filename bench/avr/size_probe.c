/* The least a sketch needs to draw IMAGES (1, 2 or 4) images page by page
 * through one helper; built once with the decoder and once with the helper
 * copying the same rows from flash with memcpy_P, the difference in code
 * size is what the decoder costs in flash. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>

#include "lumivane_decode.h"

/* After the decoder's header, which defines U8X8_PROGMEM for it. */
#include "logo.h"

/* Three more arrays, as a sketch with several images would hold them. */
static const unsigned char runs[] U8X8_PROGMEM = {0x00, 0xFF, 0x3C, 0xFF, 0x01, 0x81};
static const unsigned char odd[] U8X8_PROGMEM = {0x01, 0x02, 0x00, 0x00, 0x03, 0xFF, 0x02};
static const unsigned char bar[] U8X8_PROGMEM = {0xFF, 0x0F, 0x18, 0x00, 0x0F};

static void KeepRow(void* context, unsigned row_number, const unsigned char* row_bytes) {
  (void)context;
  GPIOR1 = (unsigned char)(row_bytes[0] ^ row_number);
}

static void DrawImage(const unsigned char* image, unsigned size, unsigned width, unsigned height) {
  /* In both builds the row buffer is the helper's, as in the examples. */
  unsigned char row[128 / 8];
  unsigned top;
#if LUMIVANE_PROBE_DECODER
  lumivane_stream stream;
  lumivane_stream_init_P(&stream, image, size);
  for (top = 0; top < height; top += 8) {
    lumivane_draw_rows_P(&stream, width, height - top, 0, 7, row, KeepRow, 0);
  }
#else
  /* Uncompressed, as such a sketch draws: each row copied from flash into
   * the buffer and handed to the same row function, 8 rows a page. */
  const unsigned row_size = (width + 7u) / 8u;
  (void)size;
  for (top = 0; top < height; top += 8) {
    unsigned row_number;
    for (row_number = 0; row_number < 8u && top + row_number < height; ++row_number) {
      memcpy_P(row, image, row_size);
      image += row_size;
      KeepRow(0, row_number, row);
    }
  }
#endif
}

int main(void) {
  DrawImage(logo, sizeof logo, 128, 64);
#if IMAGES >= 2
  DrawImage(runs, sizeof runs, 104, 20);
#endif
#if IMAGES >= 4
  DrawImage(odd, sizeof odd, 13, 7);
  DrawImage(bar, sizeof bar, 8, 4);
#endif
  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
