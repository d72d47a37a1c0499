#pragma once

#include <cstdint>
#include <span>

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
// Raises when the bitmap's bytes, once runs are coded, are more items than
// the conversion lists.
void CheckCodedFits(std::span<const std::uint8_t> bits);

}  // namespace lumivane::imaging
