/* The three images both sides decode: the simulated AVR from flash, the
 * host from RAM. Define U8X8_PROGMEM before including. */
#ifndef LUMIVANE_CHECK_IMAGES_H
#define LUMIVANE_CHECK_IMAGES_H

#include "logo.h"

/* 104 x 20: a run of 256 zeros (the longest), a literal, two 0xFF. */
static const unsigned char runs[] U8X8_PROGMEM = {0x00, 0xFF, 0x3C, 0xFF, 0x01, 0x81};
/* 13 x 7: rows of two bytes, runs of one and three bytes between literals. */
static const unsigned char odd[] U8X8_PROGMEM = {0x01, 0x02, 0x00, 0x00, 0x03, 0xFF, 0x02,
                                                 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};

typedef struct check_image {
  const unsigned char* encoded;
  unsigned size;
  unsigned width;
  unsigned height;
} check_image;

static const check_image kCheckImages[] = {
    {logo, sizeof logo, 128, 64},
    {runs, sizeof runs, 104, 20},
    {odd, sizeof odd, 13, 7},
};

enum { kCheckImageCount = sizeof kCheckImages / sizeof kCheckImages[0] };
/* Where the byte-by-byte reads start, after a skip. */
enum { kCheckSkip = 5, kCheckChunk = 7 };

#endif
