// The XBM text an import hands to the conversion, and the names it carries.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_error.h"
#include "image_writers.h"
#include "import.h"

namespace lumivane {
namespace {

TEST(ImportXbmText, IsWrittenAsImageEditorsWriteIt) {
  imaging::Bitmap bitmap{16, 7, {}};
  for (int i = 0; i < 14; ++i) bitmap.bits.push_back(static_cast<std::uint8_t>(i * 17 + 10));
  EXPECT_EQ(imaging::XbmText(bitmap, "logo"),
            "#define logo_width 16\r\n"
            "#define logo_height 7\r\n"
            "static unsigned char logo_bits[] = {\r\n"
            "   0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f, 0x70, 0x81, 0x92, 0xa3, 0xb4, 0xc5,\r\n"
            "   0xd6, 0xe7 };\r\n");
}

TEST(ImportXbmText, NamesAreCIdentifiersFromTheFileNameBeforeItsFirstDot) {
  for (const auto& [path, name] :
       std::vector<std::pair<std::string, std::string>>{{"/img/logo.png", "logo"},
                                                        {"/img/logo.small.png", "logo"},
                                                        {"logo", "logo"},
                                                        {"/a.b/pic.png", "pic"},
                                                        {"/img/my photo-1.png", "my_photo_1"},
                                                        {"/img/2logo.png", "_2logo"},
                                                        {"/img/0.png", "_0"},
                                                        {"/img/.logo.png", "logo"},
                                                        {"/img/..png", "png"},
                                                        {"/img/.png", "png"},
                                                        {"/img/.", "_"},
                                                        {"/img/Caf\xC3\xA9_9.gif", "Caf___9"},
                                                        // Only the native separator parts folders.
                                                        {"dir\\icon.v2.gif", "dir_icon"}}) {
    EXPECT_EQ(imaging::ArrayNameOf(path), name) << path;
  }
}

TEST(ImportXbmText, EveryFrameOfAnAnimationIsItsOwnBitmap) {
  std::vector<test::GreyPicture> frames;
  for (int frame = 0; frame < 3; ++frame) {
    test::GreyPicture picture{8, 2, std::vector<std::uint8_t>(16, 255), {}};
    picture.grey[static_cast<std::size_t>(frame)] = 0;
    frames.push_back(picture);
  }
  const auto bitmaps = imaging::ImportImage(test::WriteGif(frames), "/img/spin.gif", {});
  ASSERT_EQ(bitmaps.size(), 3u);
  for (std::size_t i = 0; i < bitmaps.size(); ++i) {
    const std::string name = "spin_" + std::to_string(i);
    EXPECT_EQ(bitmaps[i].name, name);
    EXPECT_EQ(bitmaps[i].xbmText.rfind("#define " + name + "_width 8\r\n", 0), 0u);
    EXPECT_EQ(bitmaps[i].bitmap.bits,
              (std::vector<std::uint8_t>{static_cast<std::uint8_t>(1 << i), 0}));
  }
}

TEST(ImportGif, FramesAreComposedAsABrowserShowsThem) {
  // White, then black over the middle pixel, disposed of as the row says,
  // then a frame wholly transparent: what shows of the second frame then.
  const test::GreyPicture white{3, 1, {255, 255, 255}, {}};
  const test::GreyPicture black{1, 1, {0}, {}};
  const test::GreyPicture clear{3, 1, {0, 0, 0}, {0, 0, 0}};
  struct Row {
    int disposal;
    bool backgroundSet;
    const char* third;
  };
  for (const Row& row : {Row{1, false, ".#."}, Row{1, true, ".#."}, Row{2, false, "..."},
                         Row{2, true, ".#."}, Row{3, false, "..."}, Row{3, true, "..."}}) {
    imaging::ImportSettings settings;
    settings.backgroundSet = row.backgroundSet;
    const std::string gif =
        test::WriteGif(3, 1, {{white, 0, 0, 1}, {black, 1, 0, row.disposal, 7}, {clear}}, false);
    const auto bitmaps = imaging::ImportImage(gif, "/img/spin.gif", settings);
    ASSERT_EQ(bitmaps.size(), 3u);
    std::string third;
    for (int x = 0; x < 3; ++x) third.push_back(bitmaps[2].bitmap.Pixel(x, 0) ? '#' : '.');
    EXPECT_EQ(third, row.third) << row.disposal << " " << row.backgroundSet;
    EXPECT_EQ(bitmaps[1].bitmap.bits, std::vector<std::uint8_t>{0x02});
    EXPECT_EQ(bitmaps[1].delayMs, 70);
  }
  // On white, a frame reaching past the screen's right and bottom edges (its
  // rows black, white, black) is clipped to it, and disposed of within it;
  // the file says it is GIF87a.
  const std::vector<std::uint8_t> paper(9, 255);
  const std::vector<std::uint8_t> none(9, 0);
  const std::string clip = test::WriteGif(3, 3,
                                          {{{3, 3, paper, {}}, 0, 0, 1},
                                           {{2, 3, {0, 0, 255, 255, 0, 0}, {}}, 2, 1, 2},
                                           {{3, 3, paper, none}}},
                                          true);
  for (const bool backgroundSet : {false, true}) {
    imaging::ImportSettings settings;
    settings.backgroundSet = backgroundSet;
    const auto clipped = imaging::ImportImage("GIF87a" + clip.substr(6), "/img/clip.gif", settings);
    EXPECT_EQ(clipped[1].bitmap.bits, (std::vector<std::uint8_t>{0x00, 0x04, 0x00}));
    const std::uint8_t disposed = backgroundSet ? 0x04 : 0x00;
    EXPECT_EQ(clipped[2].bitmap.bits, (std::vector<std::uint8_t>{0x00, disposed, disposed}));
  }
}

TEST(ImportGif, TooManyFramesAreRefusedForTheirRealCause) {
  const test::GreyPicture pixel{1, 1, {0}, {}};
  std::vector<test::GifFrame> many(1024, test::GifFrame{pixel});
  const std::string most = test::WriteGif(1, 1, many, false);
  many.push_back({pixel});
  const test::GifFrame two[] = {{pixel}, {pixel}};
  struct Row {
    std::string gif;
    // Empty where the frames are at the limit and import.
    const char* cause;
  };
  for (const Row& row :
       {Row{test::WriteGif(1, 1, many, false), "more than 1024 frames"}, Row{most, ""},
        Row{test::WriteGif(4096, 4096, {two[0], two[1]}, false), "2 frames of 4096 x 4096"},
        Row{test::WriteGif(4096, 4096, {two[0]}, false), ""}}) {
    try {
      imaging::ImportSettings fitted;
      fitted.fit = imaging::Size{128, 64};
      imaging::ImportImage(row.gif, "/img/many.gif", fitted);
      EXPECT_STREQ(row.cause, "") << "imported";
    } catch (const AppError& error) {
      EXPECT_EQ(error.Number(), error::kImageTooLarge);
      EXPECT_TRUE(*row.cause != '\0' && error.Description().find(row.cause) != std::string::npos)
          << error.Description();
    }
  }
}

// A JPEG of 24 x 16 pixels, black only in its top left 8 x 8 block, with an
// EXIF orientation (in either byte order).
std::string TurnedJpeg(int orientation, int width = 24, int height = 16) {
  test::GreyPicture picture{
      width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 255), {}};
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) picture.grey[static_cast<std::size_t>(y * width + x)] = 0;
  }
  const bool big = orientation % 2 == 0;
  const auto number = [big](std::uint32_t value, int bytes) {
    const std::string little = test::Little(value, bytes);
    return big ? std::string(little.rbegin(), little.rend()) : little;
  };
  // The TIFF header, two spare bytes, then a directory of two entries: the
  // width (a short, 24), then the orientation.
  const std::string exif =
      std::string("Exif\0\0", 6) + (big ? "MM" : "II") + number(42, 2) + number(10, 4) +
      std::string(2, '\0') + number(2, 2) + number(0x0100, 2) + number(3, 2) + number(1, 4) +
      number(24, 2) + std::string(2, '\0') + number(0x0112, 2) + number(3, 2) + number(1, 4) +
      number(static_cast<std::uint32_t>(orientation), 2) + std::string(6, '\0');
  // An APP1 segment of XMP comes first, which names no orientation.
  const auto app1 = [](const std::string& payload) {
    const std::string length = test::Little(static_cast<std::uint32_t>(payload.size() + 2), 2);
    return "\xFF\xE1" + std::string(length.rbegin(), length.rend()) + payload;
  };
  return test::WriteJpeg(picture, 95)
      .insert(2, app1(std::string("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 41)) + app1(exif));
}

TEST(ImportJpeg, ExifOrientationTurnsThePictureBeforeTheSettings) {
  struct Row {
    int orientation;
    int rotation;
    std::vector<std::string> blocks;
  };
  for (const Row& row :
       {Row{1, 0, {"#..", "..."}}, Row{2, 0, {"..#", "..."}}, Row{3, 0, {"...", "..#"}},
        Row{4, 0, {"...", "#.."}}, Row{5, 0, {"#.", "..", ".."}}, Row{6, 0, {".#", "..", ".."}},
        Row{7, 0, {"..", "..", ".#"}}, Row{8, 0, {"..", "..", "#."}}, Row{6, 90, {"...", "..#"}},
        Row{9, 0, {"#..", "..."}}}) {
    imaging::ImportSettings settings;
    settings.rotation = row.rotation;
    const auto bitmaps =
        imaging::ImportImage(TurnedJpeg(row.orientation), "/img/turned.jpg", settings);
    const imaging::Bitmap& bitmap = bitmaps.front().bitmap;
    ASSERT_EQ(bitmap.width, 8 * static_cast<int>(row.blocks[0].size())) << row.orientation;
    ASSERT_EQ(bitmap.height, 8 * static_cast<int>(row.blocks.size())) << row.orientation;
    std::vector<std::string> blocks;
    for (int y = 4; y < bitmap.height; y += 8) {
      blocks.emplace_back();
      for (int x = 4; x < bitmap.width; x += 8)
        blocks.back().push_back(bitmap.Pixel(x, y) ? '#' : '.');
    }
    EXPECT_EQ(blocks, row.blocks) << row.orientation << " " << row.rotation;
  }
  // 9 x 20,000 shown a quarter turned takes 2,500 x 9 bytes, not 2 x 20,000.
  EXPECT_EQ(
      imaging::ImportImage(TurnedJpeg(6, 9, 20000), "/img/turned.jpg", {}).front().bitmap.width,
      20000);
}

TEST(ImportJpeg, DarkPixelsOfAGreyAndAColourJpegAreSet) {
  // Grey: the left half black. Colour: azure (0, 160, 255) all over, light
  // by Rec. 709 (133) though dark by the weights JPEG's own grey uses (123).
  // CMYK, inks stored inverted: 255, 165, 225 under black 150 is 150, 97,
  // 132, grey 111; 5, 110, 255 under 255 is grey 98: both dark, but neither
  // with black left out of an ink or two inks traded; 255, 255, 255 under
  // 200 is grey 200, light, but dark with black read the wrong way round.
  test::GreyPicture grey{16, 16, {}, {}};
  test::GreyPicture azure{16, 16, std::vector<std::uint8_t>(256, 0), {}};
  test::GreyPicture cmyk = azure;
  test::GreyPicture cmykBlue = azure;
  test::GreyPicture cmykLight = azure;
  for (int i = 0; i < 256; ++i) {
    grey.grey.push_back(i % 16 < 8 ? 0 : 255);
    azure.rgb.insert(azure.rgb.end(), {0, 160, 255});
    cmyk.rgb.insert(cmyk.rgb.end(), {255, 165, 225, 150});
    cmykBlue.rgb.insert(cmykBlue.rgb.end(), {5, 110, 255, 255});
    cmykLight.rgb.insert(cmykLight.rgb.end(), {255, 255, 255, 200});
  }
  for (const auto& [picture, darkColumns] :
       {std::pair{grey, 8}, std::pair{azure, 0}, std::pair{cmyk, 16}, std::pair{cmykBlue, 16},
        std::pair{cmykLight, 0}}) {
    for (const bool progressive : {false, true}) {
      const auto bitmaps =
          imaging::ImportImage(test::WriteJpeg(picture, 95, progressive), "/img/pic.jpg", {});
      ASSERT_EQ(bitmaps.size(), 1u);
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
          EXPECT_EQ(bitmaps[0].bitmap.Pixel(x, y), x < darkColumns) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace lumivane
