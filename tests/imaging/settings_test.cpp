// What the settings make of known pictures: PNG variants, dithering of a flat
// grey, turning, flipping and fitting.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_error.h"
#include "image_writers.h"
#include "import.h"

namespace lumivane {
namespace {

using imaging::Bitmap;
using imaging::Dithering;
using imaging::Flip;
using imaging::ImportSettings;
using lumivane::ByteLayout;
using lumivane::ConversionChoice;
using test::GreyPicture;
using test::PngKind;

GreyPicture Flat(int width, int height, std::uint8_t grey) {
  return {
      width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), grey), {}};
}

Bitmap Import(const std::string& bytes, const ImportSettings& settings = {}) {
  const auto bitmaps = imaging::ImportImage(bytes, "/img/pic.png", settings);
  EXPECT_EQ(bitmaps.size(), 1u);
  return bitmaps.front().bitmap;
}

// Rows of '#' (set) and '.' (unset).
std::vector<std::string> Rows(const Bitmap& bitmap) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.height; ++y) {
    std::string row;
    for (int x = 0; x < bitmap.width; ++x) row.push_back(bitmap.Pixel(x, y) ? '#' : '.');
    rows.push_back(row);
  }
  return rows;
}

TEST(ImportPngKinds, EveryKindGivesTheDarkPixels) {
  // Opaque dark and light pixels, then the last one dark but transparent.
  const GreyPicture opaque{4, 2, {0, 255, 255, 0, 0, 0, 255, 255}, {}};
  const std::vector<std::string> expected{"#..#", "##.."};
  for (const PngKind kind :
       {PngKind::kGrey8, PngKind::kGrey16, PngKind::kPalette, PngKind::kInterlaced}) {
    EXPECT_EQ(Rows(Import(test::WritePng(opaque, kind))), expected) << static_cast<int>(kind);
  }
  GreyPicture transparent = opaque;
  transparent.grey[7] = 0;
  transparent.alpha = {255, 255, 255, 255, 255, 255, 255, 0};
  EXPECT_EQ(Rows(Import(test::WritePng(transparent, PngKind::kGreyAlpha8))), expected);

  ImportSettings backgroundSet;
  backgroundSet.backgroundSet = true;
  EXPECT_EQ(Rows(Import(test::WritePng(transparent, PngKind::kGreyAlpha8), backgroundSet)),
            (std::vector<std::string>{"#..#", "##.#"}));
}

TEST(ImportPngKinds, InterlacedPicturesOfOddSizesMatchPlainOnes) {
  for (const int size : {1, 3, 9, 17}) {
    GreyPicture picture = Flat(size, size + 2, 255);
    for (std::size_t i = 0; i < picture.grey.size(); i += 3) picture.grey[i] = 0;
    EXPECT_EQ(Rows(Import(test::WritePng(picture, PngKind::kInterlaced))),
              Rows(Import(test::WritePng(picture, PngKind::kGrey8))))
        << size;
  }
}

// The frame of a picture given as rows of grey levels.
imaging::GrayFrame FrameOf(const std::vector<std::vector<int>>& rows) {
  imaging::GrayFrame frame{{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}},
                           {}};
  for (const auto& row : rows) {
    for (const int grey : row) frame.luminance.values.push_back(static_cast<std::uint8_t>(grey));
  }
  return frame;
}

Bitmap Reduced(const imaging::GrayFrame& frame, const ImportSettings& settings) {
  return imaging::ImportFrames({frame}, "/img/pic.png", settings).front().bitmap;
}

// A second, plain model of error diffusion: the error of every pixel kept in
// a whole-picture table, spread by the method's matrix as it is printed in
// the literature ("X" the pixel itself), truncated as whole grey levels.
std::vector<std::string> Diffused(const std::vector<std::vector<int>>& rows, int threshold,
                                  const std::vector<std::string>& matrix, int denominator) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  std::vector<std::vector<int>> error(height + 3, std::vector<int>(width + 4, 0));
  const int origin = static_cast<int>(matrix[0].find('X'));
  std::vector<std::string> out;
  for (int y = 0; y < height; ++y) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      const int value = rows[y][x] + error[y][x + 2] / denominator;
      const bool set = value < threshold;
      line.push_back(set ? '#' : '.');
      for (int dy = 0; dy < static_cast<int>(matrix.size()); ++dy) {
        for (int dx = 0; dx < static_cast<int>(matrix[dy].size()); ++dx) {
          const char share = matrix[dy][dx];
          if (share >= '1' && share <= '9') {
            error[y + dy][x + dx - origin + 2] += (value - (set ? 0 : 255)) * (share - '0');
          }
        }
      }
    }
    out.push_back(line);
  }
  return out;
}

// Bayer's 4 x 4 matrix as printed: cell m sets a pixel darker than the
// threshold moved by (m + 1/2) 16 - 128.
std::vector<std::string> Ordered(const std::vector<std::vector<int>>& rows, int threshold) {
  const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  std::vector<std::string> out;
  for (std::size_t y = 0; y < rows.size(); ++y) {
    std::string line;
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      line.push_back(2 * rows[y][x] < 2 * threshold + 32 * bayer[y % 4][x % 4] + 16 - 256 ? '#'
                                                                                          : '.');
    }
    out.push_back(line);
  }
  return out;
}

std::vector<std::vector<int>> Pseudorandom(int width, int height, unsigned seed) {
  std::vector<std::vector<int>> rows(static_cast<std::size_t>(height));
  for (auto& row : rows) {
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      row.push_back(static_cast<int>((seed >> 16) % 256));
    }
  }
  return rows;
}

TEST(ImportDithering, EveryMethodSetsThePixelsOfAnIndependentModel) {
  const std::vector<std::string> floyd{".X7", "351"};
  const std::vector<std::string> atkinson{".X11", "111.", ".1.."};
  // Small asymmetric pictures where one misplaced share shows, then larger ones.
  std::vector<std::vector<std::vector<int>>> pictures{
      {{90, 90}},
      {{57, 57}, {57, 57}},
      {{103}, {103}},
      {{40, 40, 40}},
      {{10, 200, 90}, {140, 60, 250}, {30, 128, 127}}};
  for (unsigned seed = 1; seed <= 6; ++seed) {
    pictures.push_back(
        Pseudorandom(3 + static_cast<int>(seed) * 3, 2 + static_cast<int>(seed), seed));
  }
  for (const auto& picture : pictures) {
    for (const int threshold : {128, 90, 200}) {
      for (const auto& [name, expected] :
           {std::pair{"floyd-steinberg", Diffused(picture, threshold, floyd, 16)},
            std::pair{"atkinson", Diffused(picture, threshold, atkinson, 8)},
            std::pair{"bayer", Ordered(picture, threshold)}}) {
        ImportSettings settings;
        settings.threshold = threshold;
        settings.dithering = imaging::DitheringNamed(name).value();
        EXPECT_EQ(imaging::DitheringName(settings.dithering), name);
        EXPECT_EQ(Rows(Reduced(FrameOf(picture), settings)), expected)
            << name << " " << picture.size() << " " << threshold;
      }
    }
  }
  // Worked by hand: 90 leaves 90 x 7/16 = 39 for its right neighbour.
  ImportSettings floyd16;
  floyd16.dithering = Dithering::kFloydSteinberg;
  EXPECT_EQ(Rows(Reduced(FrameOf({{90, 90}}), floyd16)), std::vector<std::string>{"#."});
  EXPECT_EQ(Rows(Reduced(FrameOf({{150, 100}}), floyd16)), std::vector<std::string>{".#"});
}

TEST(ImportDithering, WithoutDitheringTheThresholdSetsAllOrNothing) {
  const imaging::GrayFrame grey = FrameOf({{127, 128, 129, 0, 255}});
  struct Row {
    int threshold;
    bool invert;
    std::string set;
  };
  for (const Row& row : {Row{128, false, "#..#."}, Row{129, false, "##.#."}, Row{0, false, "....."},
                         Row{255, false, "####."}, Row{128, true, ".##.#"}}) {
    ImportSettings settings;
    settings.threshold = row.threshold;
    settings.invert = row.invert;
    settings.dithering = imaging::DitheringNamed("none").value();
    EXPECT_EQ(Rows(Reduced(grey, settings)), std::vector<std::string>{row.set})
        << row.threshold << " " << row.invert;
  }
}

TEST(ImportLuminance, WeighsRedGreenAndBlueAsRec709) {
  // 0.2126, 0.7152 and 0.0722 of 255, rounded; white and black stay as they are.
  const std::vector<std::uint8_t> rgba{255, 0,   0,   255, 0, 255, 0, 77,  0,   0,   255, 255,
                                       255, 255, 255, 255, 0, 0,   0, 255, 200, 100, 50,  128};
  const imaging::GrayFrame frame = imaging::FrameFromRgba(3, 2, rgba);
  EXPECT_EQ(frame.luminance.values, (std::vector<std::uint8_t>{54, 182, 18, 255, 0, 118}));
  ASSERT_TRUE(frame.alpha.has_value());
  EXPECT_EQ(frame.alpha->values, (std::vector<std::uint8_t>{255, 77, 255, 255, 255, 128}));
  EXPECT_FALSE(imaging::FrameFromRgba(1, 1, std::vector<std::uint8_t>{1, 2, 3, 255}).alpha);
  EXPECT_THROW(imaging::FrameFromRgba(1, 1, std::vector<std::uint8_t>{1, 2, 3, 255, 0}), AppError);
  // 182 at 77/255 on white: (182 x 77 + 255 x 178) / 255 = 232.96; 118 at
  // 128/255: 186.2. On black: 54.96 and 59.2.
  EXPECT_EQ(imaging::Composite(frame, 255).values,
            (std::vector<std::uint8_t>{54, 233, 18, 255, 0, 186}));
  EXPECT_EQ(imaging::Composite(frame, 0).values,
            (std::vector<std::uint8_t>{54, 55, 18, 255, 0, 59}));
}

TEST(ImportLimits, TheBitmapAndItsCodedItemsStopAt32766) {
  const auto rowsOf = [](std::vector<std::uint8_t> bytes) {
    imaging::GrayFrame frame{{8, static_cast<int>(bytes.size()), {}}, {}};
    for (const std::uint8_t byte : bytes) {
      for (int bit = 0; bit < 8; ++bit)
        frame.luminance.values.push_back((byte >> bit) & 1 ? 0 : 255);
    }
    return frame;
  };
  // 0x55 is one item; a lone 0x00 two, as is a run of up to 256.
  const std::vector<std::uint8_t> plain(32766, 0x55);
  std::vector<std::uint8_t> lone;
  for (int i = 0; i < 10922; ++i) lone.insert(lone.end(), {0x00, 0x55});
  std::vector<std::uint8_t> runs(32766, 0x00);
  // A run of 256 is two items, then 10,920 pairs of three and four lone bytes.
  std::vector<std::uint8_t> longRun(256, 0xFF);
  for (int i = 0; i < 10920; ++i) longRun.insert(longRun.end(), {0x00, 0x55});
  longRun.insert(longRun.end(), 4, 0x55);
  // A run of 257 is two runs, four items.
  std::vector<std::uint8_t> longerRun = longRun;
  longerRun.insert(longerRun.begin(), 0xFF);
  longerRun.pop_back();
  std::vector<std::uint8_t> plainOver = plain;
  plainOver.push_back(0x55);
  std::vector<std::uint8_t> loneOver = lone;
  loneOver.push_back(0x55);
  struct Row {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool fits;
    ConversionChoice conversion = {};
  };
  for (const Row& row :
       {Row{"32766 bytes", plain, true}, Row{"32767 bytes", plainOver, false},
        Row{"32766 items", lone, true}, Row{"32767 items", loneOver, false},
        Row{"128 runs of 256", runs, true}, Row{"32766 items with a run of 256", longRun, true},
        Row{"32767 items with a run of 257", longerRun, false},
        Row{"32767 items uncompressed", loneOver, true, {ByteLayout::kXbm, true}},
        Row{"32767 items with the bits reversed",
            loneOver,
            false,
            {ByteLayout::kRowsMsb, false}}}) {
    ImportSettings settings;
    settings.conversion = row.conversion;
    try {
      const auto bitmaps = imaging::ImportFrames({rowsOf(row.bytes)}, "/img/tall.png", settings);
      EXPECT_TRUE(row.fits) << row.what;
      EXPECT_EQ(bitmaps.front().bitmap.bits, row.bytes) << row.what;
    } catch (const AppError& error) {
      EXPECT_FALSE(row.fits) << row.what << ": " << error.Description();
      EXPECT_EQ(error.Number(), error::kImageTooLarge);
      EXPECT_NE(error.Description().find("/img/tall.png"), std::string::npos);
    }
  }
  // 40,000 x 1 takes 5,000 bytes as rows but 40,000 as pages of columns.
  ImportSettings pages;
  pages.conversion.layout = ByteLayout::kPages;
  const imaging::GrayFrame wide{{40000, 1, std::vector<std::uint8_t>(40000, 255)}, {}};
  EXPECT_EQ(imaging::ImportFrames({wide}, "/img/wide.png", {}).front().bitmap.bits.size(), 5000u);
  EXPECT_THROW(imaging::ImportFrames({wide}, "/img/wide.png", pages), AppError);
  for (const imaging::Size box : {imaging::Size{0, 8}, imaging::Size{8, 0}}) {
    ImportSettings noBox;
    noBox.fit = box;
    EXPECT_THROW(imaging::ImportFrames({wide}, "/img/wide.png", noBox), AppError);
  }
  // 1 x 262,128 turned a quarter is 262,128 x 1: 32,766 bytes.
  ImportSettings turned;
  turned.rotation = 90;
  const imaging::GrayFrame tall{{1, 262128, std::vector<std::uint8_t>(262128, 255)}, {}};
  EXPECT_EQ(imaging::ImportFrames({tall}, "/img/tall.png", turned).front().bitmap.bits.size(),
            32766u);
}

TEST(ImportOrientation, TurnsClockwiseThenFlips) {
  struct Row {
    int rotation;
    Flip flip;
    std::vector<std::string> rows;
  };
  // A dark corner pixel and a dark second row start: "#..", "##.".
  const std::string corner = test::WritePng({3, 2, {0, 255, 255, 0, 0, 255}, {}}, PngKind::kGrey8);
  for (const Row& row : {
           Row{0, Flip::kNone, {"#..", "##."}},
           Row{90, Flip::kNone, {"##", "#.", ".."}},
           Row{180, Flip::kNone, {".##", "..#"}},
           Row{270, Flip::kNone, {"..", ".#", "##"}},
           Row{0, Flip::kHorizontal, {"..#", ".##"}},
           Row{0, Flip::kVertical, {"##.", "#.."}},
           Row{90, Flip::kHorizontal, {"##", ".#", ".."}},
           Row{90, Flip::kVertical, {"..", "#.", "##"}},
       }) {
    ImportSettings settings;
    settings.rotation = row.rotation;
    settings.flip = row.flip;
    EXPECT_TRUE(imaging::IsRotation(row.rotation) && !imaging::IsRotation(row.rotation + 45));
    EXPECT_EQ(Rows(Import(corner, settings)), row.rows) << row.rotation;
  }
}

TEST(ImportFit, KeepsTheAspectAndCentresOnTheBackground) {
  struct Row {
    int width;
    int height;
    bool invert;
    // The dark square's place in the 128 x 64 result.
    int left;
    int top;
    int right;
    int bottom;
  };
  for (const Row& row : {Row{1000, 500, false, 0, 0, 128, 64}, Row{100, 100, false, 32, 0, 96, 64},
                         Row{100, 100, true, 0, 0, 0, 0}, Row{10, 40, false, 56, 0, 72, 64}}) {
    ImportSettings settings;
    settings.fit = imaging::Size{128, 64};
    settings.invert = row.invert;
    const Bitmap bitmap =
        Import(test::WritePng(Flat(row.width, row.height, 0), PngKind::kGrey8), settings);
    ASSERT_EQ(bitmap.width, 128);
    ASSERT_EQ(bitmap.height, 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 128; ++x) {
        const bool inside = x >= row.left && x < row.right && y >= row.top && y < row.bottom;
        ASSERT_EQ(bitmap.Pixel(x, y), inside)
            << row.width << " x " << row.height << " at " << x << "," << y;
      }
    }
  }
}

// A second model of the fit's averaging, in exact whole numbers: target
// pixel t of T covers source [t S / T, (t + 1) S / T), so in units of 1 / T
// of a source pixel every overlap is a whole number.
std::vector<std::string> AreaAverage(const std::vector<std::vector<int>>& rows, int width,
                                     int height, int threshold) {
  const int sourceWidth = static_cast<int>(rows[0].size());
  const int sourceHeight = static_cast<int>(rows.size());
  const auto overlap = [](int t, int target, int s, int source) {
    const long begin = std::max<long>(long{t} * source, long{s} * target);
    const long end = std::min<long>(long{t + 1} * source, long{s + 1} * target);
    return std::max<long>(0, end - begin);
  };
  std::vector<std::string> out;
  for (int y = 0; y < height; ++y) {
    std::string line;
    for (int x = 0; x < width; ++x) {
      long sum = 0;
      for (int sy = 0; sy < sourceHeight; ++sy) {
        for (int sx = 0; sx < sourceWidth; ++sx) {
          sum += overlap(x, width, sx, sourceWidth) * overlap(y, height, sy, sourceHeight) *
                 rows[sy][sx];
        }
      }
      // Set when the rounded average is below the threshold.
      const long area = long{sourceWidth} * sourceHeight;
      line.push_back(2 * sum < (2L * threshold - 1) * area ? '#' : '.');
    }
    out.push_back(line);
  }
  return out;
}

TEST(ImportFit, EveryPixelIsTheAverageOfTheAreaItCovers) {
  struct Row {
    std::vector<std::vector<int>> picture;
    int width;
    int height;
  };
  std::vector<Row> rows{{{{0, 255, 0}}, 2, 1},
                        {{{0, 255, 255, 0, 255}, {255, 0, 100, 255, 30}}, 2, 1},
                        {{{0, 250}, {240, 255}}, 3, 3},
                        {{{0, 10, 250}, {90, 255, 60}, {200, 130, 30}}, 2, 2},
                        {{{0, 10, 250}, {90, 255, 60}, {200, 130, 30}}, 5, 5},
                        {Pseudorandom(12, 6, 7), 8, 4},
                        {Pseudorandom(7, 14, 9), 3, 6},
                        {Pseudorandom(5, 3, 11), 15, 9}};
  for (const Row& row : rows) {
    for (const int threshold : {60, 128, 190}) {
      ImportSettings settings;
      settings.fit = imaging::Size{row.width, row.height};
      settings.threshold = threshold;
      EXPECT_EQ(Rows(Reduced(FrameOf(row.picture), settings)),
                AreaAverage(row.picture, row.width, row.height, threshold))
          << row.picture[0].size() << " x " << row.picture.size() << " into " << row.width << " x "
          << row.height << " at " << threshold;
    }
  }
}

TEST(ImportFit, TheScaledSideIsRoundedAndCentredTowardsTheTopLeft) {
  struct Row {
    std::vector<std::vector<int>> picture;
    int width;
    int height;
    std::vector<std::string> expected;
  };
  for (const Row& row : {
           // 1 x 1 into 2 x 1: one pixel wide, its margin of one on the right.
           Row{{{0}}, 2, 1, {"#."}},
           Row{{{0}}, 1, 2, {"#", "."}},
           // The average 127.5 rounds to 128, which the threshold leaves unset.
           Row{{{127, 128}}, 1, 1, {"."}},
           // 2 x 1 into 3 x 3: 3 x 1.5 rounds to 3 x 2, the spare row below.
           Row{{{0, 0}}, 3, 3, {"###", "###", "..."}},
           Row{{{0}, {0}}, 3, 3, {"##.", "##.", "##."}},
           // 3 x 1 into 4 x 4: 4 x 1.33 rounds to 4 x 1, one row above it.
           Row{{{0, 0, 0}}, 4, 4, {"....", "####", "....", "...."}},
           // 1 x 4 into 3 x 2: 0.5 x 2 rounds to 1 x 2 (never 0), one column left.
           Row{{{0}, {0}, {0}, {0}}, 3, 2, {".#.", ".#."}},
           // 1 x 10 into 3 x 2 and 10 x 1 into 2 x 3: 0.2 rounds to 0, kept at 1.
           Row{std::vector<std::vector<int>>(10, {0}), 3, 2, {".#.", ".#."}},
           Row{{std::vector<int>(10, 0)}, 2, 3, {"..", "##", ".."}},
       }) {
    ImportSettings settings;
    settings.fit = imaging::Size{row.width, row.height};
    EXPECT_EQ(Rows(Reduced(FrameOf(row.picture), settings)), row.expected)
        << row.picture[0].size() << " x " << row.picture.size() << " into " << row.width << " x "
        << row.height;
  }
}

}  // namespace
}  // namespace lumivane
