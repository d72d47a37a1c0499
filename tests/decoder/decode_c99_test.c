/* The decoder as a C99 program sees it, built with the project's strict
 * warnings: no C++ in the header may slip through. */
#include <stdio.h>
#include <string.h>

#include "lumivane_decode.h"

static int failures = 0;

static void expect(int condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "failed: %s\n", what);
    ++failures;
  }
}

static unsigned rows_drawn = 0;
static unsigned char last_row_byte = 0;

static void count_row(void* context, unsigned row, const unsigned char* row_bytes) {
  (void)context;
  (void)row;
  ++rows_drawn;
  last_row_byte = row_bytes[0];
}

static unsigned tiles_drawn = 0;
static unsigned char last_tile[8];

static void keep_tile(void* context, unsigned column, unsigned page, unsigned char* tile) {
  (void)context;
  tiles_drawn += column + page + 1u;
  memcpy(last_tile, tile, sizeof last_tile);
}

static unsigned char read_inverted(const unsigned char* address) {
  return (unsigned char)~*address;
}

int main(void) {
  static const unsigned char logo[] = {0x00, 0x04, 0x3C, 0xFF, 0x01, 0x7E, 0x00, 0x00};
  static const unsigned char expected[] = {0x00, 0x00, 0x00, 0x00, 0x00,
                                           0x3C, 0xFF, 0xFF, 0x7E, 0x00};
  unsigned char out[16];
  static const unsigned char inverted[] = {0xFF, 0xFD, 0xC3};

  expect(lumivane_decode(logo, sizeof logo, out, sizeof out) == (long)sizeof expected,
         "decoded length");
  expect(memcmp(out, expected, sizeof expected) == 0, "decoded bytes");
  expect(lumivane_decode(logo, sizeof logo, out, 9) == LUMIVANE_DECODE_OUTPUT_FULL, "short buffer");
  expect(lumivane_decode(logo, 1, out, sizeof out) == LUMIVANE_DECODE_MALFORMED, "cut array");
  expect(lumivane_decode_with(read_inverted, inverted, sizeof inverted, out, sizeof out) == 4,
         "own reader length");
  expect(out[0] == 0x00 && out[2] == 0x00 && out[3] == 0x3C, "own reader bytes");

  /* Firmware may compare with the documented numbers instead of the names. */
  expect(LUMIVANE_DECODE_MALFORMED == -1, "malformed is -1");
  expect(LUMIVANE_DECODE_OUTPUT_FULL == -2, "output full is -2");
  expect(lumivane_decode(logo, 1, out, sizeof out) == -1, "cut array gives -1");
  expect(lumivane_decode(logo, sizeof logo, out, 9) == -2, "short buffer gives -2");

  {
    lumivane_stream s;
    unsigned char row[1];
    unsigned char tiles[8];
    lumivane_stream_init(&s, lumivane_read_ram, logo, sizeof logo);
    expect(lumivane_stream_skip(&s, 5) == 5, "stream skip");
    expect(lumivane_stream_read(&s, out, 2) == 2 && out[0] == 0x3C, "stream read");
    expect(lumivane_draw_rows(&s, 8, 3, 1, 9, row, count_row, NULL) == 2, "draw rows");
    expect(rows_drawn == 2 && last_row_byte == 0x00, "rows drawn");
    lumivane_stream_init(&s, lumivane_read_ram, logo, 1);
    expect(lumivane_stream_read(&s, out, 1) == -1, "stream cut array gives -1");
    lumivane_stream_init_P(&s, logo, sizeof logo);
    expect(lumivane_draw_tiles_P(&s, 10, 8, tiles, keep_tile, NULL) == 2, "draw tiles");
    expect(tiles_drawn == 3 && last_tile[0] == 0x7E && last_tile[1] == 0x00, "tiles drawn");
    lumivane_stream_init_P(&s, logo, sizeof logo);
    expect(lumivane_stream_skip_P(&s, 6) == 6 && lumivane_stream_read_P(&s, out, 9) == 4 &&
               out[0] == 0xFF && out[2] == 0x7E,
           "flash stream");
    lumivane_rows_to_tiles(expected, 8, tiles);
    expect(tiles[0] == 0xC0 && tiles[2] == 0xE0, "tiles");
  }
  return failures == 0 ? 0 : 1;
}
