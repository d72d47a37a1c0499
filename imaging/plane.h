#pragma once

#include <cstdint>
#include <vector>

namespace lumivane::imaging {

// One byte a pixel, row by row: luminance while the picture is shaped, then
// one flag a pixel once it has been reduced to set and unset.
struct Plane {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> values;

  std::uint8_t& At(int x, int y) { return values[Index(x, y)]; }
  std::uint8_t At(int x, int y) const { return values[Index(x, y)]; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
  }
};

}  // namespace lumivane::imaging
