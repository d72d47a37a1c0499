/* SPDX-License-Identifier: MIT */
/* lumivane_decode.h 1.1.0: expands a Lumivane header's run-length data back
 * into the bitmap's bytes, on the display side. C99 and C++, no library
 * needed, not even the C library's. Copyright (c) 2026 KTR Lab, MIT licence (LICENSE beside src/).
 *
 * Every item of a compressed array is one byte. 0x00 and 0xFF start a run:
 * the item after them is the number of extra repeats, so {0x00, 0x04} stands
 * for five zero bytes and {0xFF, 0x00} for one 0xFF byte. Every other byte
 * stands for itself. The bytes are those of the header's layout: rows (xbm,
 * rows-msb) or pages of 8 rows (pages).
 *
 *   unsigned char frame[1024];
 *   long n = lumivane_decode(logo, sizeof logo, frame, sizeof frame);
 *
 * Without RAM for a whole frame, a stream hands the bytes out a few at a
 * time, lumivane_draw_rows one pixel row at a time, lumivane_draw_pages one
 * page of 8 rows and lumivane_draw_tiles one 8 x 8 tile at a time. For an
 * array in flash (U8X8_PROGMEM, PROGMEM on AVR) every call has a twin ending
 * in _P, which reads flash at full speed wherever the stream was set up:
 *
 *   lumivane_stream s;
 *   unsigned char row[128 / 8];
 *   lumivane_stream_init_P(&s, logo, sizeof logo);
 *   lumivane_draw_rows_P(&s, 128, 64, 0, 7, row, draw_row, context);
 *
 * Any other memory works the same way with a byte reader of your own and the
 * calls without _P. Names starting with lumivane__ are internal. */
#ifndef LUMIVANE_DECODE_H
#define LUMIVANE_DECODE_H

/* major * 10000 + minor * 100 + patch */
#define LUMIVANE_DECODE_VERSION 10100L

#include <limits.h>
#include <stddef.h>
#include <stdint.h>

#if defined(__AVR__)
#include <avr/pgmspace.h>
#endif

/* The generated headers put their arrays in U8X8_PROGMEM, which the display
 * library defines; without it they still build. */
#ifndef U8X8_PROGMEM
#if defined(PROGMEM)
#define U8X8_PROGMEM PROGMEM
#else
#define U8X8_PROGMEM
#endif
#endif

/* Casts that C++ compilers with -Wold-style-cast accept as well. */
#ifdef __cplusplus
#define LUMIVANE__CAST(type, value) static_cast<type>(value)
#define LUMIVANE__ADDRESS(value) reinterpret_cast<const unsigned char*>(value)
#define LUMIVANE__NULL nullptr
#else
#define LUMIVANE__CAST(type, value) ((type)(value))
#define LUMIVANE__ADDRESS(value) ((const unsigned char*)(value))
#define LUMIVANE__NULL NULL
#endif

/* The loops are kept out of line, so that a sketch pays for them once
 * however many places it draws from. The flash draw call is left to the
 * compiler instead: called from one place it goes in line there, which
 * saves a sketch with one such place the call's registers; from more
 * places it stays one copy. */
#if defined(__GNUC__)
#define LUMIVANE__OUT_OF_LINE __attribute__((noinline, unused))
#define LUMIVANE__SHARED __attribute__((unused))
#define LUMIVANE__INLINE_ALWAYS static inline __attribute__((always_inline, unused))
#else
#define LUMIVANE__OUT_OF_LINE
#define LUMIVANE__SHARED
#define LUMIVANE__INLINE_ALWAYS static inline
#endif

/* Results below zero: nothing is read past the end of the compressed array
 * and nothing written past the end of the output buffer. */

/* The array ends with 0x00 or 0xFF where its repeat count should follow. */
#define LUMIVANE_DECODE_MALFORMED (-1L)
/* The bytes do not fit the output buffer; it holds those before the item
 * that did not fit. */
#define LUMIVANE_DECODE_OUTPUT_FULL (-2L)

/* Returns the byte stored at `address`, wherever that memory is. */
typedef unsigned char (*lumivane_byte_reader)(const unsigned char* address);

static inline unsigned char lumivane_read_ram(const unsigned char* address) {
  return *address;
}

#if defined(pgm_read_byte)
static inline unsigned char lumivane_read_progmem(const unsigned char* address) {
  return LUMIVANE__CAST(unsigned char, pgm_read_byte(address));
}
#define LUMIVANE__FLASH_READER lumivane_read_progmem
#else
#define LUMIVANE__FLASH_READER lumivane_read_ram
#endif

/* The result is a long so that every count of bytes written fits beside the
 * negative results, also where size_t and int are 16 bits wide (AVR). */
static inline size_t lumivane__usable_output_size(size_t out_size) {
#if defined(SIZE_MAX) && SIZE_MAX > LONG_MAX
  if (out_size > LUMIVANE__CAST(size_t, LONG_MAX)) return LUMIVANE__CAST(size_t, LONG_MAX);
#endif
  return out_size;
}

/* Expands `encoded_size` items read through `read_byte` into `out`, which
 * holds `out_size` bytes. Returns the number of bytes written, or one of the
 * negative results above. */
static inline long lumivane_decode_with(lumivane_byte_reader read_byte,
                                        const unsigned char* encoded, size_t encoded_size,
                                        unsigned char* out, size_t out_size) {
  size_t in = 0;
  size_t written = 0;
  const size_t capacity = lumivane__usable_output_size(out_size);
  while (in < encoded_size) {
    const unsigned char value = read_byte(encoded + in);
    size_t count = 1;
    ++in;
    if (value == 0x00u || value == 0xFFu) {
      if (in == encoded_size) return LUMIVANE_DECODE_MALFORMED;
      count += LUMIVANE__CAST(size_t, read_byte(encoded + in));
      ++in;
    }
    if (count > capacity - written) return LUMIVANE_DECODE_OUTPUT_FULL;
    while (count > 0) {
      out[written] = value;
      ++written;
      --count;
    }
  }
  return LUMIVANE__CAST(long, written);
}

/* The same for an array in ordinary memory. */
static inline long lumivane_decode(const unsigned char* encoded, size_t encoded_size,
                                   unsigned char* out, size_t out_size) {
  return lumivane_decode_with(lumivane_read_ram, encoded, encoded_size, out, out_size);
}

#if defined(__AVR__) && defined(__AVR_HAVE_LPMX__)
#define LUMIVANE__AVR_FLASH_LOOP 1
#if defined(__AVR_HAVE_ELPMX__) && defined(RAMPZ)
/* Flash past 64 KB (ATmega1280, ATmega2560): the stream keeps the upper
 * byte of its address, and the loop reads through RAMPZ. */
#define LUMIVANE__FAR_FLASH 1
#endif
#endif

/* A position in a compressed array. The fields belong to the functions
 * below; a stream is set up by lumivane_stream_init (or _init_P) and may be
 * copied to come back to the same position later. 8 bytes on AVR, 9 where
 * flash reaches past 64 KB. */
typedef struct lumivane_stream lumivane_stream;
struct lumivane_stream {
  /* NULL for flash, which the calls ending in _P read without a reader. */
  lumivane_byte_reader read_byte;
  /* The next item of the array, and the end of the array. */
  const unsigned char* next;
  const unsigned char* end;
  /* Copies of `pending` still to hand out: the rest of a run, whose first
   * copy goes out as its items are read. */
  unsigned char repeats;
  unsigned char pending;
#if defined(LUMIVANE__FAR_FLASH)
  unsigned char far_bank;
#endif
};

static inline void lumivane_stream_init(lumivane_stream* s, lumivane_byte_reader read_byte,
                                        const unsigned char* encoded, size_t encoded_size) {
  s->read_byte = read_byte;
  s->next = encoded;
  s->end = encoded_size > 0 ? encoded + encoded_size : encoded;
  s->repeats = 0;
  s->pending = 0;
#if defined(LUMIVANE__FAR_FLASH)
  s->far_bank = 0;
#endif
}

/* A stream over an array in flash, for the calls ending in _P (the others
 * read it too, more slowly). On AVR flash below 64 KB, where the linker puts
 * PROGMEM arrays; see lumivane_stream_init_far for arrays above it. */
static inline void lumivane_stream_init_P(lumivane_stream* s, const unsigned char* encoded,
                                          size_t encoded_size) {
  lumivane_stream_init(s, LUMIVANE__NULL, encoded, encoded_size);
}

#if defined(LUMIVANE__FAR_FLASH)
/* A stream over an array anywhere in flash on an AVR with more than 64 KB
 * of it, at the 32-bit address pgm_get_far_address(array) gives. Only the
 * calls ending in _P read above 64 KB; the others return
 * LUMIVANE_DECODE_MALFORMED there. */
static inline void lumivane_stream_init_far(lumivane_stream* s, uint32_t address,
                                            size_t encoded_size) {
  const uint32_t end = address + encoded_size;
  s->read_byte = LUMIVANE__NULL;
  s->next = LUMIVANE__ADDRESS(LUMIVANE__CAST(uintptr_t, address & 0xFFFFu));
  s->end = LUMIVANE__ADDRESS(LUMIVANE__CAST(uintptr_t, end & 0xFFFFu));
  s->repeats = 0;
  s->pending = 0;
  s->far_bank = LUMIVANE__CAST(unsigned char, address >> 16);
}
#endif

#if defined(LUMIVANE__AVR_FLASH_LOOP)
#if defined(LUMIVANE__FAR_FLASH)
#define LUMIVANE__LPM "elpm"
#else
#define LUMIVANE__LPM "lpm"
#endif
/* The stream's loop for an array in flash on AVR, where avr-gcc's code for
 * it costs three times memcpy_P: literals are copied in one pass of loads
 * and stores, a run is filled by a store loop, and the state stays in
 * registers. It returns the bytes of `n` not handed out: 0, or more when
 * the array ended (`next` at its end) or breaks off (`next` back at a run
 * byte without its count). The T flag marks a skip. */
LUMIVANE__INLINE_ALWAYS size_t lumivane__take_flash(lumivane_stream* s, unsigned char* out,
                                                    size_t n) {
  /* In r24, which a call may change, the count is set up in place for
   * every call: avr-gcc otherwise keeps it for the whole of a caller's
   * loop in a register the caller must save, 12 bytes more in a sketch. */
  register size_t left __asm__("r24") = n;
  const unsigned char* next = s->next;
  unsigned char repeats = s->repeats;
  unsigned char value = s->pending;
  uint16_t block;
#if defined(LUMIVANE__FAR_FLASH)
  RAMPZ = s->far_bank;
#endif
  __asm__ volatile(
      /* T: out is NULL (the Z flag, bit 1 of SREG). */
      "sbiw %[out], 0\n\t"
      "in __tmp_reg__, __SREG__\n\t"
      "bst __tmp_reg__, 1\n"
      /* The rest of a run: as many of the `repeats` copies as fit, up to
       * 255 in one store loop, two copies a turn. */
      "6:\n\t"
      "tst %[repeats]\n\t"
      "breq 8f\n"
      "61:\n\t"
      "mov __tmp_reg__, %[repeats]\n\t"
      "cp %A[left], %[repeats]\n\t"
      "cpc %B[left], __zero_reg__\n\t"
      "brsh 7f\n\t"
      "mov __tmp_reg__, %A[left]\n"
      "7:\n\t"
      "sub %[repeats], __tmp_reg__\n\t"
      "sub %A[left], __tmp_reg__\n\t"
      "sbc %B[left], __zero_reg__\n\t"
      "brts 72f\n\t"
      "lsr __tmp_reg__\n\t"
      "brcc 73f\n\t"
      "st X+, %[value]\n"
      "73:\n\t"
      "breq 72f\n"
      "71:\n\t"
      "st X+, %[value]\n\t"
      "st X+, %[value]\n\t"
      "dec __tmp_reg__\n\t"
      "brne 71b\n"
      "72:\n\t"
      "sbiw %[left], 0\n\t"
      "breq 90f\n"
      /* Literals, in blocks of up to 255 that end neither array nor
       * output early, so that a literal costs one count: a block is as
       * long as the shorter side, taken from `left` at its start. A byte
       * is 0x00 or 0xFF when (byte + 1) / 2 is 0. */
      "8:\n\t"
      "movw %A[block], %A[end]\n\t"
      "sub %A[block], %A[next]\n\t"
      "sbc %B[block], %B[next]\n\t"
      "breq 90f\n\t"
      "cp %A[block], %A[left]\n\t"
      "cpc %B[block], %B[left]\n\t"
      "brlo 81f\n\t"
      "movw %A[block], %A[left]\n"
      "81:\n\t"
      "tst %B[block]\n\t"
      "breq 82f\n\t"
      "mov %A[block], __zero_reg__\n\t"
      "dec %A[block]\n"
      "82:\n\t"
      "sub %A[left], %A[block]\n\t"
      "sbc %B[left], __zero_reg__\n\t"
      "brts 86f\n"
      "83:\n\t" LUMIVANE__LPM
      " %[value], Z+\n\t"
      "mov __tmp_reg__, %[value]\n\t"
      "inc __tmp_reg__\n\t"
      "lsr __tmp_reg__\n\t"
      "breq 84f\n\t"
      "st X+, %[value]\n\t"
      "dec %A[block]\n\t"
      "brne 83b\n"
      "87:\n\t"
      "sbiw %[left], 0\n\t"
      "brne 8b\n"
      /* The way out, in reach of the branches above. */
      "90:\n\t"
      "rjmp 9f\n"
      /* A run byte in a block, read. With its count in the block too, a
       * single byte (count 0) stays in the block, which counted two bytes
       * for it, and so does a short run whose copies `left` holds beyond
       * the block. */
      "84:\n\t"
      "dec %A[block]\n\t"
      "breq 88f\n\t" LUMIVANE__LPM
      " %[repeats], Z+\n\t"
      "st X+, %[value]\n\t"
      "adiw %[left], 1\n\t"
      "tst %[repeats]\n\t"
      "brne 85f\n\t"
      "dec %A[block]\n\t"
      "brne 83b\n\t"
      "rjmp 87b\n"
      "85:\n\t"
      "cpi %[repeats], 16\n\t"
      "brsh 851f\n\t"
      "sub %A[left], %[repeats]\n\t"
      "sbc %B[left], __zero_reg__\n\t"
      "brcs 852f\n"
      "853:\n\t"
      "st X+, %[value]\n\t"
      "dec %[repeats]\n\t"
      "brne 853b\n\t"
      "dec %A[block]\n\t"
      "brne 83b\n\t"
      "rjmp 87b\n"
      /* The same, passing over. */
      "86:\n\t" LUMIVANE__LPM
      " %[value], Z+\n\t"
      "mov __tmp_reg__, %[value]\n\t"
      "inc __tmp_reg__\n\t"
      "lsr __tmp_reg__\n\t"
      "breq 94f\n\t"
      "dec %A[block]\n\t"
      "brne 86b\n\t"
      "rjmp 87b\n"
      "94:\n\t"
      "dec %A[block]\n\t"
      "breq 88f\n\t" LUMIVANE__LPM
      " %[repeats], Z+\n\t"
      "adiw %[left], 1\n\t"
      "tst %[repeats]\n\t"
      "breq 95f\n\t"
      "cpi %[repeats], 16\n\t"
      "brsh 851f\n\t"
      "sub %A[left], %[repeats]\n\t"
      "sbc %B[left], __zero_reg__\n\t"
      "brcs 852f\n\t"
      "clr %[repeats]\n"
      "95:\n\t"
      "dec %A[block]\n\t"
      "brne 86b\n\t"
      "rjmp 87b\n"
      /* A longer run, or one `left` cannot hold: the rest of the block
       * goes back to `left`, and the copies are filled above. */
      "852:\n\t"
      "add %A[left], %[repeats]\n\t"
      "adc %B[left], __zero_reg__\n"
      "851:\n\t"
      "add %A[left], %A[block]\n\t"
      "adc %B[left], __zero_reg__\n\t"
      "sbiw %[left], 1\n\t"
      "rjmp 61b\n"
      /* A run byte that ends its block: the byte goes back to `left`, and
       * its count is read the careful way. */
      "88:\n\t"
      "adiw %[left], 1\n\t"
      "cp %A[next], %A[end]\n\t"
      "cpc %B[next], %B[end]\n\t"
      "breq 2f\n\t" LUMIVANE__LPM
      " %[repeats], Z+\n\t"
      "brts 5f\n\t"
      "st X+, %[value]\n"
      "5:\n\t"
      "sbiw %[left], 1\n\t"
      "breq 9f\n\t"
      "rjmp 6b\n"
      /* A run byte without its count: the stream stays before it. */
      "2:\n\t"
      "sbiw %[next], 1\n"
      "9:\n"
      : [next] "+z"(next), [out] "+x"(out), [left] "+w"(left), [repeats] "+d"(repeats),
        [value] "+r"(value), [block] "=&r"(block)
      : [end] "r"(s->end)
      : "memory");
  s->next = next;
  s->repeats = repeats;
  s->pending = value;
#if defined(LUMIVANE__FAR_FLASH)
  /* elpm Z+ carries into RAMPZ when an array crosses a 64 KB boundary. */
  s->far_bank = RAMPZ;
#endif
  return left;
}
/* The draw calls' loop, a byte a turn in the least flash: they hand out a
 * row or a tile at a time, so a sketch spends its time around the loop more
 * than in it. 20 cycles a literal, 28 a single-byte run, 11 a byte more of a
 * longer one. `n` is at least 1. Returns the bytes handed out, or
 * LUMIVANE_DECODE_MALFORMED. */
LUMIVANE__INLINE_ALWAYS long lumivane__take_flash_small(lumivane_stream* s, unsigned char* out,
                                                        size_t n) {
  register size_t left __asm__("r24") = n;
  const unsigned char* next = s->next;
  const unsigned char* const end = s->end;
  unsigned char repeats = s->repeats;
  unsigned char value = s->pending;
#if defined(LUMIVANE__FAR_FLASH)
  RAMPZ = s->far_bank;
#endif
  __asm__ volatile(
      /* T: out is NULL (the Z flag, bit 1 of SREG). */
      "sbiw %[out], 0\n\t"
      "in __tmp_reg__, __SREG__\n\t"
      "bst __tmp_reg__, 1\n"
      "1:\n\t"
      "tst %[repeats]\n\t"
      "brne 3f\n\t"
      "cp %A[next], %A[end]\n\t"
      "cpc %B[next], %B[end]\n\t"
      "breq 9f\n\t" LUMIVANE__LPM
      " %[value], Z+\n\t"
      /* A byte is 0x00 or 0xFF when (byte + 1) / 2 is 0. */
      "mov __tmp_reg__, %[value]\n\t"
      "inc __tmp_reg__\n\t"
      "lsr __tmp_reg__\n\t"
      "brne 4f\n\t"
      "cp %A[next], %A[end]\n\t"
      "cpc %B[next], %B[end]\n\t"
      "brne 2f\n\t"
      /* A run byte without its count: the stream stays before it. */
      "sbiw %[next], 1\n\t"
      "rjmp 9f\n"
      "2:\n\t" LUMIVANE__LPM
      " %[repeats], Z+\n\t"
      "rjmp 4f\n"
      "3:\n\t"
      "dec %[repeats]\n"
      "4:\n\t"
      "brts 5f\n\t"
      "st X+, %[value]\n"
      "5:\n\t"
      "sbiw %[left], 1\n\t"
      "brne 1b\n"
      "9:\n"
      : [next] "+z"(next), [out] "+x"(out), [left] "+w"(left), [repeats] "+r"(repeats),
        [value] "+r"(value)
      : [end] "r"(end)
      : "memory");
  s->next = next;
  s->repeats = repeats;
  s->pending = value;
#if defined(LUMIVANE__FAR_FLASH)
  s->far_bank = RAMPZ;
#endif
  if (left != 0 && next != end) return LUMIVANE_DECODE_MALFORMED;
  return LUMIVANE__CAST(long, n - left);
}
#endif

/* Hands out up to `n` bytes into `out`, or passes over them when `out` is
 * NULL, reading every item through the stream's reader: reading and skipping
 * share one loop to keep the code small. A run byte without its count
 * leaves the stream before it, so every later call fails the same way. */
static LUMIVANE__OUT_OF_LINE long lumivane__take_items(lumivane_stream* s, unsigned char* out,
                                                       size_t n) {
  const size_t wanted = lumivane__usable_output_size(n);
  size_t left = wanted;
  lumivane_byte_reader read_byte = s->read_byte;
  if (read_byte == LUMIVANE__NULL) {
#if defined(LUMIVANE__FAR_FLASH)
    if (s->far_bank != 0u) return LUMIVANE_DECODE_MALFORMED;
#endif
    read_byte = LUMIVANE__FLASH_READER;
  }
  while (left > 0) {
    size_t chunk;
    if (s->repeats == 0) {
      const unsigned char* const item = s->next;
      if (item == s->end) break;
      s->pending = read_byte(item);
      s->next = item + 1;
      if (s->pending == 0x00u || s->pending == 0xFFu) {
        if (item + 1 == s->end) {
          s->next = item;
          return LUMIVANE_DECODE_MALFORMED;
        }
        s->repeats = read_byte(item + 1);
        s->next = item + 2;
      }
      if (out != LUMIVANE__NULL) *out++ = s->pending;
      --left;
      continue;
    }
    chunk = s->repeats < left ? s->repeats : left;
    s->repeats = LUMIVANE__CAST(unsigned char, s->repeats - chunk);
    left -= chunk;
    if (out != LUMIVANE__NULL) {
      const unsigned char* const run_end = out + chunk;
      while (out != run_end) *out++ = s->pending;
    }
  }
  return LUMIVANE__CAST(long, wanted - left);
}

/* The same for a stream over flash: the assembly loop on AVR, the reader
 * elsewhere (ordinary loads, or pgm_read_byte where flash needs it). */
#if defined(LUMIVANE__AVR_FLASH_LOOP)
LUMIVANE__INLINE_ALWAYS long lumivane__take_flash_items(lumivane_stream* s, int small,
                                                        unsigned char* out, size_t n) {
  size_t left;
  if (small) return lumivane__take_flash_small(s, out, n);
  if (n == 0) return 0;
  left = lumivane__take_flash(s, out, n);
  if (left != 0 && s->next != s->end) return LUMIVANE_DECODE_MALFORMED;
  return LUMIVANE__CAST(long, n - left);
}
#else
#define lumivane__take_flash_items(s, small, out, n) lumivane__take_items(s, out, n)
#endif

/* The loops below are written once and built into each public call with
 * `flash` fixed, so that a call ending in _P holds a flash loop itself and
 * no call chooses at run time: 0 reads through the stream's reader, 1 is
 * the stream's loop, 2 the draw calls' smaller one. */
LUMIVANE__INLINE_ALWAYS long lumivane__take(lumivane_stream* s, int flash, unsigned char* out,
                                            size_t n) {
  return flash ? lumivane__take_flash_items(s, flash == 2, out, n)
               : lumivane__take_items(s, out, n);
}

/* Writes the next `n` bytes of the image to `out`. Returns the number
 * written: `n`, or fewer when the array ends (0 once it has ended), or
 * LUMIVANE_DECODE_MALFORMED when it breaks off after a run byte; `out` then
 * holds the bytes before it. */
static inline long lumivane_stream_read(lumivane_stream* s, unsigned char* out, size_t n) {
  return lumivane__take_items(s, out, n);
}
static LUMIVANE__OUT_OF_LINE long lumivane_stream_read_P(lumivane_stream* s, unsigned char* out,
                                                         size_t n) {
  return lumivane__take(s, 1, out, n);
}

/* Passes over the next `n` bytes without writing them, a run in one step.
 * Returns the number passed over, with the same results as reading. */
static inline long lumivane_stream_skip(lumivane_stream* s, size_t n) {
  return lumivane__take_items(s, LUMIVANE__NULL, n);
}
static inline long lumivane_stream_skip_P(lumivane_stream* s, size_t n) {
  return lumivane_stream_read_P(s, LUMIVANE__NULL, n);
}

/* Receives one decoded pixel row (or page, from the page calls), which is
 * reused for the next one. `row` counts from the stream's position when the
 * call began: from the image's top when the stream starts there, from the
 * first row of the call when a page continues the stream of the page above
 * it. */
typedef void (*lumivane_row_sink)(void* context, unsigned row, const unsigned char* row_bytes);

/* Hands out `count` units of `unit_size` bytes: the rows or pages
 * first..last (last clipped to the image), passing over those before. */
LUMIVANE__INLINE_ALWAYS long lumivane__draw(lumivane_stream* s, int flash, size_t unit_size,
                                            unsigned count, unsigned first, unsigned last,
                                            unsigned char* buffer, lumivane_row_sink draw,
                                            void* context) {
  unsigned unit;
  unsigned drawn = 0;
  if (count == 0u || unit_size == 0u) return 0;
  if (last >= count) last = count - 1u;
  if (first > last) return 0;
  for (unit = 0;; ++unit) {
    const int drawing = unit >= first;
    const long got = lumivane__take(s, flash, drawing ? buffer : LUMIVANE__NULL, unit_size);
    if (got < 0) return got;
    /* A unit the array cannot complete is not drawn. */
    if (LUMIVANE__CAST(size_t, got) != unit_size) break;
    if (drawing) {
      draw(context, unit, buffer);
      ++drawn;
    }
    if (unit == last) break;
  }
  return LUMIVANE__CAST(long, drawn);
}

/* The bytes of a row `pixels` wide, or the pages of a column as high:
 * (pixels + 7) / 8 without the sum passing UINT_MAX. The part byte's test
 * is in 8 bits, where avr-gcc otherwise spends 16-bit registers on it (6
 * bytes a sketch). */
static inline unsigned lumivane__eighths(unsigned pixels) {
  const unsigned char part = LUMIVANE__CAST(unsigned char, (pixels & 7u) + 7u);
  return (pixels >> 3) + LUMIVANE__CAST(unsigned, part >> 3);
}

/* Decodes rows of an image of width x height pixels in a row layout (xbm:
 * the leftmost pixel in bit 0; rows-msb: in bit 7), from the stream's
 * position, one row at a time into `row_buffer` ((width + 7) / 8 bytes),
 * and calls `draw_row` for the rows first_row to last_row (last_row is
 * clipped to the last row of the image). The rows before first_row are
 * passed over without being written, and decoding stops after last_row, so
 * drawing one page of a display costs the rows up to that page's end.
 * Returns the number of rows drawn: fewer than asked when the array ends
 * too early (a row it cannot complete is not drawn), or
 * LUMIVANE_DECODE_MALFORMED. */
static LUMIVANE__OUT_OF_LINE long lumivane__draw_units(lumivane_stream* s, size_t unit_size,
                                                       unsigned count, unsigned first,
                                                       unsigned last, unsigned char* buffer,
                                                       lumivane_row_sink draw, void* context) {
  return lumivane__draw(s, 0, unit_size, count, first, last, buffer, draw, context);
}
static LUMIVANE__SHARED long lumivane__draw_units_P(lumivane_stream* s, size_t unit_size,
                                                    unsigned count, unsigned first, unsigned last,
                                                    unsigned char* buffer, lumivane_row_sink draw,
                                                    void* context) {
  return lumivane__draw(s, 2, unit_size, count, first, last, buffer, draw, context);
}

/* In line, so that a sketch's constant width gives a constant row size. */
static inline long lumivane_draw_rows(lumivane_stream* s, unsigned width, unsigned height,
                                      unsigned first_row, unsigned last_row,
                                      unsigned char* row_buffer, lumivane_row_sink draw_row,
                                      void* context) {
  return lumivane__draw_units(s, lumivane__eighths(width), height, first_row, last_row, row_buffer,
                              draw_row, context);
}
static inline long lumivane_draw_rows_P(lumivane_stream* s, unsigned width, unsigned height,
                                        unsigned first_row, unsigned last_row,
                                        unsigned char* row_buffer, lumivane_row_sink draw_row,
                                        void* context) {
  return lumivane__draw_units_P(s, lumivane__eighths(width), height, first_row, last_row,
                                row_buffer, draw_row, context);
}

/* The same for an image in the pages layout ((height + 7) / 8 pages of 8
 * rows, each `width` bytes, one a column with the page's top row in bit 0,
 * as display memory holds them): calls `draw_page` with the pages
 * first_page to last_page, one at a time in `page_buffer` (`width` bytes).
 * Returns the number of pages drawn, as lumivane_draw_rows does rows. */
static inline long lumivane_draw_pages(lumivane_stream* s, unsigned width, unsigned height,
                                       unsigned first_page, unsigned last_page,
                                       unsigned char* page_buffer, lumivane_row_sink draw_page,
                                       void* context) {
  return lumivane__draw_units(s, width, lumivane__eighths(height), first_page, last_page,
                              page_buffer, draw_page, context);
}
static inline long lumivane_draw_pages_P(lumivane_stream* s, unsigned width, unsigned height,
                                         unsigned first_page, unsigned last_page,
                                         unsigned char* page_buffer, lumivane_row_sink draw_page,
                                         void* context) {
  return lumivane__draw_units_P(s, width, lumivane__eighths(height), first_page, last_page,
                                page_buffer, draw_page, context);
}

/* Receives one 8 x 8 tile: 8 column bytes, the top pixel in bit 0, as a
 * display's text mode takes them (u8x8's drawTile). `column` and `page`
 * count tiles from the stream's position, left to right and top down. The
 * tile may be changed; it is filled anew for the next one. */
typedef void (*lumivane_tile_sink)(void* context, unsigned column, unsigned page,
                                   unsigned char* tile);

LUMIVANE__INLINE_ALWAYS long lumivane__draw_tiles(lumivane_stream* s, int flash, unsigned width,
                                                  unsigned height, unsigned char* tile,
                                                  lumivane_tile_sink draw_tile, void* context) {
  const unsigned pages = lumivane__eighths(height);
  unsigned page;
  long drawn = 0;
  for (page = 0; page < pages; ++page) {
    unsigned x;
    for (x = 0; x < width; x += 8u) {
      size_t columns = width - x < 8u ? width - x : 8u;
      const long got = lumivane__take(s, flash, tile, columns);
      if (got < 0) return got;
      if (LUMIVANE__CAST(size_t, got) != columns) return drawn;
      /* The columns right of the image in its last tile stay unset. */
      for (; columns < 8u; ++columns) tile[columns] = 0;
      draw_tile(context, x / 8u, page, tile);
      ++drawn;
    }
  }
  return drawn;
}

/* Decodes an image in the pages layout tile by tile into `tile` (8 bytes)
 * and calls `draw_tile` for every tile, so that a text-mode display draws
 * any image with an 8-byte buffer. A width that is not a multiple of 8
 * gives a last tile in each page with its right columns unset. Returns the
 * number of tiles drawn: fewer when the array ends early, or
 * LUMIVANE_DECODE_MALFORMED. */
static LUMIVANE__OUT_OF_LINE long lumivane_draw_tiles(lumivane_stream* s, unsigned width,
                                                      unsigned height, unsigned char* tile,
                                                      lumivane_tile_sink draw_tile, void* context) {
  return lumivane__draw_tiles(s, 0, width, height, tile, draw_tile, context);
}
static LUMIVANE__OUT_OF_LINE long lumivane_draw_tiles_P(lumivane_stream* s, unsigned width,
                                                        unsigned height, unsigned char* tile,
                                                        lumivane_tile_sink draw_tile,
                                                        void* context) {
  return lumivane__draw_tiles(s, 2, width, height, tile, draw_tile, context);
}

/* Turns 8 decoded rows of an xbm image `width` pixels wide (a multiple of
 * 8, each row width / 8 bytes, one after the other) into width / 8 tiles of
 * 8 bytes for a display's text mode: each byte one column of 8 pixels, the
 * top pixel in the least significant bit. Headers in the pages layout need
 * no conversion: see lumivane_draw_tiles. */
static inline void lumivane_rows_to_tiles(const unsigned char* rows, unsigned width,
                                          unsigned char* tiles) {
  const unsigned stride = width / 8u;
  const unsigned char* const end = rows + stride;
  for (; rows != end; ++rows, tiles += 8) {
    const unsigned char* row = rows;
    unsigned char top = 1u;
    unsigned column;
    for (column = 0; column < 8u; ++column) tiles[column] = 0;
    /* Every shift by one place: AVR shifts by a variable count one place a
     * cycle in a loop. */
    do {
      unsigned char bits = *row;
      unsigned char* column = tiles;
      for (; bits != 0u; bits = LUMIVANE__CAST(unsigned char, bits >> 1), ++column) {
        if ((bits & 1u) != 0u) *column = LUMIVANE__CAST(unsigned char, *column | top);
      }
      row += stride;
      top = LUMIVANE__CAST(unsigned char, top << 1);
    } while (top != 0u);
  }
}

#endif /* LUMIVANE_DECODE_H */
