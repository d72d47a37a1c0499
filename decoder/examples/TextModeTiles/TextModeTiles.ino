// Shows a compressed 128x64 logo through the display library's text mode,
// which has no frame buffer at all: 8 decoded pixel rows at a time become
// 16 tiles of 8x8 pixels, sent straight to the display. A header made with
// --layout pages needs no conversion and less RAM: see U8x8DrawTile.
#include <Arduino.h>
#include <U8g2lib.h>
#include <lumivane_decode.h>

#include "logo.h"  // made from logo.xbm by lumivane-cli

static const unsigned kLogoWidth = 128;
static const unsigned kLogoHeight = 64;
static const unsigned kTilesPerRow = kLogoWidth / 8;

U8X8_SSD1306_128X64_NONAME_HW_I2C u8x8(U8X8_PIN_NONE);

static void drawLogo() {
  unsigned char rows[8 * kTilesPerRow];
  unsigned char tiles[8 * kTilesPerRow];
  lumivane_stream logoStream;
  lumivane_stream_init_P(&logoStream, logo, sizeof logo);
  for (unsigned tileRow = 0; tileRow < kLogoHeight / 8; ++tileRow) {
    if (lumivane_stream_read_P(&logoStream, rows, sizeof rows) != static_cast<long>(sizeof rows)) {
      return;  // a damaged array: show what came before it
    }
    lumivane_rows_to_tiles(rows, kLogoWidth, tiles);
    u8x8.drawTile(0, tileRow, kTilesPerRow, tiles);
  }
}

void setup() {
  u8x8.begin();
  drawLogo();
}

void loop() {}
