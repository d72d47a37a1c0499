#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app_error.h"
#include "depfile.h"
#include "report_stream.h"
#include "size_defines.h"
#include "terminal_text.h"

namespace lumivane::test {
namespace {

TEST(EscapeControls, ShowsControlBytesAndKeepsTheLineEnd) {
  struct Case {
    std::string text;
    std::string shown;
  };
  const Case cases[] = {
      {"plain name\r\n", "plain name\r\n"},
      {"\x1b[31mred\r\n", "\\033[31mred\r\n"},
      {"over\rwrite\r\n", "over\\rwrite\r\n"},
      {"tab\there\nnewline\n", "tab\there\\nnewline\n"},
      {std::string("nul\0bell\a\x7f", 10), "nul\\000bell\\a\\177"},
      {"Gr\xc3\xb6\xc3\x9f"
       "e \\ done",
       "Gr\xc3\xb6\xc3\x9f"
       "e \\ done"},
      {"\r\n\r\n", "\\r\\n\r\n"},
      {"\x1f\x1b\x01 ~", "\\037\\033\\001 ~"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::EscapeControls(c.text), c.shown) << ::testing::PrintToString(c.text);
  }
}

TEST(SizeDefines, TakesBothNumbersOrNothing) {
  struct Case {
    const char* source;
    const char* defines;
  };
  const Case cases[] = {
      {"#define x_width 16\n#define x_height 8\nstatic char x_bits[] = {0};",
       "#define logo_width 16\r\n#define logo_height 8\r\n"},
      {"#define x_width 16\r\n  #define\tx_height  8 \r\n",
       "#define logo_width 16\r\n#define logo_height 8\r\n"},
      {"#define x_width 16\n", ""},
      {"#define x_height 8\n", ""},
      {"#define x_width W\n#define x_height 8\n", ""},
      {"#define _width 16\n#define x_height 8\n", ""},
      {"static char x_bits[] = {0x00};", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cli::SizeDefines(c.source, "logo"), c.defines) << c.source;
  }
}

// Each expected text was read back by GNU Make 4.3 (make -p) and Ninja 1.11
// (ninja -t deps) as the path it escapes.
TEST(FormatDepfile, EscapesWhatMakeAndNinjaWouldReadOtherwise) {
  struct Case {
    std::string path;
    std::string escaped;
  };
  const Case cases[] = {
      {"d/x y.xbm", "d/x\\ y.xbm"},
      {"d/x\\ y.xbm", "d/x\\\\\\ y.xbm"},
      {"d/x\\y #1.xbm", "d/x\\y\\ \\#1.xbm"},
      {"d/$x.xbm", "d/$$x.xbm"},
      {"d/a:b%c.xbm", "d/a\\:b%c.xbm"},
      {"d/x\ty~.xbm", "d/x\\\ty~.xbm"},
      // A drive letter's colon is left as it is.
      {"C:/a.xbm", "C:/a.xbm"},
      // Refused.
      {"d/a=b.xbm", ""},
      {"d/a;b.xbm", ""},
      {"d/a*b.xbm", ""},
      {"d/a\\#b.xbm", ""},
      {"d/a\\", ""},
      {"d/a\nb.xbm", ""},
      {"d/a\x7f.xbm", ""},
  };
  for (const Case& c : cases) {
    if (c.escaped.empty()) {
      EXPECT_THROW(cli::FormatDepfile({{"out.h", {c.path}}}), AppError) << c.path;
    } else {
      EXPECT_EQ(cli::FormatDepfile({{"out.h", {c.path}}}), "out.h: \\\n " + c.escaped + "\n")
          << c.path;
    }
  }
  EXPECT_THROW(cli::FormatDepfile({{"o%t.h", {"a.xbm"}}}), AppError);
}

// What arrives at the reading end of a pipe within `waitMs`.
std::string ReadWithin(int fd, int waitMs) {
  pollfd ready{fd, POLLIN, 0};
  if (::poll(&ready, 1, waitMs) != 1) return "";
  char buffer[256];
  const ssize_t got = ::read(fd, buffer, sizeof buffer);
  return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : "";
}

TEST(ReportStream, ABufferedPieceIsSentDuringFileWorkFlushAndTheEnd) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  std::FILE* writer = ::fdopen(ends[1], "w");
  ASSERT_NE(writer, nullptr);
  {
    cli::ReportStream report(writer);
    // File work with nothing to send changes nothing.
    report.BeforeFileWork();
    report.Write("first\r\n");
    EXPECT_EQ(ReadWithin(ends[0], 0), "");
    // The first file work after a piece sends it at once.
    report.BeforeFileWork();
    EXPECT_EQ(ReadWithin(ends[0], 0), "first\r\n");
    // From the second on, the flusher sends pieces; nothing else wakes it.
    for (const char* piece : {"second\r\n", "third\r\n"}) {
      report.Write(piece);
      report.BeforeFileWork();
      // Far more than the stream's longest wait.
      EXPECT_EQ(ReadWithin(ends[0], 5000), piece);
    }
    report.Write("fourth\r\n");
    report.Flush();
    EXPECT_EQ(ReadWithin(ends[0], 0), "fourth\r\n");
    report.Write("last");
  }
  EXPECT_EQ(ReadWithin(ends[0], 0), "last");
  std::fclose(writer);
  ::close(ends[0]);
}

}  // namespace
}  // namespace lumivane::test
