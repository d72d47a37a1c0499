#include "convert_and_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app_error.h"
#include "error_number.h"
#include "list_items.h"
#include "memory_surface.h"
#include "report_line.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

const std::string kRefusal = "NOTHING TO COMPRESS\r\n";

class Driver : public ::testing::Test {
 protected:
  void Report(const std::string& fileName, const std::string& text) {
    state.SourceFileName = fileName;
    state.SourceText = text;
    ConvertAndReport(state, window);
  }

  ConversionState state;
  MemorySurface window;
};

// 130 + 126 + 130 + 126 bytes encode to 2 + 126 + 2 + 126 items.
std::vector<std::uint8_t> HalfSavedBytes() {
  std::vector<std::uint8_t> bytes(130, 0x00);
  bytes.insert(bytes.end(), 126, 0x3C);
  bytes.insert(bytes.end(), 130, 0xFF);
  bytes.insert(bytes.end(), 126, 0x81);
  return bytes;
}

TEST_F(Driver, ReportsLogoWithExactFillTabsAndLineEnd) {
  window.SetText3("earlier line\r\n");
  Report("logo.xbm", XbmText("logo", HalfSavedBytes()));

  EXPECT_EQ(window.Text3(),
            "earlier line\r\n"
            "logo              512 uncompressed bytes, \t256 bytes economized, \t"
            "compression rate = 50%\r\n");
  EXPECT_EQ(window.Text2(), state.CompressedText);
  EXPECT_EQ(window.Text1(), state.SourceText);
  EXPECT_EQ(window.EventPasses(), 1);
}

// The command line's surface shows only the report: what it writes and
// reports must not depend on the listings it is spared.
TEST(ConvertAndReportWithoutListings, WritesAndReportsTheSameAndSparesTheListings) {
  const std::string text = XbmText("logo", HalfSavedBytes());
  ConversionState shownState;
  MemorySurface shown;
  ConversionState sparedState;
  MemorySurface spared(MemorySurface::Listings::kNotShown);
  for (auto [state, window] : {std::pair{&shownState, &shown}, std::pair{&sparedState, &spared}}) {
    state->SourceFileName = "logo.xbm";
    state->SourceText = text;
    ConvertAndReport(*state, *window);
  }

  EXPECT_EQ(sparedState.CompressedText, shownState.CompressedText);
  EXPECT_EQ(sparedState.ByteCount, shownState.ByteCount);
  EXPECT_EQ(sparedState.EconomizedTotal, shownState.EconomizedTotal);
  EXPECT_EQ(sparedState.CompressionRate, shownState.CompressionRate);
  EXPECT_EQ(spared.Text3(), shown.Text3());
  EXPECT_EQ(spared.EventPasses(), 1);
  EXPECT_EQ(sparedState.SourceText, text);
  EXPECT_EQ(spared.Text1(), "");
  EXPECT_EQ(spared.Text2(), "");
}

TEST_F(Driver, LetsTheWindowRunOnlyAfterEverythingIsWritten) {
  std::string progressSeenDuringPass;
  std::string listingSeenDuringPass;
  window.OnPendingEvents([&] {
    progressSeenDuringPass = window.Text3();
    listingSeenDuringPass = window.Text2();
  });
  Report("t.xbm", "0x00, 0x00");

  EXPECT_EQ(progressSeenDuringPass, window.Text3());
  EXPECT_EQ(listingSeenDuringPass, state.CompressedText);
}

// The name is filled to eighteen columns, cut after sixteen characters, not bytes:
// a byte count would split the 16th character or pad two-byte letters short.
TEST(ReportName, FillsTheNameToEighteenColumns) {
  struct Name {
    std::string fileName;
    std::string lineStart;
  };
  const Name rows[] = {
      Name{"logo.small.xbm", "logo              "},
      Name{"abcdefghijklmnopqrst.xbm", "abcdefghijklmnop  "},
      Name{"abcdefghijklmnop.xbm", "abcdefghijklmnop  "},
      Name{"abcdefghijklmnopq.xbm", "abcdefghijklmnop  "}, Name{".xbm", "                  "},
      Name{"a\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4"
           "\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4.xbm",
           "a\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4"
           "\u00C4\u00C4\u00C4\u00C4  "},
      Name{"Gr\u00F6\u00DFe.xbm", "Gr\u00F6\u00DFe             "},
      Name{"abcdefghijklmno\U0001F600z.xbm", "abcdefghijklmno\U0001F600  "},
      Name{"\xFF\xC3(\xE0\x80\xC3.xbm", "\xFF\xC3(\xE0\x80\xC3            "},
      // Overlong forms, surrogates, code points past U+10FFFF and bytes past
      // F4 count one a byte; the extreme valid sequences one each.
      Name{"\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xC0\x80.xbm",
           "\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xC0\x80      "},
      Name{"\xF0\x8F\xBF\xBF\xF5\x80\x80\x80.xbm", "\xF0\x8F\xBF\xBF\xF5\x80\x80\x80          "},
      Name{"\xE0\xA0\x80\xED\x9F\xBF\xF4\x8F\xBF\xBF\xC2\x80\xF0\x90\x80\x80\xDF\xBF\xE1\x80"
           "A.xbm",
           "\xE0\xA0\x80\xED\x9F\xBF\xF4\x8F\xBF\xBF\xC2\x80\xF0\x90\x80\x80\xDF\xBF\xE1\x80"
           "A         "}};
  for (const Name& row : rows) {
    ConversionState state;
    MemorySurface window;
    state.SourceFileName = row.fileName;
    state.SourceText = "0x00, 0x3c, 0x00, 0x3c";
    ConvertAndReport(state, window);

    EXPECT_EQ(window.Text3(), row.lineStart +
                                  "4 uncompressed bytes, \t-2 bytes economized, \t"
                                  "compression rate = -50%\r\n");
  }
}

TEST(ReportLine, WritesNegativeFiguresWithMinus) {
  EXPECT_EQ(FormatReportLine("w", 3, -3, -100),
            "w                 3 uncompressed bytes, \t-3 bytes economized, \t"
            "compression rate = -100%\r\n");
  EXPECT_EQ(FormatReportLine("", 2147483647, -2147483647 - 1, -32768),
            "                  2147483647 uncompressed bytes, \t-2147483648 bytes economized, \t"
            "compression rate = -32768%\r\n");
}

TEST(PreCheck, LooksForZeroZeroOrFfInAnyCase) {
  struct Check {
    std::string text;
    bool passes;
  };
  for (const Check& row :
       {Check{"0x00", true}, Check{"0xff", true}, Check{"0xFf", true}, Check{"0xfF", true},
        Check{"0xFF", true}, Check{"#define w 100", true}, Check{"stuff", true},
        Check{"0x01, 0x7e", false}, Check{"0x0f, 0xf0", false}, Check{"f f 0 0", false},
        Check{"0", false}, Check{"F", false}, Check{"", false}, Check{"fF, 0x01", true}}) {
    EXPECT_EQ(HasSomethingToCompress(row.text), row.passes) << row.text;
  }
}

// "00" in the header's numbers alone, or "ff" in lower case, lets the text
// through; an empty text is refused without a pass of the window's events,
// and one without "00" or "FF" is listed without one.
TEST(DriverReport, ReportsOrRefusesTheText) {
  struct Report {
    const char* fileName;
    std::string text;
    std::string line;
    std::int32_t byteCount, runCount;
    int eventPasses;
  };
  const Report rows[] = {
      Report{"w.xbm", "#define w_width 100\nstatic unsigned char w_bits[] = { 0x01, 0x7e };\n",
             "w                 2 uncompressed bytes, \t0 bytes economized, \t"
             "compression rate = 0%\r\n",
             2, 0, 1},
      Report{"f.xbm", "0x01, 0xff, 0x7e",
             "f                 3 uncompressed bytes, \t-1 bytes economized, \t"
             "compression rate = -33%\r\n",
             3, 1, 1},
      Report{"e.xbm", "", kRefusal, -7, -7, 0},
      // Upper-case separators alone still make a text with literals to list.
      Report{"u.xbm", "0X01, 0X7E", kRefusal, 2, 0, 0}};
  for (const Report& row : rows) {
    ConversionState state;
    MemorySurface window;
    state.ByteCount = -7;
    state.RunCount = -7;
    state.SourceFileName = row.fileName;
    state.SourceText = row.text;
    ConvertAndReport(state, window);

    EXPECT_EQ(window.Text3(), row.line);
    EXPECT_EQ(state.ByteCount, row.byteCount);
    EXPECT_EQ(state.RunCount, row.runCount);
    EXPECT_EQ(window.EventPasses(), row.eventPasses);
  }
}

// Without "00" or "FF" only the report line differs: the header still holds
// the array, and a one-digit zero is still a run.
TEST_F(Driver, NothingToCompressStillListsTheArray) {
  Report("t.xbm", "0x00, 0x00, 0x00, 0x3c");
  const std::string text3Before = window.Text3();

  Report("r.xbm", "#define r_width 8\n0x01, 0x7e, 0x0, 0x1");

  const std::string listing =
      "const unsigned char r[] U8X8_PROGMEM = {\r\n0x01, 0x7E, 0x00, 0x00, 0x01\r\n};";
  EXPECT_EQ(window.Text3(), text3Before + kRefusal);
  EXPECT_EQ(state.CompressedText, listing);
  EXPECT_EQ(window.Text2(), listing);
  EXPECT_EQ(state.ByteCount, 4);
  EXPECT_EQ(window.EventPasses(), 1);
}

// A name without a dot fails before the refusal and before the conversion,
// too many literals before the boxes change.
TEST(DriverFailure, LeavesTheBoxesAndListsAsTheyWere) {
  std::string tooMany;
  for (int i = 0; i < 32767; ++i) tooMany.append("0x00,");
  struct Failure {
    const char* fileName;
    std::string text;
    int number;
  };
  for (const Failure& row : {Failure{"logo", "0x01, 0x7e", error::kInvalidArgument},
                             Failure{"logo", "0x00, 0x00", error::kInvalidArgument},
                             Failure{"big.xbm", tooMany, error::kOverflow}}) {
    ConversionState state;
    MemorySurface window;
    window.List1().Append("earlier");
    window.SetText2("previous listing");
    window.SetText3("previous line\r\n");
    state.SourceFileName = row.fileName;
    state.SourceText = row.text;
    EXPECT_EQ(ErrorNumberOf([&] { ConvertAndReport(state, window); }), row.number);

    EXPECT_EQ(window.Text2(), "previous listing");
    EXPECT_EQ(window.Text3(), "previous line\r\n");
    EXPECT_EQ(window.EventPasses(), 0);
    EXPECT_EQ(state.SourceText, row.text);
    if (row.number == error::kInvalidArgument) {
      EXPECT_EQ(ListItems(window.List1()), std::vector<std::string>{"earlier"});
    }
  }
}

}  // namespace
}  // namespace lumivane::test
