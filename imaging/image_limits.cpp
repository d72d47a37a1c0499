#include "image_limits.h"

#include <string>

#include "import_errors.h"

namespace lumivane::imaging {
namespace {

std::string SizeText(ImageSize size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

}  // namespace

ImageSize ResultSize(ImageSize image, const ImportSettings& settings) {
  if (settings.fit) {
    return {static_cast<std::uint32_t>(settings.fit->width),
            static_cast<std::uint32_t>(settings.fit->height)};
  }
  if (settings.rotation == 90 || settings.rotation == 270) return {image.height, image.width};
  return image;
}

std::int64_t BitmapBytes(ImageSize result) {
  return (std::int64_t{result.width} + 7) / 8 * std::int64_t{result.height};
}

void CheckDecodable(ImageSize image, std::string_view fileName) {
  if (image.width == 0 || image.height == 0) {
    throw DamagedImageError("size " + SizeText(image), fileName);
  }
  // Two 32-bit sides multiply without overflow only as unsigned 64-bit numbers.
  if (std::uint64_t{image.width} * image.height > static_cast<std::uint64_t>(kMaxPixels)) {
    throw ImageTooLargeError(SizeText(image) + " pixels, at most 16 megapixels", fileName);
  }
}

void CheckResultFits(ImageSize image, const ImportSettings& settings, std::string_view fileName) {
  const ImageSize result = ResultSize(image, settings);
  if (result.width == 0 || result.height == 0) {
    throw AppError::InvalidArgument();
  }
  const std::int64_t bytes = BitmapBytes(result);
  if (bytes > kMaxBitmapBytes) {
    throw ImageTooLargeError("a bitmap of " + SizeText(result) + " takes " + std::to_string(bytes) +
                                 " bytes, at most 32766",
                             fileName);
  }
}

}  // namespace lumivane::imaging
