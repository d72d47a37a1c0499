// Shows a compressed 128x64 logo through the display library's text mode
// with an 8-byte buffer: the header holds the logo in the display's own
// layout (lumivane-cli --layout pages), so every 8 decoded bytes are one
// 8x8 tile, handed to drawTile as they come.
#include <Arduino.h>
#include <U8g2lib.h>
#include <lumivane_decode.h>

#include "logo_pages.h"  // lumivane-cli --layout pages logo_pages.xbm (a copy of logo.xbm)

static const unsigned kLogoWidth = 128;
static const unsigned kLogoHeight = 64;

U8X8_SSD1306_128X64_NONAME_HW_I2C u8x8(U8X8_PIN_NONE);

static void drawTile(void* context, unsigned column, unsigned page, unsigned char* tile) {
  static_cast<U8X8*>(context)->drawTile(column, page, 1, tile);
}

static void drawLogo() {
  unsigned char tile[8];
  lumivane_stream logoStream;
  lumivane_stream_init_P(&logoStream, logo_pages, sizeof logo_pages);
  lumivane_draw_tiles_P(&logoStream, kLogoWidth, kLogoHeight, tile, drawTile, &u8x8);
}

void setup() {
  u8x8.begin();
  drawLogo();
}

void loop() {}
