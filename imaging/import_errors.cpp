#include "import_errors.h"

#include <string>

namespace lumivane::imaging {

AppError FormatUnknownError(std::string_view fileName) {
  return {error::kImageFormatUnknown,
          "Not a PNG, GIF, JPEG, BMP, PBM, PGM or PPM image: " + std::string(fileName)};
}

AppError DamagedImageError(std::string_view detail, std::string_view fileName) {
  return {error::kImageDamaged,
          "Damaged image (" + std::string(detail) + "): " + std::string(fileName)};
}

AppError ImageTooLargeError(std::string_view detail, std::string_view fileName) {
  return {error::kImageTooLarge,
          "Image too large (" + std::string(detail) + "): " + std::string(fileName)};
}

AppError NoDecodersError(std::string_view fileName) {
  return {error::kImageFormatUnknown, "This build reads no images: " + std::string(fileName)};
}

}  // namespace lumivane::imaging
