/* Copies one X11 bitmap from flash with memcpy_P, then reads it compressed
 * through a stream set up in another file (x11_stream_setup.c), each
 * between two markers (kMarkCopy*, kMarkRead*); reports the frame's address
 * and size first. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <avr/sleep.h>
#include <string.h>

#include "bench_markers.h"
#include "lumivane_decode.h"

/* After the decoder's header, which defines U8X8_PROGMEM for it. */
#include "image.h"

void SetUpStream(lumivane_stream* stream);
const unsigned image_size = sizeof image;

static unsigned char frame[sizeof image_raw];

static void Report(unsigned value) {
  GPIOR1 = (unsigned char)value;
  GPIOR1 = (unsigned char)(value >> 8);
}

int main(void) {
  lumivane_stream stream;
  Report((unsigned)(size_t)frame);
  Report(sizeof frame);
  GPIOR0 = kMarkCopyStart;
  memcpy_P(frame, image_raw, sizeof frame);
  GPIOR0 = kMarkCopyEnd;
  memset(frame, 0, sizeof frame);
  SetUpStream(&stream);
  GPIOR0 = kMarkReadStart;
  lumivane_stream_read_P(&stream, frame, sizeof frame);
  GPIOR0 = kMarkReadEnd;
  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
