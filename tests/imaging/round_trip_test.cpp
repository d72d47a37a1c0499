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

// Black pixels are the set bits. The first byte stays zero: a text without
// "00" or "FF" anywhere is not converted at all, by design of the converter.
GreyPicture RandomPicture(int width, int height, std::mt19937& random) {
  GreyPicture picture{width, height, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool set = (y > 0 || x >= 8) && (random() & 1) != 0;
      picture.grey.push_back(set ? 0 : 255);
    }
  }
  return picture;
}

std::vector<std::uint8_t> XbmBits(const GreyPicture& picture) {
  const int rowBytes = (picture.width + 7) / 8;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowBytes * picture.height), 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.grey[static_cast<std::size_t>(y * picture.width + x)] == 0) {
        bits[static_cast<std::size_t>(y * rowBytes + x / 8)] |=
            static_cast<std::uint8_t>(1 << (x % 8));
      }
    }
  }
  return bits;
}

TEST(ImportRoundTrip, EveryWidthUpTo64InEveryFormatGivesBackItsBits) {
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
        ASSERT_EQ(test::HeaderBits("pic", bitmaps[0].xbmText), XbmBits(picture));
      }
    }
  }
}

}  // namespace
}  // namespace lumivane
