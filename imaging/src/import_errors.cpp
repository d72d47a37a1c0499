#include "import_errors.h"

#include <string>

namespace lumivane::imaging {

AppError DamagedImageError(std::string_view detail) {
  return {error::kImageDamaged, "Damaged image (" + std::string(detail) + ")"};
}

AppError ImageTooLargeError(std::string_view detail) {
  return {error::kImageTooLarge, "Image too large (" + std::string(detail) + ")"};
}

AppError MalformedError(std::string_view what) {
  return DamagedImageError(std::string(what) + " cut short or malformed");
}

AppError WithFileName(const AppError& error, std::string_view path) {
  return {error.Number(), error.Description() + ": " + std::string(path)};
}

}  // namespace lumivane::imaging
