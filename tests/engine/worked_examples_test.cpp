#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "animation_table.h"
#include "convert_source_text.h"
#include "list_items.h"
#include "listing_decoder.h"
#include "memory_surface.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

std::vector<std::uint8_t> CountingBytes(std::uint8_t from, std::uint8_t to) {
  std::vector<std::uint8_t> bytes;
  for (int i = from; i <= to; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
  return bytes;
}

std::vector<std::uint8_t> Joined(std::vector<std::uint8_t> head,
                                 const std::vector<std::uint8_t>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// A listing's lines as the window lists them: the declaration, then each
// item read back by the test's own parser, behind `prefix`.
std::vector<std::string> ListOf(const std::string& listing, const std::string& prefix) {
  std::vector<std::string> all{listing.substr(0, listing.find("{\r\n") + 3)};
  for (const std::string& item : ParseListing(listing).items) all.push_back(prefix + item);
  return all;
}

const std::string kCounting16 =
    "0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, "
    "0x10";

// Both listings and the statistics of texts worked through by hand. Every
// row starts from the statistics of an earlier conversion.
TEST(WorkedExample, ListingsAndStatistics) {
  const std::string kN = "const unsigned char n[] U8X8_PROGMEM = {\r\n";
  const std::string kT = "const unsigned char t[] U8X8_PROGMEM = {\r\n";
  const struct {
    const char* fileName;
    std::string text;
    std::string plain;
    std::string compressed;
    std::int32_t byteCount, runCount, economized;
    std::int16_t rate;
  } rows[] = {
      {"tiny.xbm",
       "#define tiny_width 8\n#define tiny_height 2\n"
       "static unsigned char tiny_bits[] = {\n   0x00, 0x3c };\n",
       "const unsigned char tiny[] U8X8_PROGMEM = {\r\n0x00, 0x3C\r\n};",
       "const unsigned char tiny[] U8X8_PROGMEM = {\r\n0x00, 0x00, 0x3C\r\n};", 2, 1, -1, -50},
      {"t.xbm",
       XbmText("t", {0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0xFF, 0xFF, 0x7E, 0x00, 0x01, 0x02, 0x03,
                     0x04, 0x05, 0x06, 0x07, 0x08}),
       kT + "0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0xFF, 0xFF, 0x7E, 0x00, "
            "0x01, 0x02, 0x03, 0x04, 0x05, 0x06, \r\n0x07, 0x08\r\n};",
       kT + "0x00, 0x04, 0x3C, 0xFF, 0x01, 0x7E, 0x00, 0x00, 0x01, "
            "0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08\r\n};",
       18, 3, 2, 11},
      // The seventeenth literal starts a second line; sixteen fill one
      // without a separator at its end.
      {"n.xbm", XbmText("n", CountingBytes(1, 17)), kN + kCounting16 + ", \r\n0x11\r\n};",
       kN + kCounting16 + ", \r\n0x11\r\n};", 17, 0, 0, 0},
      {"n.xbm", XbmText("n", CountingBytes(1, 16)), kN + kCounting16 + "\r\n};",
       kN + kCounting16 + "\r\n};", 16, 0, 0, 0},
      // Seventeen encoded items break after the sixteenth.
      {"n.xbm", XbmText("n", Joined({0x00, 0x00}, CountingBytes(1, 15))),
       kN + "0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, "
            "0x0D, 0x0E, \r\n0x0F\r\n};",
       kN + "0x00, 0x01, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, "
            "0x0D, 0x0E, \r\n0x0F\r\n};",
       17, 1, 0, 0},
      // No literals: empty listings, and the rate is left as it was.
      {"logo.small.xbm", "#define logo_width 100\n",
       "const unsigned char logo[] U8X8_PROGMEM = {\r\n\r\n};",
       "const unsigned char logo[] U8X8_PROGMEM = {\r\n\r\n};", 0, 0, 0, 42},
      {".xbm", "0x00", "const unsigned char [] U8X8_PROGMEM = {\r\n0x00\r\n};",
       "const unsigned char [] U8X8_PROGMEM = {\r\n0x00, 0x00\r\n};", 1, 1, -1, -100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fileName + (": " + row.plain));
    ConversionState state;
    MemorySurface window;
    state.CompressionRate = 42;
    state.RunCount = 7;
    state.BytesEconomized = 8;
    state.EconomizedTotal = 9;
    state.SourceFileName = row.fileName;
    state.SourceText = row.text;
    ConvertSourceText(state, window);

    EXPECT_EQ(state.SourceText, row.plain);
    EXPECT_EQ(window.Text1(), row.plain);
    EXPECT_EQ(state.CompressedText, row.compressed);
    EXPECT_EQ(ListItems(window.List1()), ListOf(row.plain, ""));
    EXPECT_EQ(ListItems(window.List2()), ListOf(row.compressed, "0x"));
    EXPECT_EQ(state.ByteCount, row.byteCount);
    EXPECT_EQ(state.RunCount, row.runCount);
    EXPECT_EQ(state.BytesEconomized, row.economized);
    EXPECT_EQ(state.EconomizedTotal, row.economized);
    EXPECT_EQ(state.CompressionRate, row.rate);
  }
}

TEST(AnimationTable, ListsTheFramesTheirCountAndDelays) {
  const std::vector<std::string> frames{"cat_0", "cat_1", "cat_2"};
  const std::vector<int> delays{100, 0, 650000};
  EXPECT_EQ(AnimationTable("cat", frames, delays),
            "const unsigned char* const cat_frames[] U8X8_PROGMEM = {cat_0, cat_1, cat_2};\r\n"
            "const unsigned int cat_frame_count = 3;\r\n"
            "const unsigned long cat_frame_delay_ms[] U8X8_PROGMEM = {100, 0, 650000};\r\n"
            "const unsigned int cat_frame_sizes[] U8X8_PROGMEM = "
            "{sizeof cat_0, sizeof cat_1, sizeof cat_2};\r\n");
}

struct EncodingCase {
  const char* name;
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> encoded;
  std::int32_t runCount;
  std::int32_t bytesEconomized;
  std::int16_t compressionRate;
  // A layout or the plain listing, and a source other than `bytes` in rows of 8.
  ConversionChoice choice = {};
  std::string text = {};
};

std::vector<std::uint8_t> Repeated(std::size_t count, std::uint8_t value,
                                   std::vector<std::uint8_t> tail = {}) {
  std::vector<std::uint8_t> bytes(count, value);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

std::string CrLf(const std::string& text) {
  std::string crLf;
  for (const char c : text) crLf.append(c == '\n' ? "\r\n" : std::string(1, c));
  return crLf;
}

TEST(Encoding, GivesItemsAndStatistics) {
  const EncodingCase cases[] = {
      {"NoRunsPassThrough", {0x01, 0x02, 0x03}, {"0x01", "0x02", "0x03"}, 0, 0, 0},
      {"LoneZeroCostsOneItem", {0x3C, 0x00, 0x3C}, {"0x3C", "0x00", "0x00", "0x3C"}, 1, -1, -33},
      {"TwoLoneZerosRateMinus50",
       {0x00, 0x3C, 0x00, 0x3C},
       {"0x00", "0x00", "0x3C", "0x00", "0x00", "0x3C"},
       2,
       -2,
       -50},
      {"RunEndsAtEndOfList", {0x3C, 0x00, 0x00}, {"0x3C", "0x00", "0x01"}, 1, 0, 0},
      {"ZerosThenFullBytesAreTwoRuns",
       {0x00, 0x00, 0xFF, 0xFF, 0xFF},
       {"0x00", "0x01", "0xFF", "0x02"},
       2,
       1,
       20},
      {"HalfRoundsDownToEven", Repeated(7, 0x00, {0x3C}), {"0x00", "0x06", "0x3C"}, 1, 5, 62},
      {"HalfRoundsUpToEven",
       Repeated(5, 0x00, {0x3C, 0x3C, 0x3C}),
       {"0x00", "0x04", "0x3C", "0x3C", "0x3C"},
       1,
       3,
       38},
      {"NegativeHalfRoundsToEven",
       {0x00, 0x3C, 0x00, 0x3C, 0x00, 0x3C, 0x3C, 0x3C},
       {"0x00", "0x00", "0x3C", "0x00", "0x00", "0x3C", "0x00", "0x00", "0x3C", "0x3C", "0x3C"},
       3,
       -3,
       -38},
      {"Run255", Repeated(255, 0xFF), {"0xFF", "0xFE"}, 1, 253, 99},
      {"Run256FillsOneCount", Repeated(256, 0x00), {"0x00", "0xFF"}, 1, 254, 99},
      {"Run257IsCutAfter256", Repeated(257, 0x00), {"0x00", "0xFF", "0x00", "0x00"}, 2, 253, 98},
      {"Run600IsCutTwice",
       Repeated(600, 0x00),
       {"0x00", "0xFF", "0x00", "0xFF", "0x00", "0x57"},
       3,
       594,
       99},
      {"CutRunThenOtherRunByte",
       Repeated(257, 0xFF, {0x00}),
       {"0xFF", "0xFF", "0xFF", "0x00", "0x00", "0x00"},
       3,
       252,
       98},
      // X10: low byte first; a 20-pixel row drops its last literal's high byte.
      {"X10PaddedRowsDropTheirLastHighByte",
       {},
       {"0xFF", "0x00", "0x00", "0x00", "0x34", "0xCD", "0xAB", "0x78"},
       2,
       -2,
       -33,
       {},
       "#define e_width 20\n#define e_height 2\nstatic short e_bits[] = {\n"
       "   0x00ff, 0x1234, 0xabcd, 0x5678};\n"},
      {"X10FullRowsKeepBothBytes",
       {},
       {"0x0F", "0xF0", "0x01", "0x80"},
       0,
       0,
       0,
       {},
       "#define e_width 16\n#define e_height 2\nstatic short e_bits[] = {\n"
       "   0xf00f, 0x8001};\n"},
      // Eight pixels past a multiple of 16 fill only the low byte; nine both.
      {"X10EightPixelRowsKeepOnlyTheLowByte",
       {},
       {"0xFF", "0x00", "0x34"},
       1,
       -1,
       -50,
       {},
       "#define e_width 8\n#define e_height 2\nstatic short e_bits[] = {\n   0x00ff, 0x1234};\n"},
      {"X10NinePixelsPastSixteenKeepBothBytes",
       {},
       {"0x0F", "0x0F", "0x01", "0x80"},
       0,
       0,
       0,
       {},
       "#define e_width 25\n#define e_height 1\nstatic short e_bits[] = {\n   0x0f0f, 0x8001};\n"},
      // 10 x 2 pixels: (0,0), (9,0) and (7,1) set.
      {"RowsMsbPutTheLeftmostPixelInBit7",
       {},
       {"0x80", "0x40", "0x01", "0x00", "0x00"},
       1,
       -1,
       -25,
       {ByteLayout::kRowsMsb},
       XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2})},
      {"PagesGiveOneByteAColumn",
       {},
       {"0x01", "0x00", "0x05", "0x02", "0x00", "0x00", "0x01"},
       2,
       3,
       30,
       {ByteLayout::kPages},
       XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2})},
      {"PagesFromACrLfSource",
       {},
       {"0x01", "0x00", "0x05", "0x02", "0x00", "0x00", "0x01"},
       2,
       3,
       30,
       {ByteLayout::kPages},
       CrLf(XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2}))},
      {"UncompressedListsEveryByte",
       {},
       {"0x80", "0x40", "0x01", "0x00"},
       0,
       0,
       0,
       {ByteLayout::kRowsMsb, true},
       XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2})}};
  for (const EncodingCase& example : cases) {
    SCOPED_TRACE(example.name);
    ConversionState state;
    MemorySurface window;
    state.CompressionRate = 99;
    state.SourceFileName = "e.xbm";
    state.SourceText = example.text.empty() ? XbmText("e", example.bytes) : example.text;
    state.Choice = example.choice;
    ConvertSourceText(state, window);

    std::string listing = "const unsigned char e[] U8X8_PROGMEM = {\r\n";
    for (const std::string& item : example.encoded) {
      listing.append(item).append(&item == &example.encoded.back() ? "" : ", ");
    }
    EXPECT_EQ(state.CompressedText, listing + "\r\n};");
    EXPECT_EQ(state.RunCount, example.runCount);
    EXPECT_EQ(state.BytesEconomized, example.bytesEconomized);
    EXPECT_EQ(state.EconomizedTotal, example.bytesEconomized);
    EXPECT_EQ(state.CompressionRate, example.compressionRate);
  }
}

}  // namespace
}  // namespace lumivane::test
