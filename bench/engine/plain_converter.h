/* The yardstick for the engine's speed: the same conversion as plain C
 * would write it, without lists, checks or error model. It gives the same two
 * listings for texts whose literals are all bytes. */
#ifndef LUMIVANE_BENCH_PLAIN_CONVERTER_H
#define LUMIVANE_BENCH_PLAIN_CONVERTER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
  char* uncompressed;
  size_t uncompressed_size;
  char* compressed;
  size_t compressed_size;
} PlainListings;

/* Converts `text`; `name` is the array name. Returns 0, or -1 when the text
 * holds more than 32,766 literals, encodes to more than 32,766 items, or
 * memory runs out. */
int PlainConvert(const char* text, size_t size, const char* name, PlainListings* out);

void PlainFree(PlainListings* listings);

#ifdef __cplusplus
}
#endif

#endif
