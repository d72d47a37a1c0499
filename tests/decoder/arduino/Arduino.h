// Stand-in for the Arduino core header: only what the example sketches use,
// so that they can be built for the ATmega328P without the core.
#pragma once

#include <avr/pgmspace.h>
#include <stdint.h>

void delay(unsigned long ms);
