// Stand-in for the Arduino core's I2C header.
#pragma once

class TwoWire {};
extern TwoWire Wire;
