#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "animation_table.h"
#include "convert_source_text.h"
#include "list_items.h"
#include "memory_surface.h"
#include "sample_bytes.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

std::vector<std::uint8_t> CountingBytes(int count) {
  std::vector<std::uint8_t> bytes;
  for (int i = 1; i <= count; ++i) bytes.push_back(static_cast<std::uint8_t>(i));
  return bytes;
}

std::vector<std::string> WithDeclaration(std::string_view declaration,
                                         const std::vector<std::string>& items) {
  std::vector<std::string> all{std::string(declaration)};
  all.insert(all.end(), items.begin(), items.end());
  return all;
}

class WorkedExample : public ::testing::Test {
 protected:
  void Convert(const std::string& fileName, const std::string& text) {
    state.SourceFileName = fileName;
    state.SourceText = text;
    ConvertSourceText(state, window);
  }

  ConversionState state;
  MemorySurface window;
};

TEST_F(WorkedExample, TinyListsTwoBytesOnThreeLines) {
  Convert("tiny.xbm",
          "#define tiny_width 8\n#define tiny_height 2\n"
          "static unsigned char tiny_bits[] = {\n   0x00, 0x3c };\n");

  const std::string declaration = "const unsigned char tiny[] U8X8_PROGMEM = {\r\n";
  EXPECT_EQ(state.ByteCount, 2);
  EXPECT_EQ(ListItems(window.List1()), WithDeclaration(declaration, {"00", "3C"}));
  EXPECT_EQ(state.SourceText, declaration + "0x00, 0x3C\r\n};");
  EXPECT_EQ(window.Text1(), state.SourceText);
  EXPECT_EQ(state.CompressedText, declaration + "0x00, 0x00, 0x3C\r\n};");
}

TEST_F(WorkedExample, EighteenLiteralsWithThreeRuns) {
  const std::vector<std::uint8_t> bytes = {0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0xFF, 0xFF, 0x7E,
                                           0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
  state.CompressionRate = -77;
  Convert("t.xbm", XbmText("t", bytes));

  const std::string declaration = "const unsigned char t[] U8X8_PROGMEM = {\r\n";
  EXPECT_EQ(state.ByteCount, 18);
  EXPECT_EQ(ListItems(window.List1()), WithDeclaration(declaration, ByteTexts(bytes)));
  EXPECT_EQ(state.SourceText, declaration +
                                  "0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0xFF, 0xFF, 0x7E, 0x00, "
                                  "0x01, 0x02, 0x03, 0x04, 0x05, 0x06, \r\n"
                                  "0x07, 0x08\r\n};");
  EXPECT_EQ(window.Text1(), state.SourceText);

  EXPECT_EQ(ListItems(window.List2()),
            WithDeclaration(declaration,
                            {"0x00", "0x04", "0x3C", "0xFF", "0x01", "0x7E", "0x00", "0x00", "0x01",
                             "0x02", "0x03", "0x04", "0x05", "0x06", "0x07", "0x08"}));
  EXPECT_EQ(state.CompressedText, declaration +
                                      "0x00, 0x04, 0x3C, 0xFF, 0x01, 0x7E, 0x00, 0x00, 0x01, "
                                      "0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08\r\n};");
  EXPECT_EQ(state.RunCount, 3);
  EXPECT_EQ(state.BytesEconomized, 2);
  EXPECT_EQ(state.EconomizedTotal, 2);
  EXPECT_EQ(state.CompressionRate, 11);
}

TEST_F(WorkedExample, SeventeenthLiteralStartsASecondLine) {
  Convert("n.xbm", XbmText("n", CountingBytes(17)));

  EXPECT_EQ(state.SourceText,
            "const unsigned char n[] U8X8_PROGMEM = {\r\n"
            "0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, "
            "0x0F, 0x10, \r\n"
            "0x11\r\n};");
  EXPECT_EQ(state.CompressedText, state.SourceText);
}

TEST_F(WorkedExample, SixteenLiteralsFillOneLineWithoutSeparator) {
  Convert("n.xbm", XbmText("n", CountingBytes(16)));

  EXPECT_EQ(state.SourceText,
            "const unsigned char n[] U8X8_PROGMEM = {\r\n"
            "0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, "
            "0x0F, 0x10\r\n};");
}

TEST_F(WorkedExample, SeventeenEncodedItemsBreakAfterTheSixteenth) {
  std::vector<std::uint8_t> bytes = {0x00, 0x00};
  for (std::uint8_t value = 1; value <= 15; ++value) bytes.push_back(value);
  Convert("n.xbm", XbmText("n", bytes));

  EXPECT_EQ(state.CompressedText,
            "const unsigned char n[] U8X8_PROGMEM = {\r\n"
            "0x00, 0x01, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, "
            "0x0D, 0x0E, \r\n"
            "0x0F\r\n};");
}

TEST_F(WorkedExample, TextWithoutLiteralsGivesEmptyListings) {
  state.CompressionRate = 42;
  state.RunCount = 7;
  state.BytesEconomized = 8;
  state.EconomizedTotal = 9;
  Convert("logo.small.xbm", "#define logo_width 100\n");

  const std::string declaration = "const unsigned char logo[] U8X8_PROGMEM = {\r\n";
  EXPECT_EQ(state.ByteCount, 0);
  EXPECT_EQ(ListItems(window.List1()), std::vector<std::string>{declaration});
  EXPECT_EQ(ListItems(window.List2()), std::vector<std::string>{declaration});
  EXPECT_EQ(state.SourceText, declaration + "\r\n};");
  EXPECT_EQ(window.Text1(), state.SourceText);
  EXPECT_EQ(state.CompressedText, declaration + "\r\n};");
  EXPECT_EQ(state.RunCount, 0);
  EXPECT_EQ(state.BytesEconomized, 0);
  EXPECT_EQ(state.EconomizedTotal, 0);
  EXPECT_EQ(state.CompressionRate, 42);
}

TEST_F(WorkedExample, DotFirstNameGivesEmptyArrayName) {
  Convert(".xbm", "0x00");

  EXPECT_EQ(state.SourceText, "const unsigned char [] U8X8_PROGMEM = {\r\n0x00\r\n};");
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

void PrintTo(const EncodingCase& encoding, std::ostream* out) {
  *out << encoding.name;
}

std::vector<std::uint8_t> Repeated(std::size_t count, std::uint8_t value,
                                   std::vector<std::uint8_t> tail = {}) {
  std::vector<std::uint8_t> bytes(count, value);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, GivesItemsAndStatistics) {
  const EncodingCase& example = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Runs, Encoding,
    ::testing::Values(
        EncodingCase{"NoRunsPassThrough", {0x01, 0x02, 0x03}, {"0x01", "0x02", "0x03"}, 0, 0, 0},
        EncodingCase{"LoneZeroCostsOneItem",
                     {0x3C, 0x00, 0x3C},
                     {"0x3C", "0x00", "0x00", "0x3C"},
                     1,
                     -1,
                     -33},
        EncodingCase{"TwoLoneZerosRateMinus50",
                     {0x00, 0x3C, 0x00, 0x3C},
                     {"0x00", "0x00", "0x3C", "0x00", "0x00", "0x3C"},
                     2,
                     -2,
                     -50},
        EncodingCase{"RunEndsAtEndOfList", {0x3C, 0x00, 0x00}, {"0x3C", "0x00", "0x01"}, 1, 0, 0},
        EncodingCase{"ZerosThenFullBytesAreTwoRuns",
                     {0x00, 0x00, 0xFF, 0xFF, 0xFF},
                     {"0x00", "0x01", "0xFF", "0x02"},
                     2,
                     1,
                     20},
        EncodingCase{
            "HalfRoundsDownToEven", Repeated(7, 0x00, {0x3C}), {"0x00", "0x06", "0x3C"}, 1, 5, 62},
        EncodingCase{"HalfRoundsUpToEven",
                     Repeated(5, 0x00, {0x3C, 0x3C, 0x3C}),
                     {"0x00", "0x04", "0x3C", "0x3C", "0x3C"},
                     1,
                     3,
                     38},
        EncodingCase{"NegativeHalfRoundsToEven",
                     {0x00, 0x3C, 0x00, 0x3C, 0x00, 0x3C, 0x3C, 0x3C},
                     {"0x00", "0x00", "0x3C", "0x00", "0x00", "0x3C", "0x00", "0x00", "0x3C",
                      "0x3C", "0x3C"},
                     3,
                     -3,
                     -38},
        EncodingCase{"Run255", Repeated(255, 0xFF), {"0xFF", "0xFE"}, 1, 253, 99},
        EncodingCase{"Run256FillsOneCount", Repeated(256, 0x00), {"0x00", "0xFF"}, 1, 254, 99},
        EncodingCase{"Run257IsCutAfter256",
                     Repeated(257, 0x00),
                     {"0x00", "0xFF", "0x00", "0x00"},
                     2,
                     253,
                     98},
        EncodingCase{"Run600IsCutTwice",
                     Repeated(600, 0x00),
                     {"0x00", "0xFF", "0x00", "0xFF", "0x00", "0x57"},
                     3,
                     594,
                     99},
        EncodingCase{"CutRunThenOtherRunByte",
                     Repeated(257, 0xFF, {0x00}),
                     {"0xFF", "0xFF", "0xFF", "0x00", "0x00", "0x00"},
                     3,
                     252,
                     98},
        // X10: low byte first; a 20-pixel row drops its last literal's high byte.
        EncodingCase{"X10PaddedRowsDropTheirLastHighByte",
                     {},
                     {"0xFF", "0x00", "0x00", "0x00", "0x34", "0xCD", "0xAB", "0x78"},
                     2,
                     -2,
                     -33,
                     {},
                     "#define e_width 20\n#define e_height 2\nstatic short e_bits[] = {\n"
                     "   0x00ff, 0x1234, 0xabcd, 0x5678};\n"},
        EncodingCase{"X10FullRowsKeepBothBytes",
                     {},
                     {"0x0F", "0xF0", "0x01", "0x80"},
                     0,
                     0,
                     0,
                     {},
                     "#define e_width 16\n#define e_height 2\nstatic short e_bits[] = {\n"
                     "   0xf00f, 0x8001};\n"},
        // 10 x 2 pixels: (0,0), (9,0) and (7,1) set.
        EncodingCase{"RowsMsbPutTheLeftmostPixelInBit7",
                     {},
                     {"0x80", "0x40", "0x01", "0x00", "0x00"},
                     1,
                     -1,
                     -25,
                     {ByteLayout::kRowsMsb},
                     XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2})},
        EncodingCase{"PagesGiveOneByteAColumn",
                     {},
                     {"0x01", "0x00", "0x05", "0x02", "0x00", "0x00", "0x01"},
                     2,
                     3,
                     30,
                     {ByteLayout::kPages},
                     XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2})},
        EncodingCase{"UncompressedListsEveryByte",
                     {},
                     {"0x80", "0x40", "0x01", "0x00"},
                     0,
                     0,
                     0,
                     {ByteLayout::kRowsMsb, true},
                     XbmText("e", {0x01, 0x02, 0x80, 0x00}, {10, 2})}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumivane::test
