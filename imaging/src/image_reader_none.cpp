// The reader of a build without the image libraries (the Windows cross
// build, which has none of them): every image is refused.

#include "image_reader.h"
#include "import_errors.h"

namespace lumivane::imaging {

std::unique_ptr<ImageReader> OpenImage(std::string_view) {
  throw NoDecodersError();
}

}  // namespace lumivane::imaging
