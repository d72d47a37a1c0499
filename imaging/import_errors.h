#pragma once

#include <string_view>

#include "app_error.h"

namespace lumivane::imaging {

// Every import failure names the image file, so a batch shows which one it was.
AppError FormatUnknownError(std::string_view fileName);
AppError DamagedImageError(std::string_view detail, std::string_view fileName);
AppError ImageTooLargeError(std::string_view detail, std::string_view fileName);
// A build without the image libraries reads no image at all.
AppError NoDecodersError(std::string_view fileName);

}  // namespace lumivane::imaging
