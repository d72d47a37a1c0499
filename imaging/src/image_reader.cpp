#include "image_reader.h"

#include "import_errors.h"

namespace lumivane::imaging {

std::unique_ptr<ImageReader> OpenImage(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return OpenPng(bytes);
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return OpenGif(bytes);
  if (bytes.starts_with("\xff\xd8\xff")) return OpenJpeg(bytes);
  if (bytes.starts_with("BM")) return OpenBmp(bytes);
  if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] >= '1' && bytes[1] <= '6') {
    return OpenNetpbm(bytes);
  }
  throw FormatUnknownError();
}

}  // namespace lumivane::imaging
