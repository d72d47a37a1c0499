#pragma once

#include <string_view>

#include "image_types.h"
#include "import_settings.h"

namespace lumivane::imaging {

// The one-bit picture the settings make of a frame; raises when it would not
// fit the conversion (the description names the file).
Bitmap ToBitmap(const GrayFrame& frame, const ImportSettings& settings, std::string_view fileName);

}  // namespace lumivane::imaging
