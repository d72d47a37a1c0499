#pragma once

#include <string>

#include "import.h"

namespace lumivane::cli {

// The bitmap as a PNG file's bytes: 8-bit grey, a set bit black, an unset
// one white, as the image it was imported from shows it.
std::string PngFileBytes(const imaging::Bitmap& bitmap, const std::string& path);

}  // namespace lumivane::cli
