#pragma once

#include <cstdint>
#include <vector>

namespace lumivane::imaging {

struct ImageSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// One decoded picture as the conversion to one bit sees it: the Rec. 709
// luminance of every pixel, row by row, and its opacity (empty when the
// image has none, so opaque images carry no second plane).
struct GrayFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> luminance;
  std::vector<std::uint8_t> alpha;
  // How long an animation shows the frame (a GIF's delay), 0 where unsaid.
  int delayMs = 0;
};

// A one-bit picture in XBM order: rows top to bottom, each row padded to
// whole bytes, the least significant bit the leftmost pixel.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;

  static int RowBytes(int width) { return (width + 7) / 8; }
  bool Pixel(int x, int y) const {
    return (bits[static_cast<std::size_t>(y * RowBytes(width) + x / 8)] >> (x % 8)) & 1;
  }
};

}  // namespace lumivane::imaging
