#include <cstddef>

#define U8X8_PROGMEM
#include "images.h"

std::size_t CollectedBytes() {
  return sizeof logo + sizeof arrow + sizeof icons;
}
