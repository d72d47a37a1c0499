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

// Where the rows of the page being drawn go.
struct LogoPage {
  U8G2* display;
  unsigned top;  // the logo row the page starts with
};

// One decoded pixel row, in the XBM layout drawXBM takes from RAM. `row`
// counts from the page's top, where the stream continued.
static void drawRow(void* context, unsigned row, const unsigned char* rowBytes) {
  const LogoPage* page = static_cast<const LogoPage*>(context);
  page->display->drawXBM(0, page->top + row, kLogoWidth, 1, rowBytes);
}

static void drawLogo() {
  unsigned char row[kLogoWidth / 8];
  lumivane_stream logoStream;
  lumivane_stream_init_P(&logoStream, logo, sizeof logo);
  u8g2.firstPage();
  do {
    // Pages come top down, and each continues the stream where the page
    // above stopped: the logo is decoded once per picture, 8 rows a page.
    LogoPage page = {&u8g2, u8g2.getBufferCurrTileRow() * 8u};
    const unsigned pageRows = u8g2.getBufferTileHeight() * 8u;
    if (page.top < kLogoHeight) {
      lumivane_draw_rows_P(&logoStream, kLogoWidth, kLogoHeight - page.top, 0, pageRows - 1, row,
                         drawRow, &page);
    }
  } while (u8g2.nextPage());
}

void setup() {
  u8g2.begin();
  drawLogo();
}

void loop() {}
