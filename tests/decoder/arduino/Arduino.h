// Stand-in for the Arduino core header: only what the example sketches use,
// so that they can be built without the core for AVR and ARM parts.
#pragma once

#include <stdint.h>

#if defined(__AVR__)
#include <avr/pgmspace.h>
#else
// As the ARM cores define them: flash is read like any memory.
#define PROGMEM
#define pgm_read_byte(address) (*(const unsigned char*)(address))
#endif

void delay(unsigned long ms);
