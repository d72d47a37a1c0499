// A one-bit picture written as an image file by another program's encoder
// must come back, through the import, the conversion and the display's
// decoder, as exactly its own bits.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "convert_and_report.h"
#include "image_writers.h"
#include "import.h"
#include "listing_decoder.h"
#include "lumivane_decode.h"
#include "memory_surface.h"

namespace lumivane {
namespace {

using test::BmpFile;
using test::GreyPicture;
using test::Little;

// What a display gets from an imported bitmap: the XBM text converted as a
// ".xbm" file would be (in the chosen layout), its listing read back and,
// unless uncompressed, expanded with the display's decoder header.
std::vector<std::uint8_t> HeaderBits(const std::string& xbmText, ConversionChoice choice) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "pic.xbm";
  state.SourceText = xbmText;
  state.Choice = choice;
  ConvertAndReport(state, window);
  const test::ParsedListing listing = test::ParseListing(state.CompressedText);
  if (listing.arrayName != "pic") throw std::runtime_error("array named " + listing.arrayName);
  std::vector<unsigned char> encoded;
  for (const std::string& item : listing.items) encoded.push_back(test::ItemByte(item));
  if (choice.uncompressed) return encoded;
  std::vector<unsigned char> out(static_cast<std::size_t>(state.ByteCount));
  const long written = lumivane_decode(encoded.data(), encoded.size(), out.data(), out.size());
  if (written != static_cast<long>(out.size())) throw std::runtime_error("decoder failed");
  return out;
}

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
    {"png", [](const GreyPicture& p) { return test::WritePng(p, test::PngKind::kPalette); }, false,
     true},
    {"png", [](const GreyPicture& p) { return test::WritePng(p, test::PngKind::kRgb8); }, true,
     true},
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
          ASSERT_EQ(HeaderBits(bitmaps[0].xbmText, {ByteLayout::kXbm, false}),
                    DrawnBits(picture, ByteLayout::kXbm));
          continue;
        }
        for (const ByteLayout layout :
             {ByteLayout::kXbm, ByteLayout::kRowsMsb, ByteLayout::kPages}) {
          const std::vector<std::uint8_t> expected = DrawnBits(picture, layout);
          ASSERT_EQ(HeaderBits(bitmaps[0].xbmText, {layout, false}), expected);
          ASSERT_EQ(HeaderBits(bitmaps[0].xbmText, {layout, true}), expected);
        }
      }
    }
  }
}

// Palette entries (blue, green, red, unused): 0 black, 1 white, 2 red (54).
const std::string kPalette("\0\0\0\0\xFF\xFF\xFF\0\0\0\xFF\0", 12);
// Red, green, blue and opacity of a 32-bit pixel, as BITFIELDS masks.
const std::string kArgbMasks("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0\0\0\0\xFF", 16);

TEST(ImportFormats, ReadThePixelsAViewerShows) {
  struct Row {
    const char* what;
    std::string bytes;
    // Row by row.
    std::vector<std::vector<std::uint8_t>> luminance;
    std::vector<std::uint8_t> alpha = {};
  };
  const std::string os2 = "BM" + Little(38, 4) + Little(0, 4) + Little(32, 4) + Little(12, 4) +
                          Little(2, 2) + Little(1, 2) + Little(1, 2) + Little(1, 2) +
                          std::string("\0\0\0\xFF\xFF\xFF\x80\0\0\0", 10);
  for (const Row& row : {
           Row{"16-bit PGM, most significant byte first",
               std::string("P5 2 1 65535\n\x80\0\0\xFF", 17),
               {{128, 1}}},
           Row{"PGM of largest value 15",
               std::string("P5 3 1 15\n\0\x08\x0F", 13),
               {{0, 136, 255}}},
           Row{"PGM of largest value 200, a sample over 127", std::string("P5 1 1 200\n\x96", 12), {{191}}},
           Row{"plain PGM with a comment", "P2\n# by hand\r3 1\n15\n0 8 15\n", {{0, 136, 255}}},
           Row{"plain PGM rounding half to even", "P2 3 1 6 1 3 5", {{42, 128, 212}}},
           Row{"plain PPM", "P3 2 1 255 255 0 0  0 0 255", {{54, 18}}},
           Row{"16-bit PPM", std::string("P6 1 1 65535\n\xFF\xFF\0\0\0\0", 19), {{54}}},
           Row{"plain PBM", "P1 3 2 1 0 1 010", {{0, 255, 0}, {255, 0, 255}}},
           Row{"opaque grey PNG", test::WritePng({2, 1, {0, 200}, {}}, test::PngKind::kGrey8), {{0, 200}}},
           Row{"opaque colour PNG",
               test::WritePng({2, 1, {0, 0}, {}, {255, 0, 0, 0, 0, 255}}, test::PngKind::kRgb8),
               {{54, 18}}},
           Row{"top-down BMP",
               BmpFile(2, -2, 24, 0, "",
                       std::string("\0\0\xFF\xFF\xFF\xFF\0\0"
                                   "\0\0\0\0\xFF\0\0\0",
                                   16)),
               {{54, 255}, {0, 182}}},
           Row{"RLE8 BMP: runs, a jump, a line end, a literal stretch, the end; "
               "pixels no code reaches index 0",
               BmpFile(
                   3, 2, 8, 1, kPalette,
                   std::string("\x01\x01\0\x02\x01\0\x01\x02\0\0\0\x03\x02\x01\x02\0\0\x01", 18)),
               {{54, 255, 54}, {255, 0, 54}}},
           Row{"RLE8 BMP: a run past its row's end is cut, and its last line end ends it",
               BmpFile(3, 2, 8, 1, kPalette, std::string("\x03\x01\0\0\x04\x02\0\0", 8)),
               {{54, 54, 54}, {255, 255, 255}}},
           Row{"RLE8 BMP: a literal stretch of three, padded, then a run",
               BmpFile(4, 1, 8, 1, kPalette, std::string("\0\x03\x01\x02\x01\0\x01\x02\0\x01", 10)),
               {{255, 54, 255, 54}}},
           Row{"RLE4 BMP: a literal stretch of five, padded, then a run",
               BmpFile(6, 1, 4, 2, kPalette, std::string("\0\x05\x12\x10\x20\0\x01\x20\0\x01", 10)),
               {{255, 54, 255, 0, 54, 54}}},
           Row{"RLE4 BMP: a literal stretch, a run of two indices, the end",
               BmpFile(5, 1, 4, 2, kPalette, std::string("\0\x03\x12\x10\x02\x20\0\x01", 8)),
               {{255, 54, 255, 54, 0}}},
           Row{"OS/2 BMP of one bit", os2, {{255, 0}}},
           Row{"OS/2 BMP of 24 bits",
               "BM" + Little(34, 4) + Little(0, 4) + Little(26, 4) + Little(12, 4) + Little(2, 2) +
                   Little(1, 2) + Little(1, 2) + Little(24, 2) +
                   std::string("\0\0\xFF\xFF\xFF\xFF\0\0", 8),
               {{54, 255}}},
           Row{"32-bit BMP whose fourth bytes are all zero, opaque",
               BmpFile(2, 1, 32, 0, "", std::string("\0\0\xFF\0\xFF\xFF\xFF\0", 8)),
               {{54, 255}}},
           Row{"32-bit BMP, 56-byte header whose masks include opacity",
               [] {
                 std::string bmp =
                     BmpFile(2, 1, 32, 3, kArgbMasks, std::string("\0\0\xFF\xFF\0\0\0\x40", 8));
                 bmp[14] = 56;
                 return bmp;
               }(),
               {{54, 0}},
               {255, 64}},
           Row{"16-bit BMP, 5 bits a colour: red 31; 16, 16, 16 of 31",
               BmpFile(2, 1, 16, 0, "", std::string("\0\x7C\x10\x42", 4)),
               {{54, 132}}},
           Row{"16-bit BMP masked 5-6-5: 16, 32, 16; 10, 41, 5",
               BmpFile(2, 1, 16, 3, std::string("\0\xF8\0\0\xE0\x07\0\0\x1F\0\0\0", 12),
                       "\x10\x84\x25\x55"),
               {{131, 139}}},
           Row{"4-bit BMP of two rows",
               BmpFile(3, 2, 4, 0, kPalette, std::string("\x02\x10\0\0\x21\0\0\0", 8)),
               {{54, 255, 0}, {0, 54, 255}}},
           Row{"8-bit BMP",
               BmpFile(3, 1, 8, 0, kPalette, std::string("\x02\0\x01\0", 4)),
               {{54, 0, 255}}},
           Row{"1-bit BMP that uses one palette entry: index 1 is past it, black",
               BmpFile(2, 1, 1, 0, std::string("\xFF\xFF\xFF\0\0\0\xFF\0", 8),
                       std::string("\x40\0\0\0", 4))
                   .replace(46, 4, Little(1, 4)),
               {{255, 0}}},
           Row{"plain PGM with a sample above its largest value", "P2 2 1 3 1 7", {{85, 255}}},
       }) {
    const auto frames = imaging::DecodeImage(row.bytes, "/img/pic");
    ASSERT_EQ(frames.size(), 1u) << row.what;
    std::vector<std::uint8_t> luminance;
    for (const auto& line : row.luminance)
      luminance.insert(luminance.end(), line.begin(), line.end());
    EXPECT_EQ(frames[0].luminance.width, static_cast<int>(row.luminance[0].size())) << row.what;
    EXPECT_EQ(frames[0].luminance.values, luminance) << row.what;
    EXPECT_EQ(frames[0].alpha ? frames[0].alpha->values : std::vector<std::uint8_t>{}, row.alpha)
        << row.what;
  }
}

}  // namespace
}  // namespace lumivane
