// The decoder of a build without the image libraries (the Windows cross
// build, which has none of them): every image is refused, naming the file.

#include "image_decoder.h"
#include "import_errors.h"

namespace lumivane::imaging {

std::optional<ImageFormat> DetectFormat(std::string_view) {
  return std::nullopt;
}

ImageSize ReadImageSize(std::string_view, std::string_view fileName) {
  throw NoDecodersError(fileName);
}

std::vector<GrayFrame> DecodeImage(std::string_view, std::string_view fileName) {
  throw NoDecodersError(fileName);
}

}  // namespace lumivane::imaging
