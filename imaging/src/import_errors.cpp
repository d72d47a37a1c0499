#include "import_errors.h"

#include <string>

namespace lumivane::imaging {

AppError FormatUnknownError() {
  return {error::kImageFormatUnknown, "Not a PNG, GIF, JPEG, BMP, PBM, PGM or PPM image"};
}

AppError DamagedImageError(std::string_view detail) {
  return {error::kImageDamaged, "Damaged image (" + std::string(detail) + ")"};
}

AppError ImageTooLargeError(std::string_view detail) {
  return {error::kImageTooLarge, "Image too large (" + std::string(detail) + ")"};
}

AppError NoDecodersError() {
  return {error::kImageFormatUnknown, "This build reads no images"};
}

AppError WithFileName(const AppError& error, std::string_view path) {
  return {error.Number(), error.Description() + ": " + std::string(path)};
}

}  // namespace lumivane::imaging
