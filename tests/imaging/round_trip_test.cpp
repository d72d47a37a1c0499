// A one-bit picture written as an image file by another program's encoder
// must come back, through the import, the conversion and the display's
// decoder, as exactly its own bits.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "header_bits.h"
#include "image_writers.h"
#include "import.h"

namespace lumivane {
namespace {

using test::GreyPicture;

struct Format {
  const char* name;
  std::function<std::string(const GreyPicture&)> write;
  // What the format can hold beside greys: colours, transparent pixels.
  bool colour = false;
  bool alpha = false;
};

// Netpbm files by hand: each sample scaled to the largest value `most`.
std::string Netpbm(const GreyPicture& p, bool colour, bool plain, int most) {
  std::string out = std::string("P") + (colour ? (plain ? '3' : '6') : (plain ? '2' : '5')) +
                    "\n# by hand\n" + std::to_string(p.width) + " " + std::to_string(p.height) +
                    " " + std::to_string(most) + "\n";
  const std::vector<std::uint8_t>& samples = colour ? p.rgb : p.grey;
  for (const std::uint8_t sample : samples) {
    const int value = (sample * most + 127) / 255;
    if (plain) {
      out += std::to_string(value) + (out.size() % 60 < 4 ? "\n" : " ");
    } else if (most > 255) {
      out.push_back(static_cast<char>(value >> 8));
      out.push_back(static_cast<char>(value & 0xFF));
    } else {
      out.push_back(static_cast<char>(value));
    }
  }
  return out;
}

const std::vector<Format> kFormats{
    {"png", [](const GreyPicture& p) { return test::WritePng(p, test::PngKind::kGrey8); }},
    {"png", [](const GreyPicture& p) { return test::WritePng(p, test::PngKind::kRgb8); }, true},
    {"png", [](const GreyPicture& p) { return test::WritePng(p, test::PngKind::kGreyAlpha8); },
     false, true},
    {"bmp", [](const GreyPicture& p) { return test::WriteBmp(p); }, true},
    {"bmp", [](const GreyPicture& p) { return test::WriteBmp(p, 32); }, true, true},
    {"pbm", test::WritePbm},
    {"gif", [](const GreyPicture& p) { return test::WriteGif({p}); }, true},
    {"gif", [](const GreyPicture& p) { return test::WriteGif(p.width, p.height, {{p}}, true); },
     false, true},
    {"ppm", [](const GreyPicture& p) { return Netpbm(p, true, false, 255); }, true},
    {"ppm", [](const GreyPicture& p) { return Netpbm(p, true, false, 65535); }, true},
    {"ppm", [](const GreyPicture& p) { return Netpbm(p, true, true, 1000); }, true},
    {"pgm", [](const GreyPicture& p) { return Netpbm(p, false, true, 15); }},
    {"pgm", [](const GreyPicture& p) { return Netpbm(p, false, false, 3); }},
};

constexpr int kHeights[] = {1, 2, 7, 8, 13, 64};

// Colours on either side of the threshold, each of which crosses it when any
// two of its channels trade places: red 54, azure 110 | green 182, orange 146.
constexpr std::uint8_t kDark[2][3] = {{255, 0, 0}, {0, 128, 255}};
constexpr std::uint8_t kLight[2][3] = {{0, 255, 0}, {255, 128, 0}};

// Black (or a dark colour) pixels are the set bits; where the format has
// transparency, some unset pixels (never the first, as a picture whose every
// pixel is transparent is taken for opaque) are black but transparent.
GreyPicture RandomPicture(int width, int height, const Format& format, std::mt19937& random) {
  GreyPicture picture{width, height, {}, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool set = (random() & 1) != 0;
      const bool hidden = format.alpha && !set && x + y > 0 && (random() & 1) != 0;
      picture.grey.push_back(set || hidden ? 0 : 255);
      if (format.alpha) picture.alpha.push_back(hidden ? 0 : 255);
      if (format.colour) {
        const std::uint8_t* colour = set ? kDark[random() & 1] : kLight[random() & 1];
        picture.rgb.insert(picture.rgb.end(), colour, colour + 3);
        if (hidden) std::fill(picture.rgb.end() - 3, picture.rgb.end(), 0);
      }
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
      const auto i = static_cast<std::size_t>(y * picture.width + x);
      if (picture.grey[i] != 0 || (!picture.alpha.empty() && picture.alpha[i] == 0)) continue;
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
        const GreyPicture picture = RandomPicture(width, height, format, random);
        const std::string path = std::string("/img/pic.") + format.name;
        SCOPED_TRACE(path + " " + std::to_string(&format - kFormats.data()) + ": " +
                     std::to_string(width) + " x " + std::to_string(height));
        const auto bitmaps = imaging::ImportImage(format.write(picture), path, {});
        ASSERT_EQ(bitmaps.size(), 1u);
        EXPECT_EQ(bitmaps[0].name, "pic");
        ASSERT_EQ(bitmaps[0].bitmap.bits, DrawnBits(picture, ByteLayout::kXbm));
        // The layouts re-arrange the same bytes whatever the format: once is enough.
        if (&format != &kFormats.front()) {
          ASSERT_EQ(test::HeaderBits("pic", bitmaps[0].xbmText, {ByteLayout::kXbm, false}),
                    DrawnBits(picture, ByteLayout::kXbm));
          continue;
        }
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
