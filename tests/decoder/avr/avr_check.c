/* Runs the check firmware in the simulator and compares every byte it sends
 * with what the host decoder makes of the same images:
 *   avr_decoder_check check_firmware.elf */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "avr_sim.h"

#define U8X8_PROGMEM
#include "check_images.h"
#include "lumivane_decode.h"

enum { kMaxOutput = 64 * 1024, kMaxImage = 4096 };

typedef struct bytes {
  unsigned char data[kMaxOutput];
  size_t size;
} bytes;

static void Append(bytes* to, const unsigned char* from, size_t count) {
  if (to->size + count > sizeof to->data) {
    fprintf(stderr, "more output than expected\n");
    exit(1);
  }
  memcpy(to->data + to->size, from, count);
  to->size += count;
}

static void OnOutput(void* context, uint8_t byte) {
  Append(context, &byte, 1);
}

static bytes* expected_bytes;

static void AppendExpected(const unsigned char* from, unsigned count) {
  Append(expected_bytes, from, count);
}

/* What the firmware sends, from one full decode of each image. */
static void Expect(bytes* expected) {
  unsigned i;
  for (i = 0; i < kCheckImageCount; ++i) {
    const check_image* image = &kCheckImages[i];
    static unsigned char full[kMaxImage];
    const long size = lumivane_decode(image->encoded, image->size, full, sizeof full);
    const size_t rows_size = (size_t)(image->width + 7) / 8 * image->height;
    unsigned band;
    if (size < 0 || (size_t)size != rows_size) {
      fprintf(stderr, "image %u does not decode to %u rows of %u pixels on the host\n", i,
              image->height, image->width);
      exit(1);
    }
    Append(expected, full, rows_size);
    Append(expected, full, rows_size);
    Append(expected, full + kCheckSkip, (size_t)size - kCheckSkip);
    if (image->width % 8 != 0) continue;
    for (band = 0; band < image->height / 8; ++band) {
      unsigned char tiles[kMaxImage];
      lumivane_rows_to_tiles(full + band * image->width, image->width, tiles);
      Append(expected, tiles, image->width);
    }
  }
  expected_bytes = expected;
  SendBroken(lumivane_read_ram, AppendExpected);
}

int main(int argc, char** argv) {
  static bytes expected, sent;
  avr_sim_hooks hooks = {NULL, OnOutput, &sent};
  size_t i;
  if (argc != 2) {
    fprintf(stderr, "usage: %s check_firmware.elf\n", argv[0]);
    return 2;
  }
  Expect(&expected);
  if (avr_sim_run(argv[1], &hooks) != 0) return 1;
  for (i = 0; i < expected.size && i < sent.size; ++i) {
    if (expected.data[i] != sent.data[i]) break;
  }
  if (i < expected.size || sent.size != expected.size) {
    fprintf(stderr, "the AVR sent %zu bytes, the host decoder makes %zu; first difference at %zu\n",
            sent.size, expected.size, i);
    return 1;
  }
  printf("the AVR decoder sent the host decoder's %zu bytes exactly\n", sent.size);
  return 0;
}
