// Every compressed listing must expand, with the display's decoder, back to
// exactly the bytes of the uncompressed one, and every item must fit the
// "const unsigned char" array it is written into.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "convert_source_text.h"
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

class SingleRun : public ::testing::TestWithParam<std::size_t> {};

TEST_P(SingleRun, OfZerosAndOfFullBytes) {
  for (const std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
    SCOPED_TRACE("byte " + std::to_string(value));
    ExpectRoundTrip(std::vector<std::uint8_t>(GetParam(), value));
  }
}

TEST_P(SingleRun, BetweenOtherBytes) {
  std::vector<std::uint8_t> bytes(GetParam(), 0x00);
  bytes.insert(bytes.begin(), 0x3C);
  bytes.push_back(0x81);
  ExpectRoundTrip(bytes);
}

INSTANTIATE_TEST_SUITE_P(Lengths, SingleRun,
                         ::testing::Values(1, 2, 255, 256, 257, 511, 512, 513, 32764),
                         ::testing::PrintToStringParamName());

TEST(RoundTrip, LongestListOfEitherRunByte) {
  ExpectRoundTrip(std::vector<std::uint8_t>(32766, 0x00));
  ExpectRoundTrip(std::vector<std::uint8_t>(32766, 0xFF));
}

TEST(RoundTrip, ZeroAndFullRunsTouchingEachOther) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t length = 1; length <= 300; length += 13) {
    bytes.insert(bytes.end(), length, 0x00);
    bytes.insert(bytes.end(), 301 - length, 0xFF);
  }
  ExpectRoundTrip(bytes);
}

TEST(RoundTrip, AlternatingSingleZeroAndFullBytes) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(i % 2 == 0 ? 0x00 : 0xFF);
  ExpectRoundTrip(bytes);
}

TEST(RoundTrip, EveryByteValueUpAndDown) {
  std::vector<std::uint8_t> bytes;
  for (int value = 0; value <= 255; ++value) bytes.push_back(static_cast<std::uint8_t>(value));
  for (int value = 255; value >= 0; --value) bytes.push_back(static_cast<std::uint8_t>(value));
  ExpectRoundTrip(bytes);
}

}  // namespace
}  // namespace lumivane::test
