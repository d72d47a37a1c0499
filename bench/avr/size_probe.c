/* The least a sketch needs to draw the logo page by page; built once with
 * the decoder and once with the decoder calls left out, the difference in
 * code size is what the decoder costs in flash. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>

#define U8X8_PROGMEM PROGMEM
#include "logo.h"
#include "lumivane_decode.h"

/* Not static, so that the build without the decoder keeps it too: every
 * sketch has variables to clear at start, and the code clearing them is
 * not the decoder's. */
unsigned char row[128 / 8];

static void KeepRow(void* context, unsigned row_number, const unsigned char* row_bytes) {
  (void)context;
  GPIOR1 = row_bytes[0] ^ (unsigned char)row_number;
}

int main(void) {
  unsigned first;
  for (first = 0; first < 64; first += 8) {
#if LUMIVANE_PROBE_DECODER
    lumivane_stream stream;
    lumivane_stream_init(&stream, lumivane_read_progmem, logo, sizeof logo);
    lumivane_draw_rows(&stream, 128, 64, first, first + 7, row, KeepRow, 0);
#else
    row[0] = pgm_read_byte(logo + first);
    KeepRow(0, first, row);
#endif
  }
  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
