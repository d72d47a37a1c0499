// Draws a compressed 128x64 logo with the graphics library's drawBitmap,
// which reads rows with the leftmost pixel in the highest bit: the header
// holds that layout (lumivane-cli --layout rows-msb), and the decoder hands
// it over one row at a time, so the logo stays compressed in flash.
#include <Adafruit_GFX.h>
#include <Adafruit_SSD1306.h>
#include <Arduino.h>
#include <Wire.h>
#include <lumivane_decode.h>

#include "logo_msb.h"  // lumivane-cli --layout rows-msb logo_msb.xbm (a copy of logo.xbm)

static const unsigned kLogoWidth = 128;
static const unsigned kLogoHeight = 64;

Adafruit_SSD1306 display(kLogoWidth, kLogoHeight, &Wire, -1);

// drawBitmap reads a const array from flash and a non-const one from RAM:
// the decoded row is in RAM, so it goes in as non-const.
static void drawRow(void* context, unsigned row, const unsigned char* rowBytes) {
  static_cast<Adafruit_GFX*>(context)->drawBitmap(0, row, const_cast<uint8_t*>(rowBytes),
                                                  kLogoWidth, 1, SSD1306_WHITE);
}

void setup() {
  unsigned char row[kLogoWidth / 8];
  lumivane_stream logoStream;
  display.begin(SSD1306_SWITCHCAPVCC, 0x3C);
  display.clearDisplay();
  lumivane_stream_init_P(&logoStream, logo_msb, sizeof logo_msb);
  lumivane_draw_rows_P(&logoStream, kLogoWidth, kLogoHeight, 0, kLogoHeight - 1, row, drawRow,
                       &display);
  display.display();
}

void loop() {}
