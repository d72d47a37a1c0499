#include "source_scanner.h"

#include <gtest/gtest.h>

#include <string>

#include "app_error.h"
#include "convert_and_report.h"
#include "error_number.h"
#include "memory_surface.h"

namespace lumivane {
namespace {

// One literal short of the limit, written without "00" or "FF": whether a
// text built on it overflows rests on its head and tail alone.
const std::string kLiteralsButOne = [] {
  std::string pad;
  for (std::int64_t i = 1; i < SourceScanner::kMaxLiterals; ++i) pad.append("0x");
  return pad;
}();

struct ScanCase {
  const char* name;
  std::string head;
  std::string tail;
  bool overflowCertain;
};

void PrintTo(const ScanCase& scan, std::ostream* out) {
  *out << ::testing::PrintToString(scan.head + "..." + scan.tail);
}

class Scan : public ::testing::TestWithParam<ScanCase> {
 protected:
  std::string Text() const { return GetParam().head + kLiteralsButOne + GetParam().tail; }
};

TEST_P(Scan, AgreesWithTheConversion) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "s.xbm";
  state.SourceText = Text();
  const int number = test::ErrorNumberOf([&] { ConvertAndReport(state, window); });
  EXPECT_EQ(number == error::kOverflow, GetParam().overflowCertain) << "error " << number;
}

// Every split of the text's tail into two chunks, and the whole text fed one
// character at a time: pairs cut between chunks still count.
TEST_P(Scan, GivesTheSameVerdictWhereverTheChunksSplit) {
  const std::string text = Text();
  const std::size_t tailStart = GetParam().head.size() + kLiteralsButOne.size();
  for (std::size_t split = tailStart - 1; split <= text.size(); ++split) {
    SourceScanner scanner;
    scanner.Feed(std::string_view(text).substr(0, split));
    scanner.Feed(std::string_view(text).substr(split));
    EXPECT_EQ(scanner.OverflowCertain(), GetParam().overflowCertain) << "split at " << split;
  }
  SourceScanner scanner;
  for (const char c : text) scanner.Feed(std::string_view(&c, 1));
  EXPECT_EQ(scanner.OverflowCertain(), GetParam().overflowCertain);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Scan,
    ::testing::Values(ScanCase{"AtTheLimit", "", "0x00", false},
                      ScanCase{"OnePastTheLimit", "", "0x00, 0x01", true},
                      ScanCase{"UpperCaseSeparator", "", "0x00, 0X01", true},
                      ScanCase{"NothingToCompressStillListed", "", "0x01, 0x7e", true},
                      ScanCase{"FfInAnyCase", "", "0x01, 0xfF", true},
                      ScanCase{"FfInsideALongerNumber", "", "0x01, 0x0ff", true},
                      ScanCase{"ZeroZeroOnlyInTheHead", "#define w 100\n", "0x01, 0x7e", true},
                      ScanCase{"ZeroZeroBeforeTheSeparator", "", "0x01, 00x7", true},
                      ScanCase{"SeparatorCutByABlank", "#define w 100\n", "0x01 0 x", false},
                      ScanCase{"SeparatorsBackToBack", "#define w 100\n", "0x0x", true},
                      ScanCase{"EmptyTail", "#define w 100\n", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumivane
