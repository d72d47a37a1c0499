#include "hex_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivane::test {
namespace {

TEST(NormalizeHexByte, WritesUpperCaseWithAtLeastTwoDigits) {
  struct Hex {
    std::string piece;
    std::string byteText;
  };
  const Hex rows[] = {
      // One and two digits always come out as two upper-case digits.
      Hex{"0", "00"}, Hex{"5", "05"}, Hex{"a", "0A"}, Hex{"3c", "3C"}, Hex{"ff", "FF"},
      Hex{"Ff", "FF"}, Hex{"00", "00"}, Hex{"10", "10"},
      // What follows the number in a real listing ends it.
      Hex{"ff, ", "FF"}, Hex{"00 };\n", "00"}, Hex{"3c,\n   ", "3C"},
      // Blanks, tabs and line feeds inside the number are skipped; a CR is not.
      Hex{"f f", "FF"}, Hex{"f\tf", "FF"}, Hex{"f\nf", "FF"}, Hex{" \t\n7e", "7E"},
      Hex{"f\r\nf", "0F"}, Hex{"1g2", "01"},
      // No digit at all reads as zero.
      Hex{"", "00"}, Hex{",", "00"}, Hex{" ", "00"}, Hex{"_width 8", "00"}, Hex{"\r\n", "00"},
      Hex{std::string("\0"
                      "1",
                      2),
          "00"},
      Hex{"\xC3\xA9", "00"},
      Hex{"f\x80"
          "f",
          "0F"},
      // Longer numbers keep all their digits, without leading zeros; the
      // first number above a byte is the first of them.
      Hex{"0ff", "FF"}, Hex{"100", "100"}, Hex{"123", "123"}, Hex{"7fff", "7FFF"},
      Hex{"8000", "8000"}, Hex{"0abc", "ABC"}, Hex{"12345", "12345"}, Hex{"000000001", "01"},
      Hex{"100000000", "100000000"}, Hex{"1000000ff", "1000000FF"}, Hex{"fffffffff", "FFFFFFFFF"},
      Hex{"1 0000 0000", "100000000"}};
  for (const auto& row : rows) {
    EXPECT_EQ(NormalizeHexByte(row.piece), row.byteText) << ::testing::PrintToString(row.piece);
  }
}

}  // namespace
}  // namespace lumivane::test
