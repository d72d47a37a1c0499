#pragma once

#include <string>
#include <string_view>

#include "image_types.h"

namespace lumivane::imaging {

// The bitmap as an image editor writes XBM: the width and height defines,
// then "static unsigned char NAME_bits[] = {" and the bytes as lower-case
// "0x.." literals, twelve a line, LF line ends.
std::string XbmText(const Bitmap& bitmap, std::string_view name);

// An XBM text as the program writes it to a file, where every line end is
// CR LF.
std::string XbmFileText(std::string_view xbmText);

}  // namespace lumivane::imaging
