#include "import_limits.h"

#include <string>

#include "import_errors.h"

namespace lumivane::imaging {
namespace {

std::string SizeText(Size size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

Size ResultSize(Size image, const ImportSettings& settings) {
  if (settings.fit) return *settings.fit;
  if (settings.rotation == 90 || settings.rotation == 270) return {image.height, image.width};
  return image;
}

}  // namespace

void CheckDecodable(Size image) {
  if (image.width <= 0 || image.height <= 0) throw DamagedImageError("size " + SizeText(image));
  if (std::int64_t{image.width} * image.height > kMaxPixels) {
    throw ImageTooLargeError(SizeText(image) + " pixels, at most 16 megapixels");
  }
}

void CheckResultFits(Size image, const ImportSettings& settings) {
  const Size result = ResultSize(image, settings);
  if (result.width <= 0 || result.height <= 0) throw AppError::InvalidArgument();
  const std::int64_t bytes = (std::int64_t{result.width} + 7) / 8 * result.height;
  if (bytes > kMaxBitmapBytes) {
    throw ImageTooLargeError("a bitmap of " + SizeText(result) + " takes " + std::to_string(bytes) +
                             " bytes, at most 32766");
  }
}

void CheckCodedFits(const Bitmap& bitmap, const ConversionChoice& conversion) {
  const std::vector<std::uint8_t> bits =
      conversion.layout == ByteLayout::kXbm
          ? bitmap.bits
          : ArrangeBytes(bitmap.bits, bitmap.width, bitmap.height, conversion.layout);
  if (static_cast<std::int64_t>(bits.size()) > kMaxBitmapBytes) {
    throw ImageTooLargeError("its bitmap takes " + std::to_string(bits.size()) + " bytes in " +
                             std::string(NameOf(conversion.layout)) + ", at most 32766");
  }
  // Every byte is an item, and, coded, a run of up to 256 equal 00 or FF
  // bytes is its byte and its count.
  constexpr std::size_t kMaxRun = 256;
  std::int64_t items = 0;
  for (std::size_t at = 0; at < bits.size();) {
    const std::uint8_t value = bits[at++];
    ++items;
    if (conversion.uncompressed || (value != 0x00 && value != 0xFF)) continue;
    ++items;
    for (std::size_t run = 1; run < kMaxRun && at < bits.size() && bits[at] == value; ++run) ++at;
  }
  if (items > kMaxBitmapBytes) {
    throw ImageTooLargeError("its bitmap makes " + std::to_string(items) +
                             " items in the header, at most 32766");
  }
}

}  // namespace lumivane::imaging
