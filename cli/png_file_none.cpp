#include "app_error.h"
#include "png_file.h"

namespace lumivane::cli {

// A build without the image libraries writes no PNG.
std::string PngFileBytes(const imaging::Bitmap&, const std::string& path) {
  throw AppError(error::kImageFormatUnknown,
                 "This build writes no PNG (no image libraries): " + path);
}

}  // namespace lumivane::cli
