/* The three images both sides decode: the simulated AVR from flash, the
 * host from RAM, and the calls both make on a broken array. Define
 * U8X8_PROGMEM (and on AVR include <avr/pgmspace.h>) before including. */
#ifndef LUMIVANE_CHECK_IMAGES_H
#define LUMIVANE_CHECK_IMAGES_H

#include "logo.h"
#include "lumivane_decode.h"

/* 104 x 20: a run of 256 zeros (the longest), a literal, two 0xFF. */
static const unsigned char runs[] U8X8_PROGMEM = {0x00, 0xFF, 0x3C, 0xFF, 0x01, 0x81};
/* 13 x 7: rows of two bytes, runs of one and three bytes between literals. */
static const unsigned char odd[] U8X8_PROGMEM = {0x01, 0x02, 0x00, 0x00, 0x03, 0xFF, 0x02,
                                                 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};

/* Breaks off after a run byte: 0x3C, three zeros, then 0xFF without its
 * count. */
static const unsigned char broken[] U8X8_PROGMEM = {0x3C, 0x00, 0x02, 0xFF};

typedef struct check_image {
  const unsigned char* encoded;
  unsigned size;
  unsigned width;
  unsigned height;
  /* The same bytes read as pages layout. */
  unsigned page_width;
  unsigned page_height;
} check_image;

static const check_image kCheckImages[] = {
    {logo, sizeof logo, 128, 64, 128, 64},
    {runs, sizeof runs, 104, 20, 130, 9},
    {odd, sizeof odd, 13, 7, 7, 16},
};

enum { kCheckImageCount = sizeof kCheckImages / sizeof kCheckImages[0] };
/* Where the byte-by-byte reads start, after a skip. */
enum { kCheckSkip = 5, kCheckChunk = 7 };

typedef void (*check_send)(const unsigned char* bytes, unsigned count);

static void SendResult(check_send send, long result) {
  const unsigned char byte = (unsigned char)result;
  send(&byte, 1);
}

/* What both sides send of `broken`: every result, and what the reads wrote.
 * The first read ends inside the run, the second runs into the break, and
 * the calls after it must fail the same way. */
static void SendBroken(lumivane_byte_reader read_byte, check_send send) {
  unsigned char out[kCheckChunk] = {0};
  lumivane_stream stream;
  lumivane_stream_init(&stream, read_byte, broken, sizeof broken);
  SendResult(send, lumivane_stream_read(&stream, out, 2));
  send(out, 2);
  SendResult(send, lumivane_stream_read(&stream, out, sizeof out));
  send(out, sizeof out);
  SendResult(send, lumivane_stream_skip(&stream, 1));
  SendResult(send, lumivane_stream_read(&stream, out, 1));
  /* The flash calls: a skip past a short run into the break. */
  lumivane_stream_init_P(&stream, broken, sizeof broken);
  SendResult(send, lumivane_stream_skip_P(&stream, 9));
  SendResult(send, lumivane_stream_read_P(&stream, out, 1));
}

#endif
