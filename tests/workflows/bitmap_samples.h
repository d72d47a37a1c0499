#pragma once

#include <string>
#include <string_view>

// Source texts with their expected listings and report lines, worked out by
// hand from the run-length rules rather than by running the converter.
namespace lumivane::test {

// Bytes 00 00 00 00 00 3C FF FF 7E 00 01 02 03 04 05 06 07 08.
inline constexpr std::string_view kRunsBitmap =
    "#define t_width 16\n#define t_height 9\nstatic unsigned char t_bits[] = {\n"
    "   0x00, 0x00, 0x00, 0x00, 0x00, 0x3c, 0xff, 0xff, 0x7e, 0x00, 0x01, 0x02,\n"
    "   0x03, 0x04, 0x05, 0x06, 0x07, 0x08 };\n";

// Bytes FF FF FF 3C.
inline constexpr std::string_view kSmallBitmap =
    "#define s_width 16\n#define s_height 2\nstatic unsigned char s_bits[] = {\n"
    "   0xff, 0xFF, 0xff, 0x3c };\n";

// Neither "00" nor "FF" anywhere: nothing to compress, its bytes listed as they are.
inline constexpr std::string_view kPlainBitmap =
    "#define p_width 8\n#define p_height 2\nstatic unsigned char p_bits[] = {\n"
    "   0x01, 0x7e };\n";

inline constexpr std::string_view kNothingToCompressLine = "NOTHING TO COMPRESS\r\n";

inline std::string Declaration(std::string_view arrayName) {
  return "const unsigned char " + std::string(arrayName) + "[] U8X8_PROGMEM = {\r\n";
}

inline std::string RunsListing(std::string_view arrayName) {
  return Declaration(arrayName) +
         "0x00, 0x04, 0x3C, 0xFF, 0x01, 0x7E, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, "
         "0x07, 0x08\r\n};";
}

inline std::string RunsUncompressedListing(std::string_view arrayName) {
  return Declaration(arrayName) +
         "0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0xFF, 0xFF, 0x7E, 0x00, 0x01, 0x02, 0x03, 0x04, "
         "0x05, 0x06, \r\n0x07, 0x08\r\n};";
}

inline std::string PlainListing(std::string_view arrayName) {
  return Declaration(arrayName) + "0x01, 0x7E\r\n};";
}

inline std::string SmallListing(std::string_view arrayName) {
  return Declaration(arrayName) + "0xFF, 0x02, 0x3C\r\n};";
}

// The report name padded to its 18 columns.
inline std::string Padded(std::string_view reportName) {
  return std::string(reportName) + std::string(18 - reportName.size(), ' ');
}

inline std::string RunsReport(std::string_view reportName) {
  return Padded(reportName) +
         "18 uncompressed bytes, \t2 bytes economized, \tcompression rate = 11%\r\n";
}

inline std::string SmallReport(std::string_view reportName) {
  return Padded(reportName) +
         "4 uncompressed bytes, \t1 bytes economized, \tcompression rate = 25%\r\n";
}

}  // namespace lumivane::test
