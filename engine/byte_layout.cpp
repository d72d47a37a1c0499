#include "byte_layout.h"

#include <algorithm>

namespace lumivane {
namespace {

constexpr int kPageRows = 8;

std::uint8_t Reversed(std::uint8_t byte) {
  std::uint8_t reversed = 0;
  for (int bit = 0; bit < 8; ++bit)
    reversed |= static_cast<std::uint8_t>(((byte >> bit) & 1) << (7 - bit));
  return reversed;
}

int RowBytes(int width) {
  return (width + 7) / 8;
}

// Walks every pixel of the bitmap with where it lies in XBM's bytes and in
// the pages': (XBM byte, XBM bit, page byte, page bit).
template <typename Visit>
void ForEachPixel(int width, int height, Visit visit) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      visit(static_cast<std::size_t>(y) * static_cast<std::size_t>(RowBytes(width)) +
                static_cast<std::size_t>(x / 8),
            x % 8,
            static_cast<std::size_t>(y / kPageRows) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x),
            y % kPageRows);
    }
  }
}

}  // namespace

std::optional<ByteLayout> ByteLayoutNamed(std::string_view name) {
  for (const ByteLayoutName& entry : kByteLayoutNames) {
    if (entry.name == name) return entry.layout;
  }
  return std::nullopt;
}

std::string_view NameOf(ByteLayout layout) {
  for (const ByteLayoutName& entry : kByteLayoutNames) {
    if (entry.layout == layout) return entry.name;
  }
  return {};
}

std::int64_t ArrangedSize(ByteLayout layout, std::int64_t width, std::int64_t height) {
  if (layout == ByteLayout::kPages) return width * ((height + kPageRows - 1) / kPageRows);
  return (width + 7) / 8 * height;
}

std::vector<std::uint8_t> ArrangeBytes(std::span<const std::uint8_t> xbm, int width, int height,
                                       ByteLayout layout) {
  switch (layout) {
    case ByteLayout::kXbm:
      return {xbm.begin(), xbm.end()};
    case ByteLayout::kRowsMsb: {
      std::vector<std::uint8_t> rows(xbm.size());
      std::transform(xbm.begin(), xbm.end(), rows.begin(), Reversed);
      return rows;
    }
    case ByteLayout::kPages:
      break;
  }
  std::vector<std::uint8_t> pages(static_cast<std::size_t>(ArrangedSize(layout, width, height)));
  ForEachPixel(width, height, [&](std::size_t xbmByte, int xbmBit, std::size_t page, int row) {
    if ((xbm[xbmByte] >> xbmBit) & 1) pages[page] |= static_cast<std::uint8_t>(1 << row);
  });
  return pages;
}

std::vector<std::uint8_t> XbmBytesOf(std::span<const std::uint8_t> arranged, int width, int height,
                                     ByteLayout layout) {
  std::vector<std::uint8_t> xbm(
      static_cast<std::size_t>(ArrangedSize(ByteLayout::kXbm, width, height)));
  ForEachPixel(width, height, [&](std::size_t xbmByte, int xbmBit, std::size_t page, int row) {
    bool set = false;
    switch (layout) {
      case ByteLayout::kXbm:
        set = (arranged[xbmByte] >> xbmBit) & 1;
        break;
      case ByteLayout::kRowsMsb:
        set = (arranged[xbmByte] >> (7 - xbmBit)) & 1;
        break;
      case ByteLayout::kPages:
        set = (arranged[page] >> row) & 1;
        break;
    }
    if (set) xbm[xbmByte] |= static_cast<std::uint8_t>(1 << xbmBit);
  });
  return xbm;
}

}  // namespace lumivane
