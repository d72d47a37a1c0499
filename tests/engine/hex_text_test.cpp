#include "hex_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivane::test {
namespace {

struct HexCase {
  std::string piece;
  std::string byteText;
};

void PrintTo(const HexCase& hex, std::ostream* out) {
  *out << ::testing::PrintToString(hex.piece);
}

class NormalizeHexByteCase : public ::testing::TestWithParam<HexCase> {};

TEST_P(NormalizeHexByteCase, WritesUpperCaseWithAtLeastTwoDigits) {
  EXPECT_EQ(NormalizeHexByte(GetParam().piece), GetParam().byteText);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, NormalizeHexByteCase,
    ::testing::Values(
        // One and two digits always come out as two upper-case digits.
        HexCase{"0", "00"}, HexCase{"5", "05"}, HexCase{"a", "0A"}, HexCase{"3c", "3C"},
        HexCase{"ff", "FF"}, HexCase{"Ff", "FF"}, HexCase{"00", "00"}, HexCase{"10", "10"},
        // What follows the number in a real listing ends it.
        HexCase{"ff, ", "FF"}, HexCase{"00 };\n", "00"}, HexCase{"3c,\n   ", "3C"},
        // Blanks, tabs and line feeds inside the number are skipped; a CR is not.
        HexCase{"f f", "FF"}, HexCase{"f\tf", "FF"}, HexCase{"f\nf", "FF"},
        HexCase{" \t\n7e", "7E"}, HexCase{"f\r\nf", "0F"}, HexCase{"1g2", "01"},
        // No digit at all reads as zero.
        HexCase{"", "00"}, HexCase{",", "00"}, HexCase{" ", "00"}, HexCase{"_width 8", "00"},
        HexCase{"\r\n", "00"},
        HexCase{std::string("\0"
                            "1",
                            2),
                "00"},
        HexCase{"\xC3\xA9", "00"},
        HexCase{"f\x80"
                "f",
                "0F"},
        // Longer numbers keep all their digits, without leading zeros; the
        // first number above a byte is the first of them.
        HexCase{"0ff", "FF"}, HexCase{"100", "100"}, HexCase{"123", "123"}, HexCase{"7fff", "7FFF"},
        HexCase{"8000", "8000"}, HexCase{"0abc", "ABC"}, HexCase{"12345", "12345"},
        HexCase{"000000001", "01"}, HexCase{"100000000", "100000000"},
        HexCase{"1000000ff", "1000000FF"}, HexCase{"fffffffff", "FFFFFFFFF"},
        HexCase{"1 0000 0000", "100000000"}));

}  // namespace
}  // namespace lumivane::test
