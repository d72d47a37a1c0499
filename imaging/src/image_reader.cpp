#include "image_reader.h"

#include "app_error.h"

namespace lumivane::imaging {

std::unique_ptr<ImageReader> OpenImage(std::string_view bytes) {
  // In ImageFormat's order.
  using Opener = std::unique_ptr<ImageReader> (*)(std::string_view);
  constexpr Opener kOpeners[] = {OpenPng, OpenGif, OpenJpeg, OpenBmp, OpenNetpbm};
  const std::optional<ImageFormat> format = FormatOf(bytes);
  if (!format)
    throw AppError(error::kImageFormatUnknown, "Not a PNG, GIF, JPEG, BMP, PBM, PGM or PPM image");
  return kOpeners[static_cast<std::size_t>(*format)](bytes);
}

}  // namespace lumivane::imaging
