#include "half_block_preview.h"

#include <array>
#include <string_view>

namespace lumivane::cli {
namespace {

// Indexed by (upper set) + 2 * (lower set).
constexpr std::array<std::string_view, 4> kBlocks{" ", "\u2580", "\u2584", "\u2588"};

}  // namespace

std::string HalfBlockPreview(const imaging::Bitmap& bitmap) {
  std::string text;
  for (int y = 0; y < bitmap.height; y += 2) {
    for (int x = 0; x < bitmap.width; ++x) {
      const bool upper = bitmap.Pixel(x, y);
      const bool lower = y + 1 < bitmap.height && bitmap.Pixel(x, y + 1);
      text.append(kBlocks[static_cast<std::size_t>(upper) + 2 * static_cast<std::size_t>(lower)]);
    }
    text.push_back('\n');
  }
  return text;
}

}  // namespace lumivane::cli
