/* The decoder as a C99 program sees it, built with the project's strict
 * warnings: no C++ in the header may slip through. */
#include <stdio.h>
#include <string.h>

#include "decoder/lumivane_decode.h"

static int failures = 0;

static void expect(int condition, const char* what) {
  if (!condition) {
    fprintf(stderr, "failed: %s\n", what);
    ++failures;
  }
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
  return failures == 0 ? 0 : 1;
}
