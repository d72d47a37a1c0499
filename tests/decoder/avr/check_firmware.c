/* Decodes the check images on the simulated AVR in every way the decoder
 * offers and sends every byte out through GPIOR1:
 *   1. all rows, page by page (8 rows), one flash stream for all pages;
 *   2. all rows, each page from the image's first row (the rows above
 *      passed over);
 *   3. after a skip of kCheckSkip, kCheckChunk bytes read and as many
 *      passed over, in turn;
 *   4. for widths that are a multiple of 8, the tiles of every full band
 *      of 8 rows;
 *   5. the image's bytes as pages layout, tile by tile;
 * and then the results of the calls on a broken array. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>

#define U8X8_PROGMEM PROGMEM
#include "check_images.h"
#include "lumivane_decode.h"

enum { kPageRows = 8, kMaxRowSize = 16 };

static void Send(const unsigned char* bytes, unsigned count) {
  while (count-- > 0) GPIOR1 = *bytes++;
}

static void SendRow(void* row_size, unsigned row, const unsigned char* row_bytes) {
  (void)row;
  Send(row_bytes, *(const unsigned*)row_size);
}

static void DrawPages(const check_image* image, int one_stream) {
  unsigned char row[kMaxRowSize];
  unsigned row_size = (image->width + 7) / 8;
  unsigned first;
  lumivane_stream stream;
  lumivane_stream_init_P(&stream, image->encoded, image->size);
  for (first = 0; first < image->height; first += kPageRows) {
    if (one_stream) {
      lumivane_draw_rows_P(&stream, image->width, image->height - first, 0, kPageRows - 1, row,
                           SendRow, &row_size);
    } else {
      lumivane_stream_init_P(&stream, image->encoded, image->size);
      lumivane_draw_rows_P(&stream, image->width, image->height, first, first + kPageRows - 1, row,
                           SendRow, &row_size);
    }
  }
}

static void ReadInChunks(const check_image* image) {
  unsigned char chunk[kCheckChunk];
  long got;
  lumivane_stream stream;
  lumivane_stream_init_P(&stream, image->encoded, image->size);
  lumivane_stream_skip_P(&stream, kCheckSkip);
  while ((got = lumivane_stream_read_P(&stream, chunk, sizeof chunk)) > 0) {
    Send(chunk, (unsigned)got);
    lumivane_stream_skip_P(&stream, sizeof chunk);
  }
}

static void SendTiles(const check_image* image) {
  unsigned char rows[kPageRows * kMaxRowSize];
  unsigned char tiles[kPageRows * kMaxRowSize];
  const unsigned band_size = image->width;  // 8 rows of width / 8 bytes
  unsigned band;
  lumivane_stream stream;
  if (image->width % 8 != 0) return;
  lumivane_stream_init_P(&stream, image->encoded, image->size);
  for (band = 0; band < image->height / kPageRows; ++band) {
    lumivane_stream_read_P(&stream, rows, band_size);
    lumivane_rows_to_tiles(rows, image->width, tiles);
    Send(tiles, band_size);
  }
}

static void SendTile(void* context, unsigned column, unsigned page, unsigned char* tile) {
  (void)context;
  (void)column;
  (void)page;
  Send(tile, 8);
}

static void SendPageTiles(const check_image* image) {
  unsigned char tile[8];
  lumivane_stream stream;
  lumivane_stream_init_P(&stream, image->encoded, image->size);
  lumivane_draw_tiles_P(&stream, image->page_width, image->page_height, tile, SendTile, 0);
}

int main(void) {
  unsigned i;
  for (i = 0; i < kCheckImageCount; ++i) {
    DrawPages(&kCheckImages[i], 1);
    DrawPages(&kCheckImages[i], 0);
    ReadInChunks(&kCheckImages[i]);
    SendTiles(&kCheckImages[i]);
    SendPageTiles(&kCheckImages[i]);
  }
  SendBroken(lumivane_read_progmem, Send);
  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
