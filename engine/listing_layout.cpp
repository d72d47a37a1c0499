#include "listing_layout.h"

namespace lumivane {

std::string DeclarationLine(std::string_view arrayName) {
  constexpr std::string_view kHead = "const unsigned char ";
  constexpr std::string_view kTail = "[] U8X8_PROGMEM = {";
  std::string line;
  line.reserve(kHead.size() + arrayName.size() + kTail.size() + kLineEnd.size());
  line.append(kHead).append(arrayName).append(kTail).append(kLineEnd);
  return line;
}

}  // namespace lumivane
