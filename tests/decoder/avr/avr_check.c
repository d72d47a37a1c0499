/* Runs the check firmware in the simulator and compares every byte it sends
 * with what the host decoder makes of the same images:
 *   avr_decoder_check MCU check_firmware.elf [far_check_firmware.elf]
 * the second for a part with more than 64 KB of flash. */
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

/* Tile t of page p holds the page's bytes 8t to 8t + 7, unset past its end. */
static void AppendPageTiles(bytes* to, const unsigned char* pages, unsigned width,
                            unsigned page_count) {
  unsigned page, x;
  for (page = 0; page < page_count; ++page) {
    for (x = 0; x < width; x += 8) {
      unsigned char tile[8] = {0};
      memcpy(tile, pages + page * width + x, width - x < 8 ? width - x : 8);
      Append(to, tile, sizeof tile);
    }
  }
}

/* What the firmware sends, from one full decode of each image. */
static void Expect(bytes* expected) {
  unsigned i;
  for (i = 0; i < kCheckImageCount; ++i) {
    const check_image* image = &kCheckImages[i];
    static unsigned char full[kMaxImage];
    const long size = lumivane_decode(image->encoded, image->size, full, sizeof full);
    const size_t rows_size = (size_t)(image->width + 7) / 8 * image->height;
    size_t at;
    unsigned band;
    if (size < 0 || (size_t)size != rows_size) {
      fprintf(stderr, "image %u does not decode to %u rows of %u pixels on the host\n", i,
              image->height, image->width);
      exit(1);
    }
    Append(expected, full, rows_size);
    Append(expected, full, rows_size);
    for (at = kCheckSkip; at < (size_t)size; at += 2 * kCheckChunk) {
      Append(expected, full + at,
             (size_t)size - at < kCheckChunk ? (size_t)size - at : kCheckChunk);
    }
    for (band = 0; image->width % 8 == 0 && band < image->height / 8; ++band) {
      unsigned char tiles[kMaxImage];
      lumivane_rows_to_tiles(full + band * image->width, image->width, tiles);
      Append(expected, tiles, image->width);
    }
    AppendPageTiles(expected, full, image->page_width, (image->page_height + 7) / 8);
  }
  expected_bytes = expected;
  SendBroken(lumivane_read_ram, AppendExpected);
}

/* What the far check sends: the logo's upper address byte (not checked
 * here), then the logo twice. */
static void ExpectFar(bytes* expected) {
  static unsigned char full[kMaxImage];
  const unsigned char bank = 0;
  const long size = lumivane_decode(logo, sizeof logo, full, sizeof full);
  Append(expected, &bank, 1);
  Append(expected, full, (size_t)size);
  Append(expected, full, (size_t)size);
}

static int Run(const char* mcu, const char* elf, void (*expect)(bytes*)) {
  static bytes expected, sent;
  avr_sim_hooks hooks = {NULL, OnOutput, &sent, NULL};
  size_t i;
  hooks.mcu = mcu;
  expected.size = sent.size = 0;
  expect(&expected);
  if (avr_sim_run(elf, &hooks) != 0) return 1;
  if (expect == ExpectFar) {
    if (sent.size == 0 || sent.data[0] == 0) {
      fprintf(stderr, "%s: the logo is not above 64 KB of flash\n", elf);
      return 1;
    }
    sent.data[0] = 0;
  }
  for (i = 0; i < expected.size && i < sent.size; ++i) {
    if (expected.data[i] != sent.data[i]) break;
  }
  if (i < expected.size || sent.size != expected.size) {
    fprintf(stderr,
            "%s: the %s sent %zu bytes, the host decoder makes %zu; first difference at %zu\n", elf,
            mcu, sent.size, expected.size, i);
    return 1;
  }
  printf("%s: the %s decoder sent the host decoder's %zu bytes exactly\n", elf, mcu, sent.size);
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    fprintf(stderr, "usage: %s MCU check_firmware.elf [far_check_firmware.elf]\n", argv[0]);
    return 2;
  }
  if (Run(argv[1], argv[2], Expect) != 0) return 1;
  return argc == 4 ? Run(argv[1], argv[3], ExpectFar) : 0;
}
