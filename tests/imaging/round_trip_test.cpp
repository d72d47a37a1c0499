// A one-bit picture written as an image file by another program's encoder
// must come back, through the import, the conversion and the display's
// decoder, as exactly its own bits.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "header_bits.h"
#include "image_writers.h"
#include "import_image.h"

namespace lumivane {
namespace {

using test::GreyPicture;

struct Format {
  const char* name;
  std::function<std::string(const GreyPicture&)> write;
};

const std::vector<Format> kFormats{
    {"png", [](const GreyPicture& p) { return test::WritePng(p, test::PngKind::kGrey8); }},
    {"bmp", test::WriteBmp},
    {"pbm", test::WritePbm},
    {"gif", [](const GreyPicture& p) { return test::WriteGif({p}); }},
};

constexpr int kHeights[] = {1, 2, 7, 8, 13, 64};

// Black pixels are the set bits.
GreyPicture RandomPicture(int width, int height, std::mt19937& random) {
  GreyPicture picture{width, height, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool set = (random() & 1) != 0;
      picture.grey.push_back(set ? 0 : 255);
    }
  }
  return picture;
}

// The bytes each drawing call reads, as its documentation describes them:
// rows with the leftmost pixel in bit 0 (drawXBM) or bit 7 (drawBitmap), or
// pages of 8 rows, a byte a column, the top row in bit 0 (display memory).
std::vector<std::uint8_t> DrawnBits(const GreyPicture& picture, ByteLayout layout) {
  const int rowBytes = (picture.width + 7) / 8;
  const int pages = (picture.height + 7) / 8;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(
      layout == ByteLayout::kPages ? pages * picture.width : rowBytes * picture.height));
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.grey[static_cast<std::size_t>(y * picture.width + x)] != 0) continue;
      const int byte =
          layout == ByteLayout::kPages ? y / 8 * picture.width + x : y * rowBytes + x / 8;
      const int bit = layout == ByteLayout::kXbm       ? x % 8
                      : layout == ByteLayout::kRowsMsb ? 7 - x % 8
                                                       : y % 8;
      bits[static_cast<std::size_t>(byte)] |= static_cast<std::uint8_t>(1 << bit);
    }
  }
  return bits;
}

TEST(ImportRoundTrip, EveryWidthUpTo64InEveryFormatAndLayoutGivesBackItsBits) {
  std::mt19937 random(20261207);
  for (const Format& format : kFormats) {
    for (int width = 1; width <= 64; ++width) {
      for (const int height : kHeights) {
        const GreyPicture picture = RandomPicture(width, height, random);
        const std::string path = std::string("/img/pic.") + format.name;
        SCOPED_TRACE(path + " " + std::to_string(width) + " x " + std::to_string(height));
        const auto bitmaps = imaging::ImportImage(format.write(picture), path, {});
        ASSERT_EQ(bitmaps.size(), 1u);
        EXPECT_EQ(bitmaps[0].name, "pic");
        for (const ByteLayout layout :
             {ByteLayout::kXbm, ByteLayout::kRowsMsb, ByteLayout::kPages}) {
          const std::vector<std::uint8_t> expected = DrawnBits(picture, layout);
          ASSERT_EQ(test::HeaderBits("pic", bitmaps[0].xbmText, {layout, false}), expected);
          ASSERT_EQ(test::HeaderBits("pic", bitmaps[0].xbmText, {layout, true}), expected);
        }
      }
    }
  }
}

}  // namespace
}  // namespace lumivane
