// lumivane-cli --import: each image's bitmap goes the way of a dropped
// NAME.xbm beside it, and nothing else is written unless asked for.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "image_writers.h"
#include "import.h"
#include "process_runner.h"
#include "temp_folder.h"

namespace lumivane::test {
namespace {

const std::string kCli = LUMIVANE_CLI_PATH;

ProcessResult RunCli(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), kCli);
  return RunProcess(arguments);
}

// Dark diagonal stripes on white, 20 x 10, with a light-grey band that only
// a higher threshold sets.
GreyPicture Stripes() {
  GreyPicture picture{20, 10, {}, {}};
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) picture.grey.push_back((x + y) % 5 == 0 ? 0 : x < 4 ? 200 : 255);
  }
  return picture;
}

TEST(CliImport, WritesTheHeaderTheEquivalentXbmGivesAndNoXbm) {
  TempFolder images, bitmaps;
  const std::string png = WritePng(Stripes(), PngKind::kGrey8);
  images.Write("logo.v2.png", png);
  images.Write("logo.xbm", "hand-edited, kept");
  imaging::ImportSettings same;
  same.threshold = 255;
  same.rotation = 90;
  same.flip = imaging::Flip::kHorizontal;
  bitmaps.Write("logo.xbm", imaging::ImportImage(png, "logo.v2.png", same).front().xbmText);

  const ProcessResult imported =
      RunCli({"--import", "--threshold", "0255", "--dither", "none", "--rotate", "90", "--flip",
              "h", images.PathOf("logo.v2.png")});
  const ProcessResult converted = RunCli({bitmaps.PathOf("logo.xbm")});

  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(imported.err, "");
  EXPECT_EQ(imported.out, converted.out);
  EXPECT_EQ(images.Read("logo.h"), bitmaps.Read("logo.h"));
  EXPECT_EQ(images.Read("logo.xbm"), "hand-edited, kept");
  EXPECT_EQ(images.Tree(), (std::vector<std::string>{"logo.h", "logo.v2.png", "logo.xbm"}));
}

TEST(CliImport, WritesTheXbmOnlyWhenAskedAndEveryFrameOfAGif) {
  TempFolder folder;
  GreyPicture second = Stripes();
  for (std::size_t i = 0; i < second.grey.size(); i += 7) second.grey[i] = 255;
  const std::string gif = WriteGif({Stripes(), second}, {10, 25});
  folder.Write("spin.gif", gif);
  const auto frames = imaging::ImportImage(gif, "spin.gif", {});

  const ProcessResult cli = RunCli({"--import", "--write-xbm", folder.PathOf("spin.gif")});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  EXPECT_EQ(folder.Tree(), (std::vector<std::string>{"spin.gif", "spin_0.h", "spin_0.xbm",
                                                     "spin_1.h", "spin_1.xbm"}));
  // Written as the program writes every file: CR LF line ends.
  EXPECT_EQ(folder.Read("spin_0.xbm"), frames[0].xbmText);
  EXPECT_EQ(folder.Read("spin_1.xbm"), frames[1].xbmText);
  EXPECT_EQ(cli.out.rfind("spin_0 ", 0), 0u) << cli.out;
  EXPECT_NE(cli.out.find("\r\nspin_1 "), std::string::npos) << cli.out;

  // With --animation an image's frames are one header, named as the image.
  const std::string logo = folder.Write("my_logo.png", WritePng(Stripes(), PngKind::kGrey8));
  ASSERT_EQ(RunCli({"--import", "--animation", folder.PathOf("spin.gif"), logo}).exitCode, 0);
  EXPECT_EQ(folder.Read("spin.h"),
            folder.Read("spin_0.h") + folder.Read("spin_1.h") +
                "const unsigned char* const spin_frames[] U8X8_PROGMEM = {spin_0, spin_1};\r\n"
                "const unsigned int spin_frame_count = 2;\r\n"
                "const unsigned long spin_frame_delay_ms[] U8X8_PROGMEM = {100, 250};\r\n"
                "const unsigned int spin_frame_sizes[] U8X8_PROGMEM = {sizeof spin_0, sizeof "
                "spin_1};\r\n");
  EXPECT_EQ(folder.Tree(),
            (std::vector<std::string>{"my_logo.h", "my_logo.png", "spin.gif", "spin.h", "spin_0.h",
                                      "spin_0.xbm", "spin_1.h", "spin_1.xbm"}));
}

TEST(CliImport, PreviewShowsTwoPixelRowsALine) {
  TempFolder folder;
  // Set bits: row 0 at x 0 and 1, row 1 at x 1 and 2, row 2 at x 0.
  const std::string pbm = folder.Write("p.pbm", "P1 3 3\n1 1 0\n0 1 1\n1 0 0\n");
  const ProcessResult cli = RunCli({"--import", "--preview", "--stdout", pbm});
  ASSERT_EQ(cli.exitCode, 0) << cli.err;
  // The report follows on standard error (the bytes hold no 00 or FF: refused).
  EXPECT_EQ(cli.err, "p (3 x 3)\n\u2580\u2588\u2584\n\u2580  \nNOTHING TO COMPRESS\r\nCOMPLETE\n");
  // Nothing is darker than 0, also written with leading zeros.
  EXPECT_EQ(RunCli({"--import", "--preview", "-q", "--stdout", "--threshold", "00", pbm}).err,
            "p (3 x 3)\n   \n   \n");
}

// In every layout, compressed or not: --show prints what the import's
// preview showed, and the PNG of --to-png imports to the same header as the
// image itself.
TEST(CliImport, ReadBackGivesTheImportedPixelsInEveryLayout) {
  TempFolder folder;
  folder.Write("s.png", WritePng(Stripes(), PngKind::kGrey8));
  const ProcessResult plain = RunCli({"--import", "--stdout", folder.PathOf("s.png")});
  for (const char* layout : {"xbm", "rows-msb", "pages"}) {
    for (const bool uncompressed : {false, true}) {
      SCOPED_TRACE(layout + std::string(uncompressed ? " uncompressed" : ""));
      std::vector<std::string> choice{"--layout", layout};
      if (uncompressed) choice.push_back("--uncompressed");
      std::vector<std::string> import{"--import", "--preview", folder.PathOf("s.png")};
      import.insert(import.end(), choice.begin(), choice.end());
      const ProcessResult imported = RunCli(import);
      ASSERT_EQ(imported.exitCode, 0) << imported.err;
      std::vector<std::string> show{"--show", folder.PathOf("s.h"), "--size", "20x10"};
      show.insert(show.end(), choice.begin(), choice.end());
      EXPECT_EQ(RunCli(show).out, imported.err);
      show[0] = "--to-png";
      show.insert(show.begin() + 1, folder.PathOf("png"));
      const ProcessResult toPng = RunCli(show);
      ASSERT_EQ(toPng.exitCode, 0);
      EXPECT_EQ(toPng.out, "");
      // IHDR: 8-bit grey, not interlaced.
      EXPECT_EQ(folder.Read("png/s.png").substr(24, 5), std::string("\x08\0\0\0\0", 5));
      EXPECT_EQ(RunCli({"--import", "--stdout", folder.PathOf("png/s.png")}).out, plain.out);
      if (std::system("command -v identify >/dev/null") == 0) {
        EXPECT_EQ(std::system(("identify '" + folder.PathOf("png/s.png") + "' >/dev/null").c_str()),
                  0);
      }
    }
  }
}

TEST(CliImport, ABadImageOrSettingStopsBeforeAnythingIsWritten) {
  TempFolder folder;
  folder.Write("good.png", WritePng(Stripes(), PngKind::kGrey8));
  folder.Write("bad.png", "\x89PNG\r\n\x1a\n cut short");
  folder.Write("good.gif", WriteGif({Stripes()}));
  // An image whose header would be the image itself, read before another.
  folder.Write("shot.h", WritePng(Stripes(), PngKind::kGrey8));
  const std::string good = folder.PathOf("good.png");
  // An error, exit code 1; none, a usage message and exit code 2.
  struct Case {
    std::vector<std::string> arguments;
    std::string err = "";
  };
  const Case cases[] = {
      {{"--import", good, folder.PathOf("bad.png")},
       "Err # 1002 - Damaged image (end of stream): " + folder.PathOf("bad.png") + "\n"},
      {{"--import", good, folder.PathOf("good.gif")},
       "Err # 1004 - Another image or bitmap is also " + folder.PathOf("good.xbm") + ": " +
           folder.PathOf("good.gif") + "\n"},
      {{"--import", "-q", folder.PathOf("shot.h"), good},
       "Err # 22 - Output is its own source: " + folder.PathOf("shot.h") + "\n"},
      {{"--import", folder.PathOf("none.png")},
       "Err # 2 - No such file or directory: " + folder.PathOf("none.png") + "\n"},
      {{"--import", "--fit", "800x400", good},
       "Err # 1003 - Image too large (a bitmap of 800 x 400 takes 40000 bytes, at most 32766): " +
           good + "\n"},
      {{"--import", "--threshold", "256", good}},
      {{"--import", "--dither", "random", good}},
      {{"--import", "--rotate", "45", good}},
      {{"--import", "--fit", "0x8", good}},
      {{"--import", "--fit", "8x0", good}},
      {{"--import", "--flip", "x", good}},
      {{"--import", good, "--threshold"}},
      {{"--threshold", "100", good}},
      {{"--import", "--check", "--write-xbm", good}},
      {{"--import", "--stdout", "--write-xbm", good}},
      {{"--import", "--layout", "columns", good}},
      {{"--animation", folder.PathOf("good.gif")}},
      {{"--show", "--import", good}},
      {{"--size", "20x10", good}},
      {{"--to-png", good, folder.PathOf("shot.h")}, "Err # 20 - Not a directory: " + good + "\n"},
  };
  const auto before = folder.Snapshot();
  for (const Case& row : cases) {
    SCOPED_TRACE(::testing::PrintToString(row.arguments));
    const ProcessResult cli = RunCli(row.arguments);
    EXPECT_EQ(cli.exitCode, row.err.empty() ? 2 : 1);
    EXPECT_EQ(cli.out, "");
    EXPECT_EQ(cli.err, row.err.empty() ? cli.err : row.err);
    EXPECT_EQ(row.err.empty(), cli.err.find("Usage:") != std::string::npos) << cli.err;
    EXPECT_EQ(folder.Snapshot(), before);
  }
}

}  // namespace
}  // namespace lumivane::test
