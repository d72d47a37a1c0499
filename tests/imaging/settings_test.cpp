// What the settings make of known pictures: PNG variants, dithering of a flat
// grey, turning, flipping and fitting.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_writers.h"
#include "import_image.h"

namespace lumivane {
namespace {

using imaging::Bitmap;
using imaging::Dithering;
using imaging::Flip;
using imaging::ImportSettings;
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

int SetBits(const Bitmap& bitmap) {
  int count = 0;
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) count += bitmap.Pixel(x, y) ? 1 : 0;
  }
  return count;
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

// A 3 x 2 picture with one dark corner pixel and a dark second row start:
//   # . .
//   # # .
GreyPicture Corner() {
  return {3, 2, {0, 255, 255, 0, 0, 255}, {}};
}

TEST(ImportPngKinds, EveryKindGivesTheDarkPixels) {
  GreyPicture picture = Corner();
  // Opaque dark and light pixels, plus a transparent dark one that must not show.
  picture.width = 4;
  picture.height = 2;
  picture.grey = {0, 255, 255, 0, 0, 0, 255, 200};
  const std::vector<std::string> expected{"#..#", "##.."};
  for (const PngKind kind :
       {PngKind::kGrey8, PngKind::kGrey16, PngKind::kPalette, PngKind::kInterlaced}) {
    GreyPicture opaque = picture;
    opaque.grey[7] = 255;
    EXPECT_EQ(Rows(Import(test::WritePng(opaque, kind))), expected) << static_cast<int>(kind);
  }
  GreyPicture transparent = picture;
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

TEST(ImportDithering, HalfGreySetsHalfTheBitsWithEveryMethod) {
  const std::string grey = test::WritePng(Flat(64, 64, 128), PngKind::kGrey8);
  for (const Dithering dithering :
       {Dithering::kFloydSteinberg, Dithering::kAtkinson, Dithering::kBayer}) {
    ImportSettings settings;
    settings.dithering = dithering;
    const int set = SetBits(Import(grey, settings));
    EXPECT_NEAR(set, 64 * 64 / 2, 64 * 64 * 2 / 100) << imaging::DitheringName(dithering);
  }
}

TEST(ImportDithering, WithoutDitheringTheThresholdSetsAllOrNothing) {
  const std::string grey = test::WritePng(Flat(16, 8, 128), PngKind::kGrey8);
  struct Row {
    int threshold;
    bool invert;
    int set;
  };
  for (const Row& row : {Row{128, false, 0}, Row{129, false, 128}, Row{0, false, 0},
                         Row{255, false, 128}, Row{128, true, 128}, Row{129, true, 0}}) {
    ImportSettings settings;
    settings.threshold = row.threshold;
    settings.invert = row.invert;
    EXPECT_EQ(SetBits(Import(grey, settings)), row.set) << row.threshold << " " << row.invert;
  }
}

TEST(ImportOrientation, TurnsClockwiseThenFlips) {
  struct Row {
    int rotation;
    Flip flip;
    std::vector<std::string> rows;
  };
  const std::string corner = test::WritePng(Corner(), PngKind::kGrey8);
  for (const Row& row : {
           Row{0, Flip::kNone, {"#..", "##."}},
           Row{90, Flip::kNone, {"##", "#.", ".."}},
           Row{180, Flip::kNone, {".##", "..#"}},
           Row{270, Flip::kNone, {"..", ".#", "##"}},
           Row{0, Flip::kHorizontal, {"..#", ".##"}},
           Row{0, Flip::kVertical, {"##.", "#.."}},
           Row{90, Flip::kHorizontal, {"##", ".#", ".."}},
       }) {
    ImportSettings settings;
    settings.rotation = row.rotation;
    settings.flip = row.flip;
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
    settings.fit = imaging::FitBox{128, 64};
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

TEST(ImportFit, AveragesTheAreaItShrinks) {
  // Stripes one pixel wide turn into flat half grey when halved.
  GreyPicture stripes = Flat(64, 32, 255);
  for (std::size_t i = 0; i < stripes.grey.size(); i += 2) stripes.grey[i] = 0;
  ImportSettings settings;
  settings.fit = imaging::FitBox{32, 16};
  settings.threshold = 129;
  EXPECT_EQ(SetBits(Import(test::WritePng(stripes, PngKind::kGrey8), settings)), 32 * 16);
  settings.threshold = 127;
  EXPECT_EQ(SetBits(Import(test::WritePng(stripes, PngKind::kGrey8), settings)), 0);
}

}  // namespace
}  // namespace lumivane
