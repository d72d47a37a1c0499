// Stand-in for the graphics library's header: drawBitmap with the library's
// two overloads, a const array read from flash and a non-const one from RAM.
#pragma once

#include <stdint.h>

class Adafruit_GFX {
 public:
  void drawBitmap(int16_t x, int16_t y, const uint8_t bitmap[], int16_t w, int16_t h,
                  uint16_t color);
  void drawBitmap(int16_t x, int16_t y, uint8_t* bitmap, int16_t w, int16_t h, uint16_t color);
};
