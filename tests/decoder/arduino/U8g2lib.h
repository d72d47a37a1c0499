// Stand-in for the display library's header: the classes and the documented
// calls the example sketches use, with the library's parameter types.
#pragma once

#include <stdint.h>

#define U8X8_PROGMEM PROGMEM
#define U8X8_PIN_NONE 255

typedef uint8_t u8g2_uint_t;
struct u8g2_cb_t {};
extern const u8g2_cb_t u8g2_cb_r0;
#define U8G2_R0 (&u8g2_cb_r0)

class U8X8 {
 public:
  bool begin();
  void drawTile(uint8_t x, uint8_t y, uint8_t cnt, uint8_t* tile_ptr);
};

class U8X8_SSD1306_128X64_NONAME_HW_I2C : public U8X8 {
 public:
  explicit U8X8_SSD1306_128X64_NONAME_HW_I2C(uint8_t reset);
};

class U8G2 {
 public:
  bool begin();
  void firstPage();
  uint8_t nextPage();
  uint8_t getBufferTileHeight();
  uint8_t getBufferCurrTileRow();
  void drawXBM(u8g2_uint_t x, u8g2_uint_t y, u8g2_uint_t w, u8g2_uint_t h, const uint8_t* bitmap);
};

class U8G2_SSD1306_128X64_NONAME_1_HW_I2C : public U8G2 {
 public:
  U8G2_SSD1306_128X64_NONAME_1_HW_I2C(const u8g2_cb_t* rotation, uint8_t reset);
};
