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
 */
#ifndef LUMIVANE_DECODE_H
#define LUMIVANE_DECODE_H

#include <limits.h>
#include <stddef.h>
#include <stdint.h>

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

#endif /* LUMIVANE_DECODE_H */
