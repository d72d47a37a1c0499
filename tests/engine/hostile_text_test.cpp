// Source texts are whatever a file held: the conversion must never crash or
// read past the text, and must refuse what it cannot list with an AppError.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app_error.h"
#include "convert_and_report.h"
#include "convert_source_text.h"
#include "error_number.h"
#include "list_items.h"
#include "listing_decoder.h"
#include "memory_surface.h"

namespace lumivane::test {
namespace {

std::vector<std::string> ListedByteTexts(MemorySurface& window) {
  std::vector<std::string> items = ListItems(window.List1());
  items.erase(items.begin());
  return items;
}

int ErrorNumberOf(ConversionState& state, MemorySurface& window) {
  return test::ErrorNumberOf([&] { ConvertSourceText(state, window); });
}

// Runs of eight zeros between other bytes, so the encoded list stays shorter
// than the byte list.
std::string Literals(std::size_t count) {
  std::string text = "static unsigned char big_bits[] = {\n";
  for (std::size_t i = 0; i < count; ++i) text.append(i % 16 < 8 ? "0x00, " : "0xa5, ");
  text.append("};\n");
  return text;
}

// Each row: the text and the byte texts its separators give.
TEST(HostileText, ListsOneByteTextPerSeparator) {
  const struct {
    std::string text;
    std::vector<std::string> byteTexts;
  } rows[] = {
      {"0X1f,0Xab,0x00", {"1F", "AB", "00"}},
      {"0x3c, 0x", {"3C", "00"}},
      {"0x", {"00"}},
      {"0x3c, 0", {"3C"}},  // a digit after a comma is not read
      {"0x3c 0", {"3C0"}},  // after a blank it is
      {"0x0x0X", {"00", "00", "00"}},
      {"00x1", {"01"}},
      {"#define img_0x_width 8\n0x01", {"00", "01"}},
      {std::string("0x3\0c, 0x01", 11), {"03", "01"}},
      {std::string("0\0x12 00", 8), {}},
      {"0x\xC3\xA9, 0xf\x80"
       "f",
       {"00", "0F"}},
      {"\xFF\xFE"
       "0x7e",
       {"7E"}},
      {"0x1\r\n2", {"01"}},
      {"0x1 2\t3\n4", {"1234"}},
      {"0x123, 0x7fff, 0x12345, 0x123456789, 0x00", {"123", "7FFF", "12345", "123456789", "00"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.text));
    ConversionState state;
    MemorySurface window;
    state.SourceFileName = "h.xbm";
    state.SourceText = row.text;
    ConvertSourceText(state, window);

    EXPECT_EQ(state.ByteCount, static_cast<std::int32_t>(row.byteTexts.size()));
    EXPECT_EQ(ListedByteTexts(window), row.byteTexts);
    EXPECT_EQ(ParseListing(state.SourceText).items, row.byteTexts);
    EXPECT_NO_THROW(ParseListing(state.CompressedText));
  }
}

// Numbers beyond a byte are never a run byte, also where their low bits are
// 00 or FF, and do not end or join the runs beside them.
TEST(HostileText, LongLiteralsReachTheCompressedListingUnchanged) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "h.xbm";
  state.SourceText = "0x123, 0x00, 0x8000, 0x100, 0x00, 0x00, 0x3c, 0x100000000, 0x1000000ff";
  ConvertSourceText(state, window);

  EXPECT_EQ(ParseListing(state.CompressedText).items,
            (std::vector<std::string>{"123", "00", "00", "8000", "100", "00", "01", "3C",
                                      "100000000", "1000000FF"}));
  EXPECT_EQ(state.RunCount, 2);
}

// An empty text, a name without a dot and one literal more than the list
// holds are refused before the listings change.
TEST(HostileText, RefusedBeforeTheListsChange) {
  const struct {
    const char* fileName;
    std::string text;
    int number;
  } rows[] = {
      {"e.xbm", "", error::kSubscriptOutOfRange},
      {"logo_xbm", "0x00, 0x3c", error::kInvalidArgument},
      {"logo_xbm", "0x00", error::kInvalidArgument},
      {"logo_xbm", "", error::kInvalidArgument},
      {"big.xbm", Literals(32767), error::kOverflow},
      {"big.xbm", Literals(70000), error::kOverflow},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.fileName) + ", " + std::to_string(row.text.size()) + " chars");
    ConversionState state;
    MemorySurface window;
    window.List1().Append("earlier");
    window.List2().Append("earlier encoded");
    window.SetText1("earlier listing");
    state.SourceFileName = row.fileName;
    state.SourceText = row.text;

    EXPECT_EQ(ErrorNumberOf(state, window), row.number);
    EXPECT_EQ(window.Text1(), "earlier listing");
    EXPECT_EQ(state.SourceText, row.text);
    // Too many literals are refused at the one the list cannot hold.
    if (row.number != error::kOverflow) {
      EXPECT_EQ(ListItems(window.List1()), std::vector<std::string>{"earlier"});
      EXPECT_EQ(ListItems(window.List2()), std::vector<std::string>{"earlier encoded"});
    }
    if (row.number == error::kSubscriptOutOfRange) {
      EXPECT_EQ(state.ByteCount, -1);
    }
  }
}

// A layout needs the bitmap's size, and bytes that fill exactly that size.
TEST(HostileText, LayoutRefusalNamesTheFileAndWhy) {
  const struct {
    std::string text;
    std::string why;
  } rows[] = {
      {"#define b_width 8\n{ 0x00, 0x01 };",
       "has no _width and _height defines, which a layout needs"},
      {"#define b_width 9\n#define b_height 2\n{ 0x00, 0x01, 0x02 };",
       "holds 3 bytes where its 9 x 2 pixels take 4"},
      {"#define b_width 8\n#define b_height 1\n{ 0x00, 0x01 };",
       "holds 2 bytes where its 8 x 1 pixels take 1"},
      {"#define b_width 8\n#define b_height 1\n{ 0x100 };", "holds a literal beyond a byte"},
  };
  for (const auto& row : rows) {
    ConversionState state;
    MemorySurface window;
    state.SourceFileName = "b.xbm";
    state.SourcePath = "/img/b.xbm";
    state.SourceText = row.text;
    state.Choice.layout = ByteLayout::kPages;
    try {
      ConvertAndReport(state, window);
      ADD_FAILURE() << "converted " << row.text;
    } catch (const AppError& error) {
      EXPECT_EQ(error.what(),
                "Err # 5 - Invalid procedure call or argument: /img/b.xbm " + row.why);
    }
  }
}

TEST(HostileText, LongestListConverts) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "big.xbm";
  state.SourceText = Literals(32766);
  ConvertSourceText(state, window);

  EXPECT_EQ(state.ByteCount, 32766);
  EXPECT_EQ(window.List1().Count(), 32767);
  EXPECT_EQ(window.List1().Item(32766), "A5");
  EXPECT_NO_THROW(ParseListing(state.CompressedText));
}

TEST(HostileText, LongLiteralsOutgrowTheRoomMadeForShortOnes) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text.append("0x12345678, 0x00, ");
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "long.xbm";
  state.SourceText = text;
  ConvertSourceText(state, window);

  const std::vector<std::string> listed = ParseListing(state.SourceText).items;
  ASSERT_EQ(listed.size(), 2000u);
  EXPECT_EQ(listed.front(), "12345678");
  EXPECT_EQ(listed.back(), "00");
  const std::vector<std::string> encoded = ParseListing(state.CompressedText).items;
  ASSERT_EQ(encoded.size(), 3000u);
  EXPECT_EQ(encoded[2997], "12345678");
}

TEST(HostileText, EncodedListPastItsLimitRaisesOverflow) {
  std::string text;
  for (int i = 0; i < 16383; ++i) text.append("0x00, 0x3c, ");
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "lone.xbm";
  state.SourceText = text;

  EXPECT_EQ(ErrorNumberOf(state, window), error::kOverflow);
  EXPECT_EQ(window.List2().Count(), 32767);
}

// Random texts built from the characters the split and the number reading
// care about; a sanitizer build turns any read past the text into a failure.
TEST(HostileText, RandomTextsConvertOrRaise) {
  const std::string alphabet = std::string("0xX0xfF9aG ,\t\n\r};\0\x80\xFF", 20);
  std::mt19937 random(20240531);
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 200, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    ConversionState state;
    MemorySurface window;
    state.SourceFileName = "r.xbm";
    state.SourceText = text;
    const int number = ErrorNumberOf(state, window);
    if (text.empty()) {
      EXPECT_EQ(number, error::kSubscriptOutOfRange);
      continue;
    }
    ASSERT_EQ(number, 0) << "text: " << ::testing::PrintToString(text);
    ASSERT_NO_THROW(ParseListing(state.CompressedText))
        << "text: " << ::testing::PrintToString(text);
    EXPECT_EQ(ParseListing(state.SourceText).items, ListedByteTexts(window));
  }
}

}  // namespace
}  // namespace lumivane::test
