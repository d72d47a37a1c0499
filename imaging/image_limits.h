#pragma once

#include <cstdint>
#include <string_view>

#include "image_types.h"
#include "import_settings.h"

namespace lumivane::imaging {

// The conversion takes at most this many byte literals.
inline constexpr std::int64_t kMaxBitmapBytes = 32766;
// Decoded pixels of one image, all frames of an animation together: the
// largest picture whose planes stay well inside 100 MiB while decoding.
inline constexpr std::int64_t kMaxPixels = std::int64_t{16} << 20;

// The size of the one-bit result the settings make of an image this size.
ImageSize ResultSize(ImageSize image, const ImportSettings& settings);
std::int64_t BitmapBytes(ImageSize result);

// Raises when the image is empty or has more pixels than may be decoded.
void CheckDecodable(ImageSize image, std::string_view fileName);
// Raises when the one-bit result would not fit the conversion.
void CheckResultFits(ImageSize image, const ImportSettings& settings, std::string_view fileName);

}  // namespace lumivane::imaging
