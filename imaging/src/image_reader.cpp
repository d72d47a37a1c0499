#include "image_reader.h"

#include "import_errors.h"

namespace lumivane::imaging {

std::unique_ptr<ImageReader> OpenImage(std::string_view bytes) {
  const std::optional<ImageFormat> format = FormatOf(bytes);
  if (!format) throw FormatUnknownError();
  switch (*format) {
    case ImageFormat::kPng:
      return OpenPng(bytes);
    case ImageFormat::kGif:
      return OpenGif(bytes);
    case ImageFormat::kJpeg:
      return OpenJpeg(bytes);
    case ImageFormat::kBmp:
      return OpenBmp(bytes);
    case ImageFormat::kNetpbm:
      break;
  }
  return OpenNetpbm(bytes);
}

}  // namespace lumivane::imaging
