// Stand-in for the SSD1306 driver's header: the calls the example uses.
#pragma once

#include "Adafruit_GFX.h"
#include "Wire.h"

#define SSD1306_WHITE 1
#define SSD1306_SWITCHCAPVCC 0x02

class Adafruit_SSD1306 : public Adafruit_GFX {
 public:
  Adafruit_SSD1306(uint8_t w, uint8_t h, TwoWire* twi, int8_t rst_pin);
  bool begin(uint8_t switchvcc, uint8_t i2caddr);
  void clearDisplay();
  void display();
};
