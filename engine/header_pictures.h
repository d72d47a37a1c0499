#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bitmap_source.h"
#include "byte_layout.h"

namespace lumivane {

// One array of a header read back into the bitmap it was made from.
struct HeaderPicture {
  std::string name;
  int width = 0;
  int height = 0;
  // In XBM's layout, whatever layout the header holds.
  std::vector<std::uint8_t> xbm;
};

// Every "unsigned char NAME[] ... = { ... };" array of a header, read as the
// converter wrote it with `choice`: the runs of 0x00 and 0xFF expanded
// (unless uncompressed), then the layout undone. Each array's size comes
// from the header's NAME_width and NAME_height defines, else from `size`.
// An array without a size, with a literal beyond a byte, a run without its
// count or a byte count its size does not take raises the invalid-argument
// error naming `file` and the array.
std::vector<HeaderPicture> HeaderPictures(std::string_view header, std::string_view file,
                                          ConversionChoice choice, std::optional<BitmapSize> size);

}  // namespace lumivane
