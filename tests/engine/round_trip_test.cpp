// Every compressed listing must expand, with the display's decoder, back to
// exactly the bytes of the uncompressed one, and every item must fit the
// "const unsigned char" array it is written into.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "convert_source_text.h"
#include "header_pictures.h"
#include "listing_decoder.h"
#include "memory_surface.h"
#include "sample_bytes.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

std::vector<std::uint8_t> ListedBytes(const std::vector<std::string>& items) {
  std::vector<std::uint8_t> bytes;
  for (const std::string& item : items) bytes.push_back(ItemByte(item));
  return bytes;
}

// Converts the bytes and checks everything a display and a C compiler rely on.
void ExpectRoundTrip(const std::vector<std::uint8_t>& bytes) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "img.xbm";
  state.SourceText = XbmText("img", bytes);
  ConvertSourceText(state, window);

  ASSERT_EQ(state.ByteCount, static_cast<std::int32_t>(bytes.size()));
  ParsedListing plain;
  ParsedListing compressed;
  ASSERT_NO_THROW(plain = ParseListing(state.SourceText));
  ASSERT_NO_THROW(compressed = ParseListing(state.CompressedText));
  EXPECT_EQ(plain.arrayName, "img");
  EXPECT_EQ(compressed.arrayName, "img");
  EXPECT_EQ(window.Text1(), state.SourceText);
  EXPECT_EQ(ListedBytes(plain.items), bytes);

  std::vector<std::uint8_t> decoded;
  ASSERT_NO_THROW(decoded = DecodeRuns(compressed.items));
  EXPECT_EQ(decoded, bytes);

  const auto itemCount = static_cast<std::int32_t>(compressed.items.size());
  EXPECT_EQ(window.List2().Count(), itemCount + 1);
  EXPECT_EQ(state.BytesEconomized, state.ByteCount - itemCount);
  EXPECT_EQ(state.EconomizedTotal, state.BytesEconomized);
  if (!bytes.empty()) {
    EXPECT_GE(state.CompressionRate, -100);
    EXPECT_LE(state.CompressionRate, 100);
  }
}

TEST(RoundTrip, MixedBytesOfEveryLengthUpTo1000) {
  for (std::size_t length = 0; length <= 1000; ++length) {
    SCOPED_TRACE("length " + std::to_string(length));
    ExpectRoundTrip(MixedBytes(length, static_cast<std::uint32_t>(length) + 1));
    if (::testing::Test::HasFailure()) break;
  }
}

// Runs of every length that a count byte or the list limit makes special,
// alone and between other bytes, and runs that touch each other.
TEST(RoundTrip, RunsAtEveryBoundary) {
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> cases;
  for (const std::size_t length : {1, 2, 255, 256, 257, 511, 512, 513, 32764}) {
    const std::string name = "run of " + std::to_string(length);
    cases.push_back({name + " zeros", std::vector<std::uint8_t>(length, 0x00)});
    cases.push_back({name + " full bytes", std::vector<std::uint8_t>(length, 0xFF)});
    std::vector<std::uint8_t> between(length, 0x00);
    between.insert(between.begin(), 0x3C);
    between.push_back(0x81);
    cases.push_back({name + " between others", between});
  }
  cases.push_back({"longest list of zeros", std::vector<std::uint8_t>(32766, 0x00)});
  cases.push_back({"longest list of full bytes", std::vector<std::uint8_t>(32766, 0xFF)});
  std::vector<std::uint8_t> touching;
  for (std::size_t length = 1; length <= 300; length += 13) {
    touching.insert(touching.end(), length, 0x00);
    touching.insert(touching.end(), 301 - length, 0xFF);
  }
  cases.push_back({"zero and full runs touching", touching});
  std::vector<std::uint8_t> alternating;
  for (int i = 0; i < 1000; ++i) alternating.push_back(i % 2 == 0 ? 0x00 : 0xFF);
  cases.push_back({"single zero and full bytes alternating", alternating});
  std::vector<std::uint8_t> everyValue;
  for (int value = 0; value <= 255; ++value) everyValue.push_back(static_cast<std::uint8_t>(value));
  for (int value = 255; value >= 0; --value) everyValue.push_back(static_cast<std::uint8_t>(value));
  cases.push_back({"every byte value up and down", everyValue});
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    ExpectRoundTrip(bytes);
  }
}

// Pixel (x, y) as each drawing call's documentation says it reads its bytes.
bool DrawnPixel(ByteLayout layout, const std::vector<std::uint8_t>& bytes, int width, int x,
                int y) {
  const std::size_t row = static_cast<std::size_t>(y * ((width + 7) / 8) + x / 8);
  switch (layout) {
    case ByteLayout::kXbm:  // drawXBM: leftmost pixel in bit 0
      return (bytes.at(row) >> (x % 8)) & 1;
    case ByteLayout::kRowsMsb:  // drawBitmap: leftmost pixel in bit 7
      return (bytes.at(row) >> (7 - x % 8)) & 1;
    case ByteLayout::kPages:  // display memory: a byte a column of 8 rows, top row in bit 0
      return (bytes.at(static_cast<std::size_t>(y / 8 * width + x)) >> (y % 8)) & 1;
  }
  return false;
}

// X11's own bitmaps (Debian: xbitmaps): in every layout, compressed or not,
// the header's bytes drawn by the layout's reading rule are the bitmap's
// pixels, and reading the header back gives them again.
TEST(RoundTrip, EveryX11BitmapInEveryLayoutDrawsItsPixels) {
  const std::filesystem::path folder = "/usr/include/X11/bitmaps";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no " << folder << " (xbitmaps)";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int width = std::stoi(text.substr(text.find("_width ") + 7));
    const int height = std::stoi(text.substr(text.find("_height ") + 8));
    std::vector<std::uint8_t> source;
    for (std::size_t at = text.find("0x", text.find('{')); at != std::string::npos;
         at = text.find("0x", at + 2)) {
      source.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(at + 2, 2), nullptr, 16)));
    }
    for (const ByteLayout layout : {ByteLayout::kXbm, ByteLayout::kRowsMsb, ByteLayout::kPages}) {
      for (const bool uncompressed : {false, true}) {
        SCOPED_TRACE(entry.path().string() + " " + std::to_string(static_cast<int>(layout)) +
                     (uncompressed ? " uncompressed" : ""));
        ConversionState state;
        MemorySurface window;
        state.SourceFileName = "img.xbm";
        state.SourceText = text;
        state.Choice = {layout, uncompressed};
        ConvertSourceText(state, window);
        const std::vector<std::string> items = ParseListing(state.CompressedText).items;
        const std::vector<std::uint8_t> bytes =
            uncompressed ? ListedBytes(items) : DecodeRuns(items);
        const std::vector<HeaderPicture> pictures =
            HeaderPictures(state.CompressedText, "img.h", state.Choice, BitmapSize{width, height});
        ASSERT_EQ(pictures.size(), 1u);
        // Pages are a byte a column of eight rows, rows a byte eight pixels.
        ASSERT_EQ(bytes.size(), layout == ByteLayout::kPages ? width * ((height + 7) / 8)
                                                             : (width + 7) / 8 * height);
        for (int y = 0; y < height; ++y) {
          for (int x = 0; x < width; ++x) {
            const bool pixel = DrawnPixel(ByteLayout::kXbm, source, width, x, y);
            ASSERT_EQ(DrawnPixel(layout, bytes, width, x, y), pixel) << x << ", " << y;
            ASSERT_EQ(DrawnPixel(ByteLayout::kXbm, pictures[0].xbm, width, x, y), pixel);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace lumivane::test
