// The round-trip checks are only as strict as the decoder: it must refuse
// every listing a display or a compiler would choke on.

#include "listing_decoder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace lumivane::test {
namespace {

const std::string kHead = "const unsigned char a[] U8X8_PROGMEM = {\r\n";

TEST(ListingDecoder, ReadsAWellFormedListing) {
  const ParsedListing listing = ParseListing(kHead + "0x00, 0x02, 0x3C\r\n};");
  EXPECT_EQ(listing.arrayName, "a");
  EXPECT_EQ(listing.items, (std::vector<std::string>{"00", "02", "3C"}));
  EXPECT_EQ(DecodeRuns(listing.items), (std::vector<std::uint8_t>{0, 0, 0, 0x3C}));
}

class MalformedListing : public ::testing::TestWithParam<std::string> {};

TEST_P(MalformedListing, IsRefused) {
  EXPECT_THROW(ParseListing(GetParam()), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, MalformedListing,
    ::testing::Values(kHead + "0x01, 0x02\r\n};\r\n", kHead + "0x01, 0x02\n};",
                      kHead + "0x01,0x02\r\n};", kHead + "0x3c\r\n};", kHead + "0x\r\n};",
                      kHead + "0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, "
                              "0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11\r\n};",
                      "const unsigned char a[] = {\r\n0x01\r\n};"));

TEST(ListingDecoder, RefusesItemsThatDoNotFitAByte) {
  EXPECT_THROW(DecodeRuns({"3C", "0100"}), std::invalid_argument);
  EXPECT_THROW(DecodeRuns({"00", "0100"}), std::invalid_argument);
}

TEST(ListingDecoder, RefusesARunByteWithoutItsCount) {
  EXPECT_THROW(DecodeRuns({"3C", "FF"}), std::invalid_argument);
}

}  // namespace
}  // namespace lumivane::test
