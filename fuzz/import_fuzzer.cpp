// Feeds arbitrary bytes to the image import as a file of each format, with
// settings taken from the input, and checks what must hold for every input:
// either bitmaps that fit the conversion, in the XBM text they are written
// as, or one of the import's errors naming the file. Never a crash, a leak or
// a read outside a buffer.
//
// Input: byte 0 picks the format whose magic is put in front when missing
// (0 PNG, 1 GIF, 2 JPEG, 3 BMP, 4 PBM, 5 PGM; 6 and 7 leave the bytes as
// they are), whether the background is set (bit 3) and the threshold (bits
// 4 to 7); byte 1 holds the other settings; the rest is the file.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app_error.h"
#include "import.h"

namespace {

using namespace lumivane;

constexpr std::string_view kPath = "/fuzz/input.img";
constexpr std::array<std::string_view, 6> kMagic{
    std::string_view("\x89PNG\r\n\x1a\n", 8), "GIF89a", "\xff\xd8\xff", "BM", "P4", "P5"};

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

imaging::ImportSettings SettingsFrom(std::uint8_t first, std::uint8_t second) {
  imaging::ImportSettings settings;
  settings.threshold = (first >> 4) * 17;
  settings.dithering = static_cast<imaging::Dithering>(second & 3);
  settings.rotation = ((second >> 2) & 3) * 90;
  settings.invert = (second & 0x10) != 0;
  settings.flip = static_cast<imaging::Flip>(((second >> 5) & 1) + ((second >> 6) & 1));
  if ((second & 0x80) != 0) settings.fit = imaging::Size{64, 32};
  settings.backgroundSet = (first & 8) != 0;
  return settings;
}

std::size_t CountLiterals(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("0x"); at != std::string_view::npos;
       at = text.find("0x", at + 2)) {
    ++count;
  }
  return count;
}

void CheckBitmaps(const std::vector<imaging::ImportedBitmap>& bitmaps,
                  const imaging::ImportSettings& settings) {
  Require(!bitmaps.empty(), "an import without bitmaps");
  for (const imaging::ImportedBitmap& imported : bitmaps) {
    const imaging::Bitmap& bitmap = imported.bitmap;
    Require(bitmap.width > 0 && bitmap.height > 0, "an empty bitmap");
    const auto bytes = static_cast<std::size_t>(imaging::Bitmap::RowBytes(bitmap.width)) *
                       static_cast<std::size_t>(bitmap.height);
    Require(bitmap.bits.size() == bytes, "bits not in whole rows");
    Require(bytes <= imaging::kMaxBitmapBytes, "a bitmap larger than the conversion takes");
    if (settings.fit) {
      Require(bitmap.width == settings.fit->width && bitmap.height == settings.fit->height,
              "a fitted bitmap of another size");
    }
    Require(imported.name.rfind("input", 0) == 0, "a name not from the file name");
    Require(CountLiterals(imported.xbmText) == bytes, "XBM text with another byte count");
    Require(imported.xbmText.ends_with(" };\r\n"), "XBM text not closed");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const imaging::ImportSettings settings = SettingsFrom(data[0], data[1]);
  std::string file(reinterpret_cast<const char*>(data + 2), size - 2);
  const unsigned format = data[0] & 7u;
  if (format < kMagic.size() && !file.starts_with(kMagic[format])) {
    file.insert(0, kMagic[format]);
  }
  try {
    CheckBitmaps(imaging::ImportImage(file, kPath, settings), settings);
  } catch (const AppError& error) {
    const int number = error.Number();
    Require(number == error::kImageFormatUnknown || number == error::kImageDamaged ||
                number == error::kImageTooLarge,
            "an error that is not the import's");
    Require(error.Description().find(kPath) != std::string::npos, "an error not naming the file");
  }
  return 0;
}
