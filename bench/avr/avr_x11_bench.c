/* Reads each X11 bitmap under 1 KB on the simulated ATmega328P at 16 MHz
 * through a flash stream set up in another source file, against memcpy_P
 * of the same bitmap uncompressed, and prints the ratios and their median:
 *   avr_x11_bench FIRMWARE.elf... */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "avr_sim.h"
#include "bench_markers.h"

typedef struct x11_run {
  unsigned char reports[4];
  unsigned report_count;
  uint64_t start, copy, read;
  unsigned char copied[1024];
  int differs;
} x11_run;

static void OnOutput(void* context, uint8_t byte) {
  x11_run* run = context;
  if (run->report_count < sizeof run->reports) run->reports[run->report_count++] = byte;
}

static void OnMarker(void* context, uint8_t marker, const avr_sim_view* view) {
  x11_run* run = context;
  const unsigned frame = run->reports[0] | (unsigned)(run->reports[1] << 8);
  const unsigned size = run->reports[2] | (unsigned)(run->reports[3] << 8);
  if (marker == kMarkCopyStart || marker == kMarkReadStart) run->start = view->cycle;
  if (marker == kMarkCopyEnd) {
    run->copy = view->cycle - run->start;
    memcpy(run->copied, view->ram + frame, size);
  }
  if (marker == kMarkReadEnd) {
    run->read = view->cycle - run->start;
    run->differs = memcmp(run->copied, view->ram + frame, size) != 0;
  }
}

static int Compare(const void* a, const void* b) {
  const double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

int main(int argc, char** argv) {
  static double ratios[256];
  int i, count = argc - 1;
  if (count < 1 || count > 256) {
    fprintf(stderr, "usage: %s FIRMWARE.elf... (up to 256)\n", argv[0]);
    return 2;
  }
  for (i = 0; i < count; ++i) {
    x11_run run;
    avr_sim_hooks hooks = {OnMarker, OnOutput, &run, NULL};
    memset(&run, 0, sizeof run);
    if (avr_sim_run(argv[i + 1], &hooks) != 0) return 1;
    if (run.differs) {
      fprintf(stderr, "%s: the stream read other bytes than memcpy_P copied\n", argv[i + 1]);
      return 1;
    }
    ratios[i] = (double)run.read / (double)run.copy;
    printf("%-48s %5u bytes  memcpy_P %6llu  stream %6llu cycles  %.2f x\n", argv[i + 1],
           run.reports[2] | (unsigned)(run.reports[3] << 8), (unsigned long long)run.copy,
           (unsigned long long)run.read, ratios[i]);
  }
  qsort(ratios, (size_t)count, sizeof ratios[0], Compare);
  printf("%d bitmaps: stream read / memcpy_P median %.2f x (min %.2f, max %.2f)\n", count,
         count % 2 ? ratios[count / 2] : (ratios[count / 2 - 1] + ratios[count / 2]) / 2, ratios[0],
         ratios[count - 1]);
  return 0;
}
