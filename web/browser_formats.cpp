// The page's decoders for the formats whose libraries the command line links
// (libspng, libjpeg, giflib) and that do not build for the browser: PNG and
// JPEG through stb_image, compiled into the page (a JPEG turned by its EXIF
// orientation, as the command line's reader turns it); GIF by the browser, whose
// frames the page hands over already composed, so only its size is read here.
// BMP and Netpbm use the command line's own readers.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS (1 << 24)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <climits>
#include <memory>

#include "exif_orientation.h"
#include "image_reader.h"
#include "import_errors.h"
#include "import_limits.h"
#include "shaping.h"

namespace lumivane::imaging {
namespace {

struct PixelsDeleter {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The EXIF orientation of a JPEG (1 to 8, 1 when absent or unreadable),
// read from its first APP1 "Exif" segment before the scan, as the command
// line's JPEG reader reads it from libjpeg's saved markers.
int JpegOrientation(std::string_view bytes) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
  for (std::size_t at = 2; at + 4 <= bytes.size() && byte(at) == 0xFF && byte(at + 1) != 0xDA;) {
    const unsigned marker = byte(at + 1);
    const std::size_t length = std::size_t{byte(at + 2)} << 8 | byte(at + 3);
    const std::string_view data = bytes.substr(at + 4, length >= 2 ? length - 2 : 0);
    at += 2 + length;
    if (marker != 0xE1) continue;
    const int orientation = ExifOrientation(data);
    if (orientation != 0) return orientation;
  }
  return 1;
}

class StbReader : public ImageReader {
 public:
  explicit StbReader(std::string_view bytes) : bytes_(bytes) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
      throw ImageTooLargeError("file over 2 GB");
    if (bytes.starts_with("\x89PNG")) {
      // The header's own numbers, as libspng reads them, before any check of stb_image's.
      if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") {
        throw DamagedImageError("no image header");
      }
      const std::uint32_t width = BigEndian(bytes, 16);
      const std::uint32_t height = BigEndian(bytes, 20);
      if (width > INT_MAX || height > INT_MAX) throw DamagedImageError("size beyond 2^31");
      size_ = {static_cast<int>(width), static_cast<int>(height)};
      return;
    }
    int components = 0;
    if (stbi_info_from_memory(Data(), Length(), &size_.width, &size_.height, &components) == 0) {
      throw DamagedImageError(stbi_failure_reason());
    }
    turn_ = TurnOf(JpegOrientation(bytes));
  }

  // A JPEG as its EXIF orientation turns it.
  Size DeclaredSize() const override {
    return turn_.rotation % 180 == 0 ? size_ : Size{size_.height, size_.width};
  }

  std::vector<GrayFrame> Decode() override {
    int width = 0;
    int height = 0;
    int components = 0;
    const std::unique_ptr<stbi_uc, PixelsDeleter> pixels(
        stbi_load_from_memory(Data(), Length(), &width, &height, &components, 4));
    if (!pixels) throw DamagedImageError(stbi_failure_reason());
    if (width != size_.width || height != size_.height) {
      throw DamagedImageError("size changed while decoding");
    }
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    GrayFrame frame =
        FrameFromRgba(width, height, std::span<const std::uint8_t>(pixels.get(), count * 4));
    if (turn_.rotation != 0 || turn_.flip != Flip::kNone) {
      frame.luminance = Orient(frame.luminance, turn_.rotation, turn_.flip);
      if (frame.alpha) frame.alpha = Orient(*frame.alpha, turn_.rotation, turn_.flip);
    }
    return {std::move(frame)};
  }

 private:
  const stbi_uc* Data() const { return reinterpret_cast<const stbi_uc*>(bytes_.data()); }
  int Length() const { return static_cast<int>(bytes_.size()); }

  std::string_view bytes_;
  Size size_;
  Turn turn_{0, Flip::kNone};
};

// Only the screen's size: the browser decodes the frames.
class GifSizeReader : public ImageReader {
 public:
  explicit GifSizeReader(std::string_view bytes) {
    if (bytes.size() < 10) throw DamagedImageError("no screen descriptor");
    const auto little = [&](std::size_t at) {
      return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
    };
    size_ = {little(6), little(8)};
  }

  Size DeclaredSize() const override { return size_; }

  std::vector<GrayFrame> Decode() override {
    // Reached only when the page could not hand over the browser's frames.
    throw DamagedImageError("the browser could not decode it");
  }

 private:
  Size size_;
};

}  // namespace

std::unique_ptr<ImageReader> OpenPng(std::string_view bytes) {
  return std::make_unique<StbReader>(bytes);
}

std::unique_ptr<ImageReader> OpenJpeg(std::string_view bytes) {
  return std::make_unique<StbReader>(bytes);
}

std::unique_ptr<ImageReader> OpenGif(std::string_view bytes) {
  return std::make_unique<GifSizeReader>(bytes);
}

}  // namespace lumivane::imaging
