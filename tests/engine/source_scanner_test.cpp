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

// Each row: the head and tail around the literals, and whether the text
// certainly overflows. The scanner must agree with the conversion wherever
// the chunks split: every split of the tail into two chunks, and the whole
// text fed one character at a time, so pairs cut between chunks still count.
TEST(Scan, AgreesWithTheConversionWhereverTheChunksSplit) {
  const struct {
    std::string head;
    std::string tail;
    bool overflowCertain;
  } rows[] = {
      {"", "0x00", false},                      // at the limit
      {"", "0x00, 0x01", true},                 // one past it
      {"", "0x00, 0X01", true},                 // upper-case separator
      {"", "0x01, 0x7e", true},                 // nothing to compress is still listed
      {"", "0x01, 0xfF", true},                 // FF in any case
      {"", "0x01, 0x0ff", true},                // FF inside a longer number
      {"#define w 100\n", "0x01, 0x7e", true},  // 00 only in the head
      {"", "0x01, 00x7", true},                 // 00 before the separator
      {"#define w 100\n", "0x01 0 x", false},   // separator cut by a blank
      {"#define w 100\n", "0x0x", true},        // separators back to back
      {"#define w 100\n", "", false},           // empty tail
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.head + "..." + row.tail));
    const std::string text = row.head + kLiteralsButOne + row.tail;
    ConversionState state;
    MemorySurface window;
    state.SourceFileName = "s.xbm";
    state.SourceText = text;
    const int number = test::ErrorNumberOf([&] { ConvertAndReport(state, window); });
    EXPECT_EQ(number == error::kOverflow, row.overflowCertain) << "error " << number;

    const std::size_t tailStart = row.head.size() + kLiteralsButOne.size();
    for (std::size_t split = tailStart - 1; split <= text.size(); ++split) {
      SourceScanner scanner;
      scanner.Feed(std::string_view(text).substr(0, split));
      scanner.Feed(std::string_view(text).substr(split));
      EXPECT_EQ(scanner.OverflowCertain(), row.overflowCertain) << "split at " << split;
    }
    SourceScanner scanner;
    for (const char c : text) scanner.Feed(std::string_view(&c, 1));
    EXPECT_EQ(scanner.OverflowCertain(), row.overflowCertain);
  }
}

}  // namespace
}  // namespace lumivane
