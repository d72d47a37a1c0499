/* Runs on the simulated ATmega328P: the same 128x64 logo copied from flash
 * uncompressed with memcpy_P, read compressed through a stream, and drawn
 * page by page, each between two markers the host takes the cycle count
 * and the RAM at. LOGO names the compressed array, LOGO_RAW the
 * uncompressed one, LOGO_HEADER and LOGO_RAW_HEADER their headers. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>
#include <string.h>

#define U8X8_PROGMEM PROGMEM
#include "bench_markers.h"
#include LOGO_HEADER
#include LOGO_RAW_HEADER
#include "lumivane_decode.h"

enum { kWidth = 128, kHeight = 64, kRowSize = kWidth / 8, kPageRows = 8 };

static unsigned char frame[sizeof LOGO_RAW];
static volatile unsigned char last_drawn;

static void Mark(unsigned char marker) {
  GPIOR0 = marker;
}

static void Report(unsigned value) {
  GPIOR1 = (unsigned char)value;
  GPIOR1 = (unsigned char)(value >> 8);
}

/* Stands for the display: keeps one byte, so the rows are really made. */
static void KeepRow(void* context, unsigned row, const unsigned char* row_bytes) {
  (void)context;
  (void)row;
  last_drawn = row_bytes[0];
}

/* All the drawing needs lives in this call: the stream and the row buffer
 * are its own, so the stack it takes is all the RAM it takes. The pages
 * come top down, so each one continues the stream where the one above it
 * ended, as the page-mode example does. */
__attribute__((noinline)) static void DrawAllPages(void) {
  unsigned char row[kRowSize];
  unsigned first;
  lumivane_stream stream;
  lumivane_stream_init_P(&stream, LOGO, sizeof LOGO);
  for (first = 0; first < kHeight; first += kPageRows) {
    lumivane_draw_rows_P(&stream, kWidth, kHeight - first, 0, kPageRows - 1, row, KeepRow, 0);
  }
}

/* Each page from the image's first row: the rows above the page are
 * passed over again for every page. */
__attribute__((noinline)) static void DrawAllPagesFromTheTop(void) {
  unsigned char row[kRowSize];
  unsigned first;
  for (first = 0; first < kHeight; first += kPageRows) {
    lumivane_stream stream;
    lumivane_stream_init_P(&stream, LOGO, sizeof LOGO);
    lumivane_draw_rows_P(&stream, kWidth, kHeight, first, first + kPageRows - 1, row, KeepRow, 0);
  }
}

__attribute__((noinline)) static void ReadWhole(void) {
  lumivane_stream stream;
  lumivane_stream_init_P(&stream, LOGO, sizeof LOGO);
  lumivane_stream_read_P(&stream, frame, sizeof frame);
}

__attribute__((noinline)) static void ReadRowByRow(void) {
  lumivane_stream stream;
  unsigned char* row;
  lumivane_stream_init_P(&stream, LOGO, sizeof LOGO);
  for (row = frame; row < frame + sizeof frame; row += kRowSize) {
    lumivane_stream_read_P(&stream, row, kRowSize);
  }
}

/* The whole frame as text-mode tiles, 8 rows at a time. */
__attribute__((noinline)) static void FrameToTiles(void) {
  unsigned char tiles[kWidth];
  unsigned band;
  for (band = 0; band < kHeight / kPageRows; ++band) {
    lumivane_rows_to_tiles(frame + band * kWidth, kWidth, tiles);
    last_drawn = tiles[band];
  }
}

int main(void) {
  Report((unsigned)(size_t)frame);
  Report(sizeof frame);
  Report(sizeof(lumivane_stream));
  Report(kRowSize);
  Report(sizeof LOGO);

  Mark(kMarkCopyStart);
  memcpy_P(frame, LOGO_RAW, sizeof frame);
  Mark(kMarkCopyEnd);

  memset(frame, 0, sizeof frame);
  Mark(kMarkReadStart);
  ReadWhole();
  Mark(kMarkReadEnd);

  memset(frame, 0, sizeof frame);
  Mark(kMarkRowsStart);
  ReadRowByRow();
  Mark(kMarkRowsEnd);

  Mark(kMarkDrawStart);
  DrawAllPages();
  Mark(kMarkDrawEnd);
  Mark(kMarkDrawStart);
  DrawAllPages();
  Mark(kMarkDrawEnd);
  Mark(kMarkRedrawStart);
  DrawAllPagesFromTheTop();
  Mark(kMarkRedrawEnd);
  Mark(kMarkTilesStart);
  FrameToTiles();
  Mark(kMarkTilesEnd);

  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
