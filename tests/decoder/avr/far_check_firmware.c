/* The logo above 64 KB of flash on the simulated ATmega2560, through a far
 * stream: sends the upper byte of its address, then the logo read in
 * chunks and drawn page by page, through GPIOR1. */
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>

#include "lumivane_decode.h"

/* After the decoder's header, which defines U8X8_PROGMEM for it. */
#include "logo.h"

/* The linker puts .progmem.gcc* before every other PROGMEM array, so the
 * logo lands behind these 66 KB (an object holds at most 32 KB), which the
 * first read keeps in. */
#define PADDING(name) \
  __attribute__((section(".progmem.gcc_far_" #name))) const unsigned char name[22000] = {1}
PADDING(padding1);
PADDING(padding2);
PADDING(padding3);
static const unsigned char* const volatile kPadding[] = {padding1, padding2, padding3};

static void Send(void* context, unsigned row, const unsigned char* bytes) {
  unsigned count = context ? *(const unsigned*)context : 16;
  (void)row;
  while (count-- > 0) GPIOR1 = *bytes++;
}

int main(void) {
  const uint32_t address = pgm_get_far_address(logo);
  const unsigned char bank = (unsigned char)(address >> 16);
  unsigned char bytes[16];
  unsigned got = 1, top;
  lumivane_stream stream;
  (void)kPadding[0];
  Send(&got, 0, &bank);
  lumivane_stream_init_far(&stream, address, sizeof logo);
  while ((got = (unsigned)lumivane_stream_read_P(&stream, bytes, 7)) > 0) Send(&got, 0, bytes);
  lumivane_stream_init_far(&stream, address, sizeof logo);
  for (top = 0; top < 64; top += 8)
    lumivane_draw_rows_P(&stream, 128, 64 - top, 0, 7, bytes, Send, 0);
  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
