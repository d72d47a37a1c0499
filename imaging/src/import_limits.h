#pragma once

#include <cstdint>

#include "import.h"

namespace lumivane::imaging {

// Decoded pixels of one image, all frames of an animation together: the
// largest picture whose planes stay well inside 100 MiB while decoding.
inline constexpr std::int64_t kMaxPixels = std::int64_t{16} << 20;

// Raises when the image is empty or has more pixels than may be decoded.
void CheckDecodable(Size image);
// Raises when the one-bit result the settings make of an image this size
// would hold more bytes than the conversion takes.
void CheckResultFits(Size image, const ImportSettings& settings);
// Raises when the bitmap's bytes, arranged and coded as the conversion will,
// are more items than it lists.
void CheckCodedFits(const Bitmap& bitmap, const ConversionChoice& conversion);

}  // namespace lumivane::imaging
