// The page's decoders for the formats whose libraries the command line links
// (libspng, libjpeg, giflib) and that do not build for the browser: PNG and
// JPEG through stb_image, compiled into the page; GIF by the browser, whose
// frames the page hands over already composed, so only its size is read here.
// BMP and Netpbm use the command line's own adapters.
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

#include "format_adapters.h"
#include "image_limits.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

struct PixelsDeleter {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

const stbi_uc* Data(std::string_view bytes) {
  return reinterpret_cast<const stbi_uc*>(bytes.data());
}

int Length(std::string_view bytes, std::string_view fileName) {
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    throw ImageTooLargeError("file over 2 GB", fileName);
  }
  return static_cast<int>(bytes.size());
}

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

ImageSize StbImageSize(std::string_view bytes, std::string_view fileName) {
  int width = 0;
  int height = 0;
  int components = 0;
  if (stbi_info_from_memory(Data(bytes), Length(bytes, fileName), &width, &height, &components) ==
      0) {
    throw DamagedImageError(stbi_failure_reason(), fileName);
  }
  return {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
}

std::vector<GrayFrame> DecodeWithStb(std::string_view bytes, std::string_view fileName) {
  const ImageSize size = StbImageSize(bytes, fileName);
  CheckDecodable(size, fileName);
  int width = 0;
  int height = 0;
  int components = 0;
  const std::unique_ptr<stbi_uc, PixelsDeleter> pixels(
      stbi_load_from_memory(Data(bytes), Length(bytes, fileName), &width, &height, &components, 4));
  if (!pixels) throw DamagedImageError(stbi_failure_reason(), fileName);
  if (static_cast<std::uint32_t>(width) != size.width ||
      static_cast<std::uint32_t>(height) != size.height) {
    throw DamagedImageError("size changed while decoding", fileName);
  }
  GrayFrame frame;
  frame.width = width;
  frame.height = height;
  const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  frame.luminance.resize(count);
  frame.alpha.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const stbi_uc* pixel = pixels.get() + i * 4;
    frame.luminance[i] = Luminance(pixel[0], pixel[1], pixel[2]);
    frame.alpha[i] = pixel[3];
  }
  return {std::move(frame)};
}

}  // namespace

ImageSize PngSize(std::string_view bytes, std::string_view fileName) {
  // The header's own numbers, as libspng reads them, before any check of stb_image's.
  if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") {
    throw DamagedImageError("no image header", fileName);
  }
  return {BigEndian(bytes, 16), BigEndian(bytes, 20)};
}

std::vector<GrayFrame> DecodePng(std::string_view bytes, std::string_view fileName) {
  return DecodeWithStb(bytes, fileName);
}

ImageSize JpegSize(std::string_view bytes, std::string_view fileName) {
  return StbImageSize(bytes, fileName);
}

std::vector<GrayFrame> DecodeJpeg(std::string_view bytes, std::string_view fileName) {
  return DecodeWithStb(bytes, fileName);
}

ImageSize GifSize(std::string_view bytes, std::string_view fileName) {
  if (bytes.size() < 10) throw DamagedImageError("no screen descriptor", fileName);
  const auto little = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  return {little(6), little(8)};
}

std::vector<GrayFrame> DecodeGif(std::string_view, std::string_view fileName) {
  // Reached only when the page could not hand over the browser's frames.
  throw DamagedImageError("the browser could not decode it", fileName);
}

}  // namespace lumivane::imaging
