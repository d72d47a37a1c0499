// Draws a compressed 128x64 logo on an SSD1306 display in page mode: the
// display library keeps one page (8 pixel rows) in RAM, and the decoder
// hands it only the rows of that page, one at a time, so no 1 KB frame is
// needed. The logo stays compressed in flash.
#include <Arduino.h>
#include <U8g2lib.h>
#include <lumivane_decode.h>

#include "logo.h"  // made from logo.xbm by lumivane-cli

static const unsigned kLogoWidth = 128;
static const unsigned kLogoHeight = 64;

U8G2_SSD1306_128X64_NONAME_1_HW_I2C u8g2(U8G2_R0, U8X8_PIN_NONE);

// One decoded pixel row, in the XBM layout drawXBM takes from RAM.
static void drawRow(void* display, unsigned row, const unsigned char* rowBytes) {
  static_cast<U8G2*>(display)->drawXBM(0, row, kLogoWidth, 1, rowBytes);
}

static void drawLogo() {
  unsigned char row[kLogoWidth / 8];
  u8g2.firstPage();
  do {
    // The rows above the page are passed over, those below never decoded.
    const unsigned first = u8g2.getBufferCurrTileRow() * 8u;
    const unsigned last = first + u8g2.getBufferTileHeight() * 8u - 1u;
    lumivane_stream logoStream;
    lumivane_stream_init(&logoStream, lumivane_read_progmem, logo, sizeof logo);
    lumivane_draw_rows(&logoStream, kLogoWidth, kLogoHeight, first, last, row, drawRow, &u8g2);
  } while (u8g2.nextPage());
}

void setup() {
  u8g2.begin();
  drawLogo();
}

void loop() {}
