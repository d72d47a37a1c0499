// Damaged and hostile image files: each is refused with an error that names
// the file, before a large picture is ever allocated.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "app_error.h"
#include "image_writers.h"
#include "import.h"

namespace lumivane {
namespace {

using test::GreyPicture;
using test::Little;

constexpr char kPath[] = "/img/hostile.img";

void AppendBig(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void AppendChunk(std::string& png, const std::string& type, const std::string& data) {
  AppendBig(png, static_cast<std::uint32_t>(data.size()));
  const std::string body = type + data;
  png += body;
  AppendBig(png, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                  static_cast<uInt>(body.size()))));
}

// A greyscale PNG that declares the size and holds a few kilobytes of
// compressed zeros that would inflate to far more.
std::string PngDeclaring(std::uint32_t width, std::uint32_t height, char colourType = 0) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  AppendBig(header, width);
  AppendBig(header, height);
  header += std::string("\x08") + colourType + std::string("\x00\x00\x00", 3);
  AppendChunk(png, "IHDR", header);
  const std::string zeros(1 << 20, '\0');
  uLongf length = compressBound(static_cast<uLong>(zeros.size()));
  std::string packed(length, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &length,
           reinterpret_cast<const Bytef*>(zeros.data()), static_cast<uLong>(zeros.size()));
  packed.resize(length);
  AppendChunk(png, "IDAT", packed);
  AppendChunk(png, "IEND", "");
  return png;
}

std::string GifDeclaring(unsigned width, unsigned height) {
  const std::string size = Little(width, 2) + Little(height, 2);
  std::string gif = "GIF89a" + size + std::string("\xF7\x00\x00", 3) + std::string(768, '\x80') +
                    "," + Little(0, 4) + size + std::string("\x00\x08", 2);
  for (int block = 0; block < 16; ++block) gif += '\xFF' + std::string(255, '\x00');
  return gif + std::string("\x00;", 2);
}

std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
  return bytes.replace(at, with.size(), with);
}

std::string BmpDeclaring(unsigned width, unsigned height) {
  return Patched(test::WriteBmp({1, 1, {0}, {}}), 18, Little(width, 4) + Little(height, 4)) +
         std::string(4096, '\0');
}

// Baseline grey, or progressive CMYK: four whole planes of coefficients.
std::string JpegDeclaring(unsigned width, unsigned height, bool progressiveCmyk = false) {
  const std::string jpeg = test::WriteJpeg({8,
                                            8,
                                            std::vector<std::uint8_t>(64, 0),
                                            {},
                                            std::vector<std::uint8_t>(progressiveCmyk ? 256 : 0)},
                                           90, progressiveCmyk);
  const std::size_t frame = jpeg.find(progressiveCmyk ? "\xFF\xC2" : "\xFF\xC0");
  const std::string size{static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                         static_cast<char>(width >> 8), static_cast<char>(width & 0xFF)};
  return Patched(jpeg, frame + 5, size);
}

std::string Half(const std::string& bytes) {
  return bytes.substr(0, bytes.size() / 2);
}

GreyPicture Checker() {
  GreyPicture picture{32, 32, {}, {}};
  for (int i = 0; i < 32 * 32; ++i) picture.grey.push_back((i + i / 32) % 2 != 0 ? 0 : 255);
  return picture;
}

struct HostileCase {
  const char* what;
  std::string bytes;
  int number;
  // What fitting into 128 x 64 changes: a picture refused only for the size
  // of its bitmap is decoded then; 0 means it imports.
  int fittedNumber = -1;
};

std::vector<HostileCase> HostileCases() {
  const GreyPicture checker = Checker();
  return {
      {"empty file", "", error::kImageFormatUnknown},
      {"wrong magic", "hello, world", error::kImageFormatUnknown},
      {"two of JPEG's three magic bytes", "\xFF\xD8 hello", error::kImageFormatUnknown},
      {"B, but not BM", "BA 1 1", error::kImageFormatUnknown},
      {"Netpbm's PAM, P7", "P7\nWIDTH 1\nHEIGHT 1\n", error::kImageFormatUnknown},
      {"PNG magic only", "\x89PNG\r\n\x1a\n", error::kImageDamaged},
      {"PNG cut in half", Half(test::WritePng(checker, test::PngKind::kGrey8)),
       error::kImageDamaged},
      {"PNG bomb 65535 x 65535", PngDeclaring(65535, 65535), error::kImageTooLarge},
      {"PNG of 16 megapixels and few bytes", PngDeclaring(4096, 4096), error::kImageTooLarge,
       error::kImageDamaged},
      {"PNG over 16 megapixels", PngDeclaring(4097, 4096), error::kImageTooLarge},
      {"PNG zero size", PngDeclaring(0, 16), error::kImageDamaged},
      {"PNG of colour rows too wide to decode", PngDeclaring(1 << 24, 1, 2), error::kImageTooLarge,
       error::kImageTooLarge},
      {"PNG of 6,750,000 colours a row: two file rows and one decoded just over 64 MiB",
       PngDeclaring(6750000, 1, 2), error::kImageTooLarge, error::kImageTooLarge},
      {"PNG of 6,000,000 colours and opacities a row", PngDeclaring(6000000, 1, 6),
       error::kImageTooLarge, error::kImageTooLarge},
      {"PNG tall and thin beyond the bitmap limit", PngDeclaring(1, 40000), error::kImageTooLarge,
       0},
      {"GIF cut in half", Half(test::WriteGif({checker})), error::kImageDamaged},
      {"GIF bomb 65535 x 65535", GifDeclaring(65535, 65535), error::kImageTooLarge},
      {"GIF zero size", GifDeclaring(0, 0), error::kImageDamaged},
      {"GIF header only", "GIF89a", error::kImageDamaged},
      {"GIF of no frame", std::string("GIF89a\x01\0\x01\0\x80\0\0\0\0\0\xFF\xFF\xFF;", 20),
       error::kImageDamaged},
      {"BMP cut in half", Half(test::WriteBmp(checker)), error::kImageDamaged},
      {"BMP bomb 65535 x 65535", BmpDeclaring(65535, 65535), error::kImageTooLarge},
      {"BMP zero size", BmpDeclaring(0, 0), error::kImageDamaged},
      {"BMP with a negative width",
       Patched(BmpDeclaring(8, 8), 18, std::string("\xF8\xFF\xFF\xFF", 4)), error::kImageDamaged},
      {"BMP of sides whose product overflows 64 bits",
       Patched(BmpDeclaring(8, 8), 18, std::string("\x0C\x00\x00\x97\x06\x3A\xF6\xFF", 8)),
       error::kImageDamaged},
      {"JPEG cut in half", Half(test::WriteJpeg(checker, 90)), error::kImageDamaged},
      {"JPEG bomb 65535 x 65535", JpegDeclaring(65535, 65535), error::kImageDamaged},
      {"JPEG bomb 65500 x 65500", JpegDeclaring(65500, 65500), error::kImageTooLarge},
      {"progressive CMYK JPEG of 4096 x 4096, 134 MB of coefficients",
       JpegDeclaring(4096, 4096, true), error::kImageTooLarge, error::kImageTooLarge},
      {"JPEG zero size", JpegDeclaring(0, 8), error::kImageDamaged},
      {"PBM cut in half", Half(test::WritePbm(checker)), error::kImageDamaged},
      {"PBM bomb 65535 x 65535", "P4 65535 65535\n" + std::string(4096, '\xAA'),
       error::kImageTooLarge},
      {"PBM size beyond 32 bits", "P1 99999999999 1\n1", error::kImageDamaged},
      {"PBM zero size", "P1 0 0\n", error::kImageDamaged},
      {"PBM of no rows", "P1 4 0\n", error::kImageDamaged},
      {"PBM of no columns", "P1 0 4\n", error::kImageDamaged},
      {"plain PBM with a digit 2", "P1 2 1 0 2", error::kImageDamaged},
      {"PBM of 70,000 rows", "P4 1 70000\n" + std::string(70000, '\0'), error::kImageTooLarge, 0},
      {"BMP of height -2^31", Patched(BmpDeclaring(8, 8), 22, std::string("\0\0\0\x80", 4)),
       error::kImageDamaged},
      {"PGM cut in half", "P5 32 32 255\n" + std::string(512, '\0'), error::kImageDamaged},
      {"PGM with a width of ten digits", "P5 7777777777 2 255\n" + std::string(64, '7'),
       error::kImageDamaged},
      {"PGM of 16-bit samples, whole", "P5 4 1 65535\n" + std::string(8, '\x10'), 0},
      {"PGM of largest value 256, two bytes a sample, cut short",
       std::string("P5 2 1 256\n\x01\0\x01", 14), error::kImageDamaged},
      {"PPM of 16-bit samples cut short", "P6 4 4 65535\n" + std::string(95, '\0'),
       error::kImageDamaged},
      {"PGM of largest value 0", std::string("P5 1 1 0\n\0", 10), error::kImageDamaged},
      {"plain PPM cut short", "P3 2 1 255 1 2 3 4", error::kImageDamaged},
      {"OS/2 BMP without its pixels",
       std::string("BM\x24\0\0\0\0\0\0\0\x20\0\0\0\x0C\0\0\0\x02\0\x01\0\x01\0\x01\0"
                   "\0\0\0\xFF\xFF\xFF",
                   32),
       error::kImageDamaged},
      {"RLE4 coding in a BMP of 8 bits", test::BmpFile(2, 1, 8, 2, "", std::string("\0\x01", 2)),
       error::kImageDamaged},
      {"RLE8 BMP without its end",
       Patched(test::WriteBmp({4, 1, {255, 255, 255, 255}, {}}), 28,
               std::string("\x08\0\x01\0", 4)),
       error::kImageDamaged},
  };
}

// AddressSanitizer's shadow memory and quarantine of freed blocks count in
// the peak, so only the plain build measures the imports by it.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kPeakIsTheImports = false;
#else
constexpr bool kPeakIsTheImports = true;
#endif

long PeakKibibytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(HostileImages, AreRefusedWithAnErrorNamingTheFile) {
  const long before = PeakKibibytes();
  for (const HostileCase& row : HostileCases()) {
    for (const bool fitted : {false, true}) {
      imaging::ImportSettings settings;
      if (fitted) settings.fit = imaging::Size{128, 64};
      const int expected = fitted && row.fittedNumber >= 0 ? row.fittedNumber : row.number;
      try {
        imaging::ImportImage(row.bytes, kPath, settings);
        EXPECT_EQ(expected, 0) << row.what << ": imported";
      } catch (const AppError& error) {
        EXPECT_EQ(error.Number(), expected) << row.what << ": " << error.Description();
        EXPECT_NE(error.Description().find(kPath), std::string::npos) << error.Description();
      }
    }
  }
  if (kPeakIsTheImports) {
    EXPECT_LT(PeakKibibytes() - before, 100 * 1024);
  }
}

}  // namespace
}  // namespace lumivane
