#include "convert_and_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app_error.h"
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

struct ReportNameCase {
  const char* name;
  std::string fileName;
  std::string lineStart;
};

void PrintTo(const ReportNameCase& report, std::ostream* out) {
  *out << report.fileName;
}

class ReportName : public ::testing::TestWithParam<ReportNameCase> {};

TEST_P(ReportName, FillsTheNameToEighteenColumns) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = GetParam().fileName;
  state.SourceText = "0x00, 0x3c, 0x00, 0x3c";
  ConvertAndReport(state, window);

  EXPECT_EQ(window.Text3(), GetParam().lineStart +
                                "4 uncompressed bytes, \t-2 bytes economized, \t"
                                "compression rate = -50%\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReportName,
    ::testing::Values(
        ReportNameCase{"FirstDotEndsTheName", "logo.small.xbm", "logo              "},
        ReportNameCase{"LongNameIsCutToSixteen", "abcdefghijklmnopqrst.xbm", "abcdefghijklmnop  "},
        ReportNameCase{"SixteenCharactersKeepTwoSpaces", "abcdefghijklmnop.xbm",
                       "abcdefghijklmnop  "},
        ReportNameCase{"SeventeenCharactersLoseOne", "abcdefghijklmnopq.xbm", "abcdefghijklmnop  "},
        ReportNameCase{"DotFirstLeavesOnlyFill", ".xbm", "                  "},
        // Cut and filled by characters: a byte count would split the 16th
        // character or pad two-byte letters short.
        ReportNameCase{"CutAfterSixteenCharacters",
                       "a\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4"
                       "\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4.xbm",
                       "a\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4\u00C4"
                       "\u00C4\u00C4\u00C4\u00C4  "},
        ReportNameCase{"FilledByCharacters", "Gr\u00F6\u00DFe.xbm", "Gr\u00F6\u00DFe             "},
        ReportNameCase{"FourByteCharacterLast", "abcdefghijklmno\U0001F600z.xbm",
                       "abcdefghijklmno\U0001F600  "},
        ReportNameCase{"InvalidBytesCountOneEach", "\xFF\xC3(\xE0\x80\xC3.xbm",
                       "\xFF\xC3(\xE0\x80\xC3            "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportLine, WritesNegativeFiguresWithMinus) {
  EXPECT_EQ(FormatReportLine("w", 3, -3, -100),
            "w                 3 uncompressed bytes, \t-3 bytes economized, \t"
            "compression rate = -100%\r\n");
  EXPECT_EQ(FormatReportLine("", 2147483647, -2147483647 - 1, -32768),
            "                  2147483647 uncompressed bytes, \t-2147483648 bytes economized, \t"
            "compression rate = -32768%\r\n");
}

struct PreCheckCase {
  std::string text;
  bool passes;
};

void PrintTo(const PreCheckCase& check, std::ostream* out) {
  *out << ::testing::PrintToString(check.text);
}

class PreCheck : public ::testing::TestWithParam<PreCheckCase> {};

TEST_P(PreCheck, LooksForZeroZeroOrFfInAnyCase) {
  EXPECT_EQ(HasSomethingToCompress(GetParam().text), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PreCheck,
    ::testing::Values(PreCheckCase{"0x00", true}, PreCheckCase{"0xff", true},
                      PreCheckCase{"0xFf", true}, PreCheckCase{"0xfF", true},
                      PreCheckCase{"0xFF", true}, PreCheckCase{"#define w 100", true},
                      PreCheckCase{"stuff", true}, PreCheckCase{"0x01, 0x7e", false},
                      PreCheckCase{"0x0f, 0xf0", false}, PreCheckCase{"f f 0 0", false},
                      PreCheckCase{"0", false}, PreCheckCase{"F", false}, PreCheckCase{"", false}));

TEST_F(Driver, HeaderNumberAloneLetsTheTextThrough) {
  Report("w.xbm", "#define w_width 100\nstatic unsigned char w_bits[] = { 0x01, 0x7e };\n");

  EXPECT_EQ(state.ByteCount, 2);
  EXPECT_EQ(window.Text3().rfind("w    ", 0), 0u) << window.Text3();
}

TEST_F(Driver, LowerCaseFfAloneLetsTheTextThrough) {
  Report("f.xbm", "0x01, 0xff, 0x7e");

  EXPECT_EQ(state.ByteCount, 3);
  EXPECT_EQ(state.RunCount, 1);
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

TEST_F(Driver, EmptyTextIsRefused) {
  Report("e.xbm", "");

  EXPECT_EQ(window.Text3(), kRefusal);
  EXPECT_EQ(window.EventPasses(), 0);
}

class DriverFailure : public Driver {
 protected:
  int ErrorNumberOfReport(const std::string& fileName, const std::string& text) {
    window.SetText2("previous listing");
    window.SetText3("previous line\r\n");
    try {
      Report(fileName, text);
    } catch (const AppError& error) {
      return error.Number();
    }
    return 0;
  }

  void ExpectBoxesUntouched() {
    EXPECT_EQ(window.Text2(), "previous listing");
    EXPECT_EQ(window.Text3(), "previous line\r\n");
    EXPECT_EQ(window.EventPasses(), 0);
  }
};

TEST_F(DriverFailure, NameWithoutDotFailsBeforeTheRefusal) {
  EXPECT_EQ(ErrorNumberOfReport("logo", "0x01, 0x7e"), error::kInvalidArgument);
  ExpectBoxesUntouched();
}

TEST_F(DriverFailure, NameWithoutDotFailsBeforeTheConversion) {
  window.List1().Append("earlier");
  EXPECT_EQ(ErrorNumberOfReport("logo", "0x00, 0x00"), error::kInvalidArgument);
  ExpectBoxesUntouched();
  EXPECT_EQ(ListItems(window.List1()), std::vector<std::string>{"earlier"});
  EXPECT_EQ(state.SourceText, "0x00, 0x00");
}

TEST_F(DriverFailure, TooManyLiteralsLeaveTheBoxesAsTheyWere) {
  std::string text;
  for (int i = 0; i < 32767; ++i) text.append("0x00,");
  EXPECT_EQ(ErrorNumberOfReport("big.xbm", text), error::kOverflow);
  ExpectBoxesUntouched();
}

}  // namespace
}  // namespace lumivane::test
