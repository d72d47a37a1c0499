// stb_image is compiled here for BMP and binary PGM/PPM only: its other
// loaders are left out on purpose, and its functions stay private to this file.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_BMP
#define STBI_ONLY_PNM
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS (1 << 16)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <cctype>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>

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

std::uint32_t Little(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

// stb_image reads zeros past the end of a file, so a file cut short would
// import as a picture with a black (or white) part. The formats whose pixel
// data has a known length are measured here first.
std::optional<std::uint64_t> UncompressedBmpLength(std::string_view bytes) {
  constexpr std::uint32_t kRgb = 0;
  constexpr std::uint32_t kBitFields = 3;
  if (bytes.size() < 34) return std::nullopt;
  const std::uint32_t headerSize = Little(bytes, 14, 4);
  if (headerSize < 40) return std::nullopt;
  const std::uint32_t compression = Little(bytes, 30, 4);
  if (compression != kRgb && compression != kBitFields) return std::nullopt;
  const std::uint64_t width = Little(bytes, 18, 4);
  const auto height = static_cast<std::int32_t>(Little(bytes, 22, 4));
  const std::uint64_t depth = Little(bytes, 28, 2);
  const std::uint64_t rowBytes = (width * depth + 31) / 32 * 4;
  const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  return Little(bytes, 10, 4) + rowBytes * rows;
}

// The header of a binary graymap or pixmap: width, height and largest
// sample value, and where the samples start.
struct GraymapHeader {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint64_t maxValue = 0;
  std::size_t dataStart = 0;
};

// stb_image reads these numbers into an int without a bound, so a long one
// overflows inside it: numbers beyond any size it accepts are refused here.
constexpr std::uint64_t kMaxHeaderNumber = 1 << 16;

std::optional<GraymapHeader> ReadGraymapHeader(std::string_view bytes, std::string_view fileName) {
  std::size_t at = 2;
  GraymapHeader header;
  for (std::uint64_t* field : {&header.width, &header.height, &header.maxValue}) {
    while (at < bytes.size() &&
           (std::isspace(static_cast<unsigned char>(bytes[at])) != 0 || bytes[at] == '#')) {
      if (bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r') ++at;
      } else {
        ++at;
      }
    }
    const std::size_t start = at;
    while (at < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[at])) != 0) {
      *field = *field * 10 + static_cast<unsigned>(bytes[at++] - '0');
      if (*field > kMaxHeaderNumber) throw DamagedImageError("header number too large", fileName);
    }
    if (at == start) return std::nullopt;
  }
  header.dataStart = at + 1;
  return header;
}

std::optional<std::uint64_t> GraymapLength(std::string_view bytes, std::string_view fileName) {
  const std::optional<GraymapHeader> header = ReadGraymapHeader(bytes, fileName);
  if (!header) return std::nullopt;
  const std::uint64_t channels = bytes[1] == '6' ? 3 : 1;
  const std::uint64_t sampleBytes = header->maxValue > 255 ? 2 : 1;
  return header->dataStart + header->width * header->height * channels * sampleBytes;
}

void CheckLength(std::string_view bytes, std::string_view fileName) {
  const std::optional<std::uint64_t> length =
      bytes.starts_with("BM") ? UncompressedBmpLength(bytes) : GraymapLength(bytes, fileName);
  if (length && *length > bytes.size()) throw DamagedImageError("file ends early", fileName);
}

}  // namespace

ImageSize StbSize(std::string_view bytes, std::string_view fileName) {
  int width = 0;
  int height = 0;
  int components = 0;
  if (!bytes.starts_with("BM")) ReadGraymapHeader(bytes, fileName);  // refuses long numbers
  if (stbi_info_from_memory(Data(bytes), Length(bytes, fileName), &width, &height, &components) ==
      0) {
    throw DamagedImageError(stbi_failure_reason(), fileName);
  }
  if (width < 0 || height < 0) throw DamagedImageError("negative size", fileName);
  return {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
}

std::vector<GrayFrame> DecodeStb(std::string_view bytes, std::string_view fileName) {
  const ImageSize size = StbSize(bytes, fileName);
  CheckDecodable(size, fileName);
  CheckLength(bytes, fileName);
  int width = 0;
  int height = 0;
  int components = 0;
  // The file's own channels, converted here: stb_image's conversion to RGBA
  // runs before it narrows 16-bit samples and then reads past its buffer.
  const std::unique_ptr<stbi_uc, PixelsDeleter> pixels(
      stbi_load_from_memory(Data(bytes), Length(bytes, fileName), &width, &height, &components, 0));
  if (!pixels) throw DamagedImageError(stbi_failure_reason(), fileName);
  if (static_cast<std::uint32_t>(width) != size.width ||
      static_cast<std::uint32_t>(height) != size.height || components < 1 || components > 4) {
    throw DamagedImageError("size changed while decoding", fileName);
  }

  GrayFrame frame;
  frame.width = width;
  frame.height = height;
  const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const auto stride = static_cast<std::size_t>(components);
  const bool colour = components >= 3;
  const bool withAlpha = components == 2 || components == 4;
  frame.luminance.resize(count);
  if (withAlpha) frame.alpha.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const stbi_uc* pixel = pixels.get() + i * stride;
    frame.luminance[i] = colour ? Luminance(pixel[0], pixel[1], pixel[2]) : pixel[0];
    if (withAlpha) frame.alpha[i] = pixel[stride - 1];
  }
  return {std::move(frame)};
}

}  // namespace lumivane::imaging
