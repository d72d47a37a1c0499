#include <gtest/gtest.h>

#include <random>
#include <string>

#include "decoder_support.h"
#include "lumivane_decode.h"

namespace lumivane::test {
namespace {

long DecodeGuarded(const Bytes& encoded, unsigned char* out, std::size_t outSize) {
  GuardedSource source(encoded);
  const long result =
      lumivane_decode_with(GuardedSource::Read, source.data(), source.size(), out, outSize);
  EXPECT_FALSE(source.StrayRead()) << "read outside the compressed array";
  return result;
}

// Decodes into a buffer of `outSize` bytes and checks nothing was written
// behind it.
long DecodeInto(const Bytes& encoded, std::size_t outSize, Bytes& out) {
  GuardedBuffer buffer(outSize);
  const long result = DecodeGuarded(encoded, buffer.data(), outSize);
  EXPECT_FALSE(buffer.Overrun()) << "write past the buffer";
  out = buffer.Contents();
  return result;
}

void ExpectRoundTrip(const Bytes& bytes) {
  const Bytes encoded = EncodeWithEngine(bytes);
  Bytes decoded;
  ASSERT_EQ(DecodeInto(encoded, bytes.size(), decoded), static_cast<long>(bytes.size()));
  EXPECT_EQ(decoded, bytes);
  if (!bytes.empty()) {
    EXPECT_EQ(DecodeInto(encoded, bytes.size() - 1, decoded), LUMIVANE_DECODE_OUTPUT_FULL);
  }
}

struct RoundTripCase {
  const char* name;
  Bytes bytes;
};

class DecoderRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(DecoderRoundTrip, GivesBackTheBytesTheEngineEncoded) {
  ExpectRoundTrip(GetParam().bytes);
}

std::vector<RoundTripCase> EdgeCases() {
  std::vector<RoundTripCase> cases = {
      {"Empty", {}},
      {"NoRuns", {0x3C, 0x7E, 0x01}},
      {"ZerosThenFulls", Concat({Run(2, 0x00), Run(3, 0xFF)})},
      {"Alternating", {0x00, 0xFF, 0x00, 0xFF, 0x00}},
      {"RunAtTheEnd", {0x3C, 0x00, 0x00}},
      {"LoneRunBytesBetweenOthers", {0x00, 0x3C, 0xFF, 0x3C, 0x00}},
  };
  for (const std::size_t length : {1, 255, 256, 257, 512, 32766}) {
    for (const unsigned char value : {0x00, 0xFF}) {
      cases.push_back({value == 0 ? "Zeros" : "Fulls", Run(length, value)});
      // Framed, the longest run would pass the 32,766 bytes a source may hold.
      if (length + 2 > 32766) continue;
      cases.push_back({value == 0 ? "FramedZeros" : "FramedFulls",
                       Concat({{0x81}, Run(length, value), {0x18}})});
    }
  }
  cases.push_back({"LongZerosThenLongFulls", Concat({Run(600, 0x00), Run(600, 0xFF)})});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, DecoderRoundTrip, ::testing::ValuesIn(EdgeCases()),
                         [](const auto& info) {
                           return info.param.name + std::to_string(info.param.bytes.size()) + "_" +
                                  std::to_string(info.index);
                         });

// Bitmaps are mostly blank or solid: bytes drawn in runs of random length,
// half of them 0x00 or 0xFF.
Bytes RandomBitmap(std::mt19937& random, std::size_t length) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> runLength(1, 300);
  std::uniform_int_distribution<int> kind(0, 3);
  Bytes bytes;
  while (bytes.size() < length) {
    const int k = kind(random);
    const unsigned char value = k == 0   ? 0x00
                                : k == 1 ? 0xFF
                                         : static_cast<unsigned char>(byte(random));
    const std::size_t count = k < 2 ? static_cast<std::size_t>(runLength(random)) : 1;
    bytes.insert(bytes.end(), std::min(count, length - bytes.size()), value);
  }
  return bytes;
}

TEST(DecoderRandom, GivesBackRandomBitmapsOfEveryLengthUpTo1000) {
  std::mt19937 random(20261207);
  for (std::size_t length = 0; length <= 1000; ++length) {
    SCOPED_TRACE(length);
    ExpectRoundTrip(RandomBitmap(random, length));
    if (HasFailure()) return;
  }
}

struct MalformedCase {
  const char* name;
  Bytes encoded;
  std::size_t outSize;
  long expected;
};

class DecoderRefuses : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(DecoderRefuses, WithoutReadingOrWritingPastTheEnd) {
  Bytes out;
  EXPECT_EQ(DecodeInto(GetParam().encoded, GetParam().outSize, out), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecoderRefuses,
    ::testing::Values(
        MalformedCase{"LoneZero", {0x00}, 16, LUMIVANE_DECODE_MALFORMED},
        MalformedCase{"LoneFull", {0xFF}, 16, LUMIVANE_DECODE_MALFORMED},
        MalformedCase{
            "CountMissingAtTheEnd", {0x3C, 0x00, 0x01, 0xFF}, 16, LUMIVANE_DECODE_MALFORMED},
        MalformedCase{"RunLongerThanTheBuffer", {0x00, 0x05}, 5, LUMIVANE_DECODE_OUTPUT_FULL},
        MalformedCase{"RunFillsTheBufferExactly", {0x00, 0x05}, 6, 6},
        MalformedCase{"LiteralIntoNoRoom", {0x3C}, 0, LUMIVANE_DECODE_OUTPUT_FULL},
        MalformedCase{"LongestRunIntoNoRoom", {0xFF, 0xFF}, 255, LUMIVANE_DECODE_OUTPUT_FULL},
        MalformedCase{"NothingIntoNoRoom", {}, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecoderRefuses, KeepsTheBytesBeforeTheItemThatDidNotFit) {
  Bytes out;
  ASSERT_EQ(DecodeInto({0x3C, 0x7E, 0x00, 0x03}, 3, out), LUMIVANE_DECODE_OUTPUT_FULL);
  EXPECT_EQ(out[0], 0x3C);
  EXPECT_EQ(out[1], 0x7E);
}

TEST(DecoderRam, ReadsOrdinaryMemoryWithoutAReader) {
  const unsigned char encoded[] = {0x3C, 0x00, 0x02, 0xFF, 0x00};
  unsigned char out[8] = {};
  ASSERT_EQ(lumivane_decode(encoded, sizeof encoded, out, sizeof out), 5);
  EXPECT_EQ(Bytes(out, out + 5), (Bytes{0x3C, 0x00, 0x00, 0x00, 0xFF}));
}

}  // namespace
}  // namespace lumivane::test
