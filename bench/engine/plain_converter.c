#include "plain_converter.h"

#include <stdlib.h>
#include <string.h>

enum { kMaxItems = 32766, kRunCap = 255 };

static const char kHex[] = "0123456789ABCDEF";

/* Digit value + 1 of each character; 0 for any other. */
static const unsigned char kDigitPlusOne[256] = {
    ['0'] = 1,  ['1'] = 2,  ['2'] = 3,  ['3'] = 4,  ['4'] = 5,  ['5'] = 6,  ['6'] = 7,  ['7'] = 8,
    ['8'] = 9,  ['9'] = 10, ['a'] = 11, ['b'] = 12, ['c'] = 13, ['d'] = 14, ['e'] = 15, ['f'] = 16,
    ['A'] = 11, ['B'] = 12, ['C'] = 13, ['D'] = 14, ['E'] = 15, ['F'] = 16};

static int IsX(char c) {
  return c == 'x' || c == 'X';
}

/* Reads the literals; returns their number, or -1 past the limit. */
static long ReadBytes(const char* text, size_t size, unsigned char* bytes) {
  long count = 0;
  const char* end = text + size;
  const char* p = text;
  for (;;) {
    while (p + 1 < end && !(p[0] == '0' && IsX(p[1]))) ++p;
    if (p + 1 >= end) return count;
    p += 2;
    unsigned value = 0;
    for (; p < end; ++p) {
      const char c = *p;
      if (c == ' ' || c == '\t' || c == '\n') continue;
      const unsigned digit = kDigitPlusOne[(unsigned char)c];
      if (digit == 0 || (c == '0' && p + 1 < end && IsX(p[1]))) break;
      value = value * 16 + digit - 1;
    }
    if (count == kMaxItems) return -1;
    bytes[count++] = (unsigned char)value;
  }
}

static long Encode(const unsigned char* bytes, long count, unsigned char* items) {
  long n = 0;
  for (long k = 0; k < count; ++k) {
    const unsigned char b = bytes[k];
    items[n++] = b;
    if (b != 0x00 && b != 0xFF) continue;
    unsigned repeats = 0;
    while (repeats < kRunCap && k + 1 < count && bytes[k + 1] == b) {
      ++repeats;
      ++k;
    }
    items[n++] = (unsigned char)repeats;
  }
  return n;
}

static char* WriteListing(const char* name, const unsigned char* items, long count, size_t* size) {
  static const char kHead[] = "const unsigned char ";
  static const char kTail[] = "[] U8X8_PROGMEM = {\r\n";
  const size_t nameSize = strlen(name);
  const size_t separators = count > 0 ? (size_t)(count - 1) * 2 + (size_t)(count - 1) / 16 * 2 : 0;
  *size = sizeof kHead - 1 + nameSize + sizeof kTail - 1 + (size_t)count * 4 + separators + 4;
  char* listing = malloc(*size);
  if (listing == NULL) return NULL;
  char* out = listing;
  memcpy(out, kHead, sizeof kHead - 1);
  out += sizeof kHead - 1;
  memcpy(out, name, nameSize);
  out += nameSize;
  memcpy(out, kTail, sizeof kTail - 1);
  out += sizeof kTail - 1;
  for (long k = 0; k < count; ++k) {
    out[0] = '0';
    out[1] = 'x';
    out[2] = kHex[items[k] >> 4];
    out[3] = kHex[items[k] & 15];
    out += 4;
    if (k + 1 == count) break;
    out[0] = ',';
    out[1] = ' ';
    out += 2;
    if ((k + 1) % 16 == 0) {
      out[0] = '\r';
      out[1] = '\n';
      out += 2;
    }
  }
  memcpy(out, "\r\n};", 4);
  return listing;
}

int PlainConvert(const char* text, size_t size, const char* name, PlainListings* out) {
  memset(out, 0, sizeof *out);
  unsigned char* bytes = malloc(size / 2 + 1);
  unsigned char* items = malloc(size + 1);
  int result = -1;
  if (bytes == NULL || items == NULL) goto done;
  const long count = ReadBytes(text, size, bytes);
  if (count < 0) goto done;
  const long encoded = Encode(bytes, count, items);
  if (encoded > kMaxItems) goto done;
  out->uncompressed = WriteListing(name, bytes, count, &out->uncompressed_size);
  out->compressed = WriteListing(name, items, encoded, &out->compressed_size);
  if (out->uncompressed != NULL && out->compressed != NULL) result = 0;
done:
  free(bytes);
  free(items);
  if (result != 0) PlainFree(out);
  return result;
}

void PlainFree(PlainListings* listings) {
  free(listings->uncompressed);
  free(listings->compressed);
  listings->uncompressed = NULL;
  listings->compressed = NULL;
}
