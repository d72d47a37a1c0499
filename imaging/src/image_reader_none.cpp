// The reader of a build without the image libraries (the Windows cross
// build, which has none of them): every image is refused.

#include "app_error.h"
#include "image_reader.h"

namespace lumivane::imaging {

std::unique_ptr<ImageReader> OpenImage(std::string_view) {
  throw AppError(error::kImageFormatUnknown, "This build reads no images");
}

}  // namespace lumivane::imaging
