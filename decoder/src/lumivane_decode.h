/* lumivane_decode.h: expands a Lumivane header's run-length data back into
 * the bitmap's bytes, on the display side. C99 and C++, no library needed.
 *
 * Every item of a compressed array is one byte. 0x00 and 0xFF start a run:
 * the item after them is the number of extra repeats, so {0x00, 0x04} stands
 * for five zero bytes and {0xFF, 0x00} for one 0xFF byte. Every other byte
 * stands for itself.
 *
 *   unsigned char frame[1024];
 *   long n = lumivane_decode(logo, sizeof logo, frame, sizeof frame);
 *
 * For data in flash on AVR (U8X8_PROGMEM is PROGMEM there), include
 * <avr/pgmspace.h> before this header and pass lumivane_read_progmem:
 *
 *   long n = lumivane_decode_with(lumivane_read_progmem, logo, sizeof logo,
 *                                 frame, sizeof frame);
 *
 * Any other memory works the same way with a reader of your own.
 *
 * Without RAM for a whole frame, a stream hands the bytes out a few at a
 * time, and lumivane_draw_rows hands them out one pixel row at a time:
 *
 *   lumivane_stream s;
 *   unsigned char row[128 / 8];
 *   lumivane_stream_init(&s, lumivane_read_progmem, logo, sizeof logo);
 *   lumivane_draw_rows(&s, 128, 64, 0, 7, row, draw_row, context);
 */
#ifndef LUMIVANE_DECODE_H
#define LUMIVANE_DECODE_H

#include <limits.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

/* Casts that C++ compilers with -Wold-style-cast accept as well. */
#ifdef __cplusplus
#define LUMIVANE_CAST(type, value) static_cast<type>(value)
#else
#define LUMIVANE_CAST(type, value) ((type)(value))
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
  return LUMIVANE_CAST(unsigned char, pgm_read_byte(address));
}
#endif

/* The result is a long so that every count of bytes written fits beside the
 * negative results, also where size_t and int are 16 bits wide (AVR). */
static inline size_t lumivane_usable_output_size(size_t out_size) {
#if defined(SIZE_MAX) && SIZE_MAX > LONG_MAX
  if (out_size > LUMIVANE_CAST(size_t, LONG_MAX)) return LUMIVANE_CAST(size_t, LONG_MAX);
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
  const size_t capacity = lumivane_usable_output_size(out_size);
  while (in < encoded_size) {
    const unsigned char value = read_byte(encoded + in);
    size_t count = 1;
    ++in;
    if (value == 0x00u || value == 0xFFu) {
      if (in == encoded_size) return LUMIVANE_DECODE_MALFORMED;
      count += LUMIVANE_CAST(size_t, read_byte(encoded + in));
      ++in;
    }
    if (count > capacity - written) return LUMIVANE_DECODE_OUTPUT_FULL;
    while (count > 0) {
      out[written] = value;
      ++written;
      --count;
    }
  }
  return LUMIVANE_CAST(long, written);
}

/* The same for an array in ordinary memory. */
static inline long lumivane_decode(const unsigned char* encoded, size_t encoded_size,
                                   unsigned char* out, size_t out_size) {
  return lumivane_decode_with(lumivane_read_ram, encoded, encoded_size, out, out_size);
}

/* A position in a compressed array. The fields belong to the functions
 * below; a stream is set up by lumivane_stream_init and may be copied to
 * come back to the same position later. */
typedef struct lumivane_stream lumivane_stream;
struct lumivane_stream {
  lumivane_byte_reader read_byte;
  /* The next item of the array, and the end of the array. */
  const unsigned char* next;
  const unsigned char* end;
  /* Copies of `pending` still to hand out: the rest of a run, whose first
   * copy goes out as its items are read. */
  unsigned char repeats;
  unsigned char pending;
};

static inline void lumivane_stream_init(lumivane_stream* s, lumivane_byte_reader read_byte,
                                        const unsigned char* encoded, size_t encoded_size) {
  s->read_byte = read_byte;
  s->next = encoded;
  s->end = encoded_size > 0 ? encoded + encoded_size : encoded;
  s->repeats = 0;
  s->pending = 0;
}

#if defined(__AVR__) && defined(__AVR_HAVE_LPMX__) && defined(pgm_read_byte)
#define LUMIVANE_AVR_FLASH_LOOP 1
/* The stream's loop for an array in flash on AVR, where avr-gcc's code for
 * it costs three times memcpy_P: literals are copied in one pass of loads
 * and stores, a run is filled by a store loop, and the state stays in
 * registers. It returns the bytes of `n` not handed out: 0, or more when
 * the array ended (`next` at its end) or breaks off (`next` back at a run
 * byte without its count). The T flag marks a skip. */
static inline size_t lumivane_take_flash(lumivane_stream* s, unsigned char* out, size_t n) {
  /* In r24, which a call may change, the count is set up in place for
   * every call: avr-gcc otherwise keeps it for the whole of a caller's
   * loop in a register the caller must save, 12 bytes more in a sketch. */
  register size_t left __asm__("r24") = n;
  const unsigned char* next = s->next;
  unsigned char repeats = s->repeats;
  unsigned char value = s->pending;
  __asm__ volatile(
      /* T: out is NULL (the Z flag, bit 1 of SREG). */
      "sbiw %[out], 0\n\t"
      "in __tmp_reg__, __SREG__\n\t"
      "bst __tmp_reg__, 1\n\t"
      "rjmp 6f\n"
      /* A run byte without its count: the stream stays before it. */
      "2:\n\t"
      "sbiw %[next], 1\n\t"
      "rjmp 9f\n"
      /* A run byte: its first copy goes out like a literal, then as many
       * of the `repeats` more as fit, up to 255 in one store loop. */
      "3:\n\t"
      "cp %A[next], %A[end]\n\t"
      "cpc %B[next], %B[end]\n\t"
      "breq 2b\n\t"
      "lpm %[repeats], Z+\n\t"
      "brts 5f\n\t"
      "st X+, %[value]\n"
      "5:\n\t"
      "sbiw %[left], 1\n\t"
      "breq 9f\n"
      "6:\n\t"
      "tst %[repeats]\n\t"
      "breq 8f\n\t"
      "mov __tmp_reg__, %[repeats]\n\t"
      "cp %A[left], %[repeats]\n\t"
      "cpc %B[left], __zero_reg__\n\t"
      "brsh 7f\n\t"
      "mov __tmp_reg__, %A[left]\n"
      "7:\n\t"
      "sub %[repeats], __tmp_reg__\n\t"
      "sub %A[left], __tmp_reg__\n\t"
      "sbc %B[left], __zero_reg__\n\t"
      "brts 72f\n"
      "71:\n\t"
      "st X+, %[value]\n\t"
      "dec __tmp_reg__\n\t"
      "brne 71b\n"
      "72:\n\t"
      "sbiw %[left], 0\n\t"
      "breq 9f\n"
      /* Literals: copied until a run byte or the end of either side. A
       * byte is 0x00 or 0xFF when (byte + 1) / 2 is 0. */
      "8:\n\t"
      "cp %A[next], %A[end]\n\t"
      "cpc %B[next], %B[end]\n\t"
      "breq 9f\n\t"
      "lpm %[value], Z+\n\t"
      "mov __tmp_reg__, %[value]\n\t"
      "inc __tmp_reg__\n\t"
      "lsr __tmp_reg__\n\t"
      "breq 3b\n\t"
      "brts 81f\n\t"
      "st X+, %[value]\n"
      "81:\n\t"
      "sbiw %[left], 1\n\t"
      "brne 8b\n"
      "9:\n"
      : [next] "+z"(next), [out] "+x"(out), [left] "+w"(left), [repeats] "+r"(repeats),
        [value] "+r"(value)
      : [end] "r"(s->end)
      : "memory");
  s->next = next;
  s->repeats = repeats;
  s->pending = value;
  return left;
}
#endif

/* Hands out up to `n` bytes into `out`, or passes over them when `out` is
 * NULL, reading every item through the stream's reader: reading and skipping
 * share one loop to keep the code small. A run byte without its count
 * leaves the stream before it, so every later call fails the same way. */
static inline long lumivane_stream_take_items(lumivane_stream* s, unsigned char* out, size_t n) {
  const size_t wanted = lumivane_usable_output_size(n);
  size_t left = wanted;
  while (left > 0) {
    size_t chunk;
    if (s->repeats == 0) {
      const unsigned char* const item = s->next;
      if (item == s->end) break;
      s->pending = s->read_byte(item);
      s->next = item + 1;
      if (s->pending == 0x00u || s->pending == 0xFFu) {
        if (item + 1 == s->end) {
          s->next = item;
          return LUMIVANE_DECODE_MALFORMED;
        }
        s->repeats = s->read_byte(item + 1);
        s->next = item + 2;
      }
      if (out != NULL) *out++ = s->pending;
      --left;
      continue;
    }
    chunk = s->repeats < left ? s->repeats : left;
    s->repeats = LUMIVANE_CAST(unsigned char, s->repeats - chunk);
    left -= chunk;
    if (out != NULL) {
      memset(out, s->pending, chunk);
      out += chunk;
    }
  }
  return LUMIVANE_CAST(long, wanted - left);
}

/* The same, with flash read by the flash loop on AVR. The
 * caller passes the stream's reader, so that where the reader is known the
 * choice is made once, not for every call. */
static inline long lumivane_stream_take(lumivane_stream* s, lumivane_byte_reader read_byte,
                                        unsigned char* out, size_t n) {
#if defined(LUMIVANE_AVR_FLASH_LOOP)
  if (read_byte == lumivane_read_progmem && n != 0) {
    const size_t left = lumivane_take_flash(s, out, n);
    if (left != 0 && s->next != s->end) return LUMIVANE_DECODE_MALFORMED;
    return LUMIVANE_CAST(long, n - left);
  }
#else
  (void)read_byte;
#endif
  return lumivane_stream_take_items(s, out, n);
}

/* Writes the next `n` bytes of the image to `out`. Returns the number
 * written: `n`, or fewer when the array ends (0 once it has ended), or
 * LUMIVANE_DECODE_MALFORMED when it breaks off after a run byte; `out` then
 * holds the bytes before it. */
static inline long lumivane_stream_read(lumivane_stream* s, unsigned char* out, size_t n) {
  return lumivane_stream_take(s, s->read_byte, out, n);
}

/* Passes over the next `n` bytes without writing them, a run in one step.
 * Returns the number passed over, with the same results as reading. */
static inline long lumivane_stream_skip(lumivane_stream* s, size_t n) {
  return lumivane_stream_take(s, s->read_byte, NULL, n);
}

/* Receives one decoded pixel row: `row_bytes` holds (width + 7) / 8 bytes
 * in XBM's layout (the leftmost pixel in bit 0) and is reused for the next
 * row. `row` counts from the image's top. */
typedef void (*lumivane_row_sink)(void* context, unsigned row, const unsigned char* row_bytes);

/* Decodes an image of width x height pixels from the stream's position, its
 * first row, one row at a time into `row_buffer` ((width + 7) / 8 bytes),
 * and calls `draw_row` for the rows first_row to last_row (last_row is
 * clipped to the last row of the image). The rows before first_row are
 * passed over without being written, and decoding stops after last_row, so
 * drawing one page of a display costs the rows up to that page's end.
 * Returns the number of rows drawn: fewer than asked when the array ends
 * too early (a row it cannot complete is not drawn), or
 * LUMIVANE_DECODE_MALFORMED. */
static inline long lumivane_draw_rows(lumivane_stream* s, unsigned width, unsigned height,
                                      unsigned first_row, unsigned last_row,
                                      unsigned char* row_buffer, lumivane_row_sink draw_row,
                                      void* context) {
  const size_t row_size = LUMIVANE_CAST(size_t, width / 8u) + (width % 8u != 0u ? 1u : 0u);
  const lumivane_byte_reader read_byte = s->read_byte;
  unsigned row = 0;
  if (last_row >= height) last_row = height - 1u;
  if (row_size == 0u || first_row >= height || first_row > last_row) return 0;
  for (;;) {
    const int drawing = row >= first_row;
    const long got = lumivane_stream_take(s, read_byte, drawing ? row_buffer : NULL, row_size);
    if (got < 0) return got;
    if (LUMIVANE_CAST(size_t, got) != row_size) break;
    if (drawing) draw_row(context, row, row_buffer);
    if (row == last_row) return LUMIVANE_CAST(long, row - first_row) + 1;
    ++row;
  }
  /* The rows drawn: those from first_row up to the row that ended it. */
  return row > first_row ? LUMIVANE_CAST(long, row - first_row) : 0;
}

/* Turns 8 decoded rows of `width` pixels (width a multiple of 8, each row
 * width / 8 bytes, one after the other) into width / 8 tiles of 8 bytes for
 * a display's text mode: each byte one column of 8 pixels, the top pixel in
 * the least significant bit. */
static inline void lumivane_rows_to_tiles(const unsigned char* rows, unsigned width,
                                          unsigned char* tiles) {
  const unsigned stride = width / 8u;
  unsigned tile;
  for (tile = 0; tile < stride; ++tile) {
    unsigned char column;
    for (column = 0; column < 8u; ++column) {
      unsigned char bits = 0;
      unsigned row;
      for (row = 0; row < 8u; ++row) {
        bits |= LUMIVANE_CAST(unsigned char, ((rows[tile + row * stride] >> column) & 1u) << row);
      }
      *tiles++ = bits;
    }
  }
}

#endif /* LUMIVANE_DECODE_H */
