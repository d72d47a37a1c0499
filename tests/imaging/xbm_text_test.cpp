// The XBM text an import hands to the conversion, and the names it carries.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(ImportJpeg, DarkHalfOfAGreyJpegIsSet) {
  test::GreyPicture picture{16, 16, {}, {}};
  for (int i = 0; i < 256; ++i) picture.grey.push_back(i % 16 < 8 ? 0 : 255);
  const auto bitmaps = imaging::ImportImage(test::WriteJpeg(picture, 95), "/img/half.jpg", {});
  ASSERT_EQ(bitmaps.size(), 1u);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) EXPECT_EQ(bitmaps[0].bitmap.Pixel(x, y), x < 8) << x << "," << y;
  }
}

}  // namespace
}  // namespace lumivane
