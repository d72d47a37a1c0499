/* Measures the decoder on a simulated ATmega328P at 16 MHz against memcpy_P
 * of the same image, uncompressed, in the same run:
 *   avr_decoder_bench [SIZE_PROBE.elf SIZE_BASELINE.elf]... -- FIRMWARE.elf...
 * with one firmware per image. Each pair of size probes is the same sketch
 * with and without the decoder. */
#include <stdio.h>
#include <string.h>

#include "avr_sim.h"
#include "bench_markers.h"

enum { kReports = 5, kMarkers = kMarkTilesEnd + 1, kPatterns = 2 };

typedef struct bench_run {
  unsigned char report_bytes[2 * kReports];
  unsigned report_count;
  uint64_t start[kMarkers];
  uint64_t cycles[kMarkers]; /* by end marker, the last run */
  unsigned char copied[2048];
  int frame_differs;
  uint16_t stack_top;
  unsigned draws;
  unsigned stack_used; /* the most of all draws */
} bench_run;

static unsigned Report(const bench_run* run, unsigned index) {
  return run->report_bytes[2 * index] | (unsigned)(run->report_bytes[2 * index + 1] << 8);
}

static const unsigned char kPattern[kPatterns] = {0xA5, 0x5A};

static void OnOutput(void* context, uint8_t byte) {
  bench_run* run = context;
  if (run->report_count < sizeof run->report_bytes) run->report_bytes[run->report_count++] = byte;
}

/* The stack below the caller's stack pointer is free; a pattern written
 * there shows afterwards how deep the call went. Two patterns, so that a
 * pushed byte that happens to equal one cannot hide. */
static void FillStack(bench_run* run, const avr_sim_view* view) {
  run->stack_top = view->stack_pointer;
  memset(view->ram + view->heap_start, kPattern[run->draws % kPatterns],
         (size_t)(view->stack_pointer - view->heap_start + 1));
}

static void ReadStackUse(bench_run* run, const avr_sim_view* view) {
  const unsigned char pattern = kPattern[run->draws % kPatterns];
  unsigned address = view->heap_start;
  while (address <= run->stack_top && view->ram[address] == pattern) ++address;
  if (run->stack_top + 1u - address > run->stack_used)
    run->stack_used = run->stack_top + 1u - address;
  ++run->draws;
}

static void OnMarker(void* context, uint8_t marker, const avr_sim_view* view) {
  bench_run* run = context;
  const unsigned frame = Report(run, 0);
  const unsigned frame_size = Report(run, 1);
  if (marker >= kMarkers) return;
  if (marker % 2 == 1) {
    if (marker == kMarkDrawStart) FillStack(run, view);
    run->start[marker] = view->cycle;
    return;
  }
  run->cycles[marker] = view->cycle - run->start[marker - 1];
  if (marker == kMarkCopyEnd) memcpy(run->copied, view->ram + frame, frame_size);
  if (marker == kMarkReadEnd || marker == kMarkRowsEnd) {
    if (memcmp(run->copied, view->ram + frame, frame_size) != 0) run->frame_differs = 1;
  }
  if (marker == kMarkDrawEnd) ReadStackUse(run, view);
}

static void PrintPerByte(const char* what, uint64_t cycles, uint64_t copy, unsigned bytes) {
  printf("%-40s %8llu cycles %6.2f cycles/byte %5.2f x memcpy_P %6.3f ms\n", what,
         (unsigned long long)cycles, (double)cycles / bytes, (double)cycles / (double)copy,
         (double)cycles * 1000.0 / AVR_SIM_FREQUENCY);
}

static int Measure(const char* elf_path) {
  static bench_run run;
  avr_sim_hooks hooks = {OnMarker, OnOutput, &run, NULL};
  unsigned frame_size, stream_size, row_size, compressed;
  memset(&run, 0, sizeof run);
  if (avr_sim_run(elf_path, &hooks) != 0) return 1;
  if (run.frame_differs) {
    fprintf(stderr, "%s: the decoded frame differs from the uncompressed image\n", elf_path);
    return 1;
  }
  frame_size = Report(&run, 1);
  stream_size = Report(&run, 2);
  row_size = Report(&run, 3);
  compressed = Report(&run, 4);
  printf("\n%s: 128x64, %u bytes uncompressed, %u compressed (%u saved); ATmega328P, %u MHz\n",
         elf_path, frame_size, compressed, frame_size - compressed, AVR_SIM_FREQUENCY / 1000000u);
  PrintPerByte("memcpy_P, whole image", run.cycles[kMarkCopyEnd], run.cycles[kMarkCopyEnd],
               frame_size);
  PrintPerByte("lumivane_stream_read, whole image", run.cycles[kMarkReadEnd],
               run.cycles[kMarkCopyEnd], frame_size);
  PrintPerByte("lumivane_stream_read, 16-byte rows", run.cycles[kMarkRowsEnd],
               run.cycles[kMarkCopyEnd], frame_size);
  PrintPerByte("lumivane_draw_rows, 8 pages, one stream", run.cycles[kMarkDrawEnd],
               run.cycles[kMarkCopyEnd], frame_size);
  PrintPerByte("lumivane_draw_rows, 8 pages, each anew", run.cycles[kMarkRedrawEnd],
               run.cycles[kMarkCopyEnd], frame_size);
  PrintPerByte("lumivane_rows_to_tiles, whole frame", run.cycles[kMarkTilesEnd],
               run.cycles[kMarkCopyEnd], frame_size);
  printf(
      "RAM while drawing page by page: %u bytes (stream %u + row %u + calls %u), "
      "against %u for a frame\n",
      run.stack_used, stream_size, row_size, run.stack_used - stream_size - row_size, frame_size);
  return 0;
}

int main(int argc, char** argv) {
  int i = 1;
  for (; i + 1 < argc && strcmp(argv[i], "--") != 0; i += 2) {
    const long with_decoder = avr_sim_flash_size(argv[i]);
    const long without_decoder = avr_sim_flash_size(argv[i + 1]);
    if (with_decoder < 0 || without_decoder < 0) {
      fprintf(stderr, "cannot read the size probes %s and %s\n", argv[i], argv[i + 1]);
      return 1;
    }
    printf("flash the decoder adds to %s: %ld bytes (%ld with it, %ld without)\n", argv[i],
           with_decoder - without_decoder, with_decoder, without_decoder);
  }
  if (i >= argc || strcmp(argv[i], "--") != 0) {
    fprintf(stderr, "usage: %s [SIZE_PROBE.elf SIZE_BASELINE.elf]... -- FIRMWARE.elf...\n",
            argv[0]);
    return 2;
  }
  for (++i; i < argc; ++i) {
    if (Measure(argv[i]) != 0) return 1;
  }
  return 0;
}
