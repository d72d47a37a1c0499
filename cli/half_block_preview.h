#pragma once

#include <string>

#include "import.h"

namespace lumivane::cli {

// The bitmap as a terminal shows it: two pixel rows a text line, a set bit
// as the upper or lower half of a block (UTF-8), each line ending in LF.
std::string HalfBlockPreview(const imaging::Bitmap& bitmap);

}  // namespace lumivane::cli
