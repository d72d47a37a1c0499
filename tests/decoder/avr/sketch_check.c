/* Runs an example sketch built against the stand-ins in simavr, replays
 * its drawing calls on a model of the display and compares the picture with
 * the logo's XBM pixels:
 *   avr_sketch_check SKETCH.elf CALLS
 * where CALLS is the number of drawing calls the sketch makes. Also reports
 * the stack setup() took. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "avr_sim.h"

#define PROGMEM
#include "logo_raw.h"

enum { kWidth = 128, kHeight = 64, kMaxSent = 16384 };

typedef struct sketch_run {
  unsigned char sent[kMaxSent];
  size_t size;
  uint16_t stack_top;
  unsigned stack_used;
} sketch_run;

static void OnOutput(void* context, uint8_t byte) {
  sketch_run* run = context;
  if (run->size < sizeof run->sent) run->sent[run->size++] = byte;
}

static void OnMarker(void* context, uint8_t marker, const avr_sim_view* view) {
  sketch_run* run = context;
  unsigned address = view->heap_start;
  if (marker == 1) {
    run->stack_top = view->stack_pointer;
    memset(view->ram + view->heap_start, 0xA5,
           (size_t)(view->stack_pointer - view->heap_start + 1));
    return;
  }
  while (address <= run->stack_top && view->ram[address] == 0xA5) ++address;
  run->stack_used = run->stack_top + 1u - address;
}

static int LogoPixel(unsigned x, unsigned y) {
  return (logo_raw[y * (kWidth / 8) + x / 8] >> (x % 8)) & 1;
}

static unsigned Take16(const unsigned char* bytes) {
  return bytes[0] | (unsigned)(bytes[1] << 8);
}

/* The picture the calls drew, one byte a pixel; returns the calls made, or
 * -1 for a call the display would not draw as the sketch meant. */
static long Replay(const sketch_run* run, unsigned char picture[kHeight][kWidth]) {
  size_t at = 0;
  long calls = 0;
  while (at < run->size) {
    const unsigned char op = run->sent[at++];
    if (op == 'T') {
      const unsigned x = run->sent[at], page = run->sent[at + 1], count = run->sent[at + 2];
      unsigned i;
      at += 3;
      for (i = 0; i < 8 * count; ++i, ++at) {
        const unsigned column = x * 8 + i;
        unsigned bit;
        if (column >= kWidth || page >= kHeight / 8) return -1;
        for (bit = 0; bit < 8; ++bit) picture[page * 8 + bit][column] = (run->sent[at] >> bit) & 1;
      }
    } else if (op == 'B') {
      const unsigned x = Take16(run->sent + at), y = Take16(run->sent + at + 2);
      const unsigned w = Take16(run->sent + at + 4), h = Take16(run->sent + at + 6);
      unsigned r, c;
      at += 8;
      for (r = 0; r < h; ++r, at += (w + 7) / 8) {
        for (c = 0; c < w; ++c) {
          if (x + c >= kWidth || y + r >= kHeight) return -1;
          if ((run->sent[at + c / 8] >> (7 - c % 8)) & 1) picture[y + r][x + c] = 1;
        }
      }
    } else {
      fprintf(stderr, "call '%c': not a drawing of RAM data\n", op);
      return -1;
    }
    ++calls;
  }
  return calls;
}

int main(int argc, char** argv) {
  static sketch_run run;
  static unsigned char picture[kHeight][kWidth];
  avr_sim_hooks hooks = {OnMarker, OnOutput, &run, NULL};
  unsigned x, y;
  long calls;
  if (argc != 3) {
    fprintf(stderr, "usage: %s SKETCH.elf CALLS\n", argv[0]);
    return 2;
  }
  if (avr_sim_run(argv[1], &hooks) != 0) return 1;
  calls = Replay(&run, picture);
  if (calls != atol(argv[2])) {
    fprintf(stderr, "%s: %ld drawing calls, %s expected\n", argv[1], calls, argv[2]);
    return 1;
  }
  for (y = 0; y < kHeight; ++y) {
    for (x = 0; x < kWidth; ++x) {
      if (picture[y][x] != LogoPixel(x, y)) {
        fprintf(stderr, "%s: pixel %u,%u is %d, the logo's is %d\n", argv[1], x, y, picture[y][x],
                LogoPixel(x, y));
        return 1;
      }
    }
  }
  printf("%s: %ld drawing calls drew the logo exactly; setup() took %u bytes of stack\n", argv[1],
         calls, run.stack_used);
  return 0;
}
