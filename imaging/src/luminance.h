#pragma once

#include <cstdint>

namespace lumivane::imaging {

// Rec. 709 luma of gamma-encoded 8-bit RGB, in 16-bit fixed point; the
// weights add up to exactly 65536, so white stays 255 and black 0.
inline std::uint8_t Luminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<std::uint8_t>((13933u * red + 46871u * green + 4732u * blue + 32768u) >> 16);
}

}  // namespace lumivane::imaging
