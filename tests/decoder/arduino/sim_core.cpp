// The stand-ins' calls for a sketch run in simavr: each drawing call is sent
// through GPIOR1 ('T' x y count tiles, 'B' x y w h rows, 'F' for a bitmap
// read from flash), and main() runs setup() between two markers on GPIOR0.
#include <avr/interrupt.h>
#include <avr/io.h>
#include <avr/sleep.h>

#include "Adafruit_SSD1306.h"
#include "U8g2lib.h"

void setup();

namespace {

void Send(uint8_t byte) {
  GPIOR1 = byte;
}

void Send16(int16_t value) {
  Send(static_cast<uint8_t>(value));
  Send(static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8));
}

}  // namespace

TwoWire Wire;

bool U8X8::begin() {
  return true;
}

void U8X8::drawTile(uint8_t x, uint8_t y, uint8_t cnt, uint8_t* tile_ptr) {
  Send('T');
  Send(x);
  Send(y);
  Send(cnt);
  for (unsigned i = 0; i < 8u * cnt; ++i) Send(tile_ptr[i]);
}

U8X8_SSD1306_128X64_NONAME_HW_I2C::U8X8_SSD1306_128X64_NONAME_HW_I2C(uint8_t) {}

void Adafruit_GFX::drawBitmap(int16_t, int16_t, const uint8_t*, int16_t, int16_t, uint16_t) {
  Send('F');
}

void Adafruit_GFX::drawBitmap(int16_t x, int16_t y, uint8_t* bitmap, int16_t w, int16_t h,
                              uint16_t) {
  Send('B');
  Send16(x);
  Send16(y);
  Send16(w);
  Send16(h);
  for (int i = 0; i < (w + 7) / 8 * h; ++i) Send(bitmap[i]);
}

Adafruit_SSD1306::Adafruit_SSD1306(uint8_t, uint8_t, TwoWire*, int8_t) {}
bool Adafruit_SSD1306::begin(uint8_t, uint8_t) {
  return true;
}
void Adafruit_SSD1306::clearDisplay() {}
void Adafruit_SSD1306::display() {}

int main() {
  GPIOR0 = 1;
  setup();
  GPIOR0 = 2;
  cli();
  sleep_enable();
  sleep_cpu();
  return 0;
}
